#include "output/bank_build.h"

#include "base/app_state.h"
#include "base/file_lookup.h"
#include "base/kc_error.h"
#include "base/output_path.h"
#include "base/save_file.h"
#include "base/shown_text.h"
#include "base/text_table.h"
#include "output/bank_documents.h"
#include "output/bank_fixed.h"
#include "output/bank_packed.h"

#include <QDir>
#include <QFileInfo>

namespace {

int Hardware_Type(const ParGen_View& pargen) {
    return pargen.Number(Par_Gen::Hardware_Type, 0);
}

} // namespace

QString Bank_Layout_Name(Bank_Layout layout) {
    return layout == Bank_Layout::Fixed ? QStringLiteral("fixed") : QStringLiteral("packed");
}

int Bank_Hardware_Type(const QString& conf_dir) {
    return Hardware_Type(Read_Bank_ParGen(conf_dir));
}

Bank_Image Build_Bank(const QString& conf_dir) {
    const ParGen_View pargen = Read_Bank_ParGen(conf_dir);
    const int hardware_type = Hardware_Type(pargen);
    const Sdo_Document sdo = Read_Bank_Sdo(conf_dir);
    Bank_Image image;
    if (hardware_type == Bank::Hardware_With_Ethernet) {
        // The variant with Ethernet has no diagnosis list: its document is
        // not read, so a stale one cannot stop the build.
        image = Build_Fixed_Bank(pargen, sdo);
    } else {
        image = Build_Packed_Bank(pargen, sdo, Read_Bank_Diagnosis(conf_dir));
    }
    image.Hardware_Type = hardware_type;
    return image;
}

QString Bank_File_Path(const QString& conf_dir) {
    return Find_File_No_Case(Join_Path(conf_dir, QStringLiteral("bin")), QStringLiteral("bank.bin"));
}

void Save_Bank(const QByteArray& image, const QString& conf_dir) {
    const QString path = Bank_File_Path(conf_dir);
    const QString folder = QFileInfo(path).path();
    if (!QFileInfo(folder).isDir())
        throw Kc_Error(QStringLiteral("Cannot write %1: the folder %2 does not exist.")
                           .arg(Shown_Path(path), Shown_Path(folder)));
    // bank.bin may have been replaced by a folder, a device or a link to a
    // document: none of them is replaced by the image.
    const Output_Path_Problem problem = Check_Output_Path(path, conf_dir, path);
    if (problem != Output_Path_Problem::None)
        throw Kc_Error(Output_Path_Message(Text_Table(), problem, path));
    Save_File_Atomically(path, image);
}

Bank_Image Build_And_Save_Bank(const App_State& state) {
    if (!state.Configuration_Open())
        throw Kc_Error(QStringLiteral("Cannot build the configuration image: no configuration is open."));
    Bank_Image image = Build_Bank(state.Conf_Dir);
    Save_Bank(image.Bytes, state.Conf_Dir);
    return image;
}
