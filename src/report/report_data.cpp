#include "report/report_data.h"

#include "base/file_lookup.h"
#include "base/kc_error.h"
#include "base/product_info.h"
#include "base/shown_text.h"
#include "document/diagnosis_names.h"
#include "document/pargen_view.h"
#include "document/sdo_names.h"
#include "output/bank_build.h"
#include "output/bank_decoder.h"
#include "output/gsd_writer.h"
#include "report/configuration_check.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The Ident_Number line of the GSD file the GSD step writes.
QString Gsd_Ident_Number() {
    const QByteArray key = "Ident_Number = ";
    const QList<QByteArray> lines = Write_GSD(0, 0).split('\n');
    for (const QByteArray& line : lines)
        if (line.startsWith(key))
            return QString::fromLatin1(line.mid(key.size()).trimmed());
    return {};
}

// The image the stored documents give now, or the build's message.
struct Fresh_Image {
    QByteArray Bytes;
    QString Error;
};

Fresh_Image Build_Fresh_Image(const QString& conf_dir) {
    try {
        return {Build_Bank(conf_dir).Bytes, {}};
    } catch (const Kc_Error& error) {
        return {{}, Escape_Controls(error.Message())};
    }
}

// Reads bank.bin and compares it with `fresh`. A build that fails decides
// the state before anything else: no file could be current then.
Report_Bank Read_Bank(const QString& conf_dir, const Fresh_Image& fresh) {
    Report_Bank bank;
    if (!fresh.Error.isEmpty()) {
        bank.State = Bank_State::Not_Buildable;
        bank.Build_Error = fresh.Error;
    }
    const QString path = Bank_File_Path(conf_dir);
    const QFileInfo info(path);
    if (!info.isFile())
        return bank;
    bank.Built = true;
    bank.File = Shown_Path(QDir(conf_dir).relativeFilePath(path));
    bank.Modified = info.lastModified();
    bank.Size = info.size();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        bank.Error = QStringLiteral("Cannot read %1: %2").arg(Shown_Path(path), file.errorString());
        if (fresh.Error.isEmpty())
            bank.State = Bank_State::Unreadable;
        return bank;
    }
    if (fresh.Error.isEmpty())
        bank.State = Bank_State::Stale;
    // An image is at most the device's buffer; anything larger is no image.
    if (bank.Size > Bank::Packed_Image_Limit) {
        bank.Error = QStringLiteral("%1 is no configuration image: %2 bytes")
                         .arg(Shown_Path(path), QString::number(bank.Size));
        return bank;
    }
    const QByteArray bytes = file.readAll();
    if (fresh.Error.isEmpty() && bytes == fresh.Bytes)
        bank.State = Bank_State::Up_To_Date;
    try {
        const Decoded_Bank decoded = Decode_Bank(bytes);
        bank.Layout = decoded.Layout;
        bank.Has_Checksum = decoded.Has_Checksum;
        bank.Checksum_Stored = decoded.Checksum_Stored;
        bank.Checksum_Computed = decoded.Checksum_Computed;
    } catch (const Kc_Error& error) {
        bank.Error = Shown_Path(path) + QStringLiteral(": ") + Escape_Controls(error.Message());
    }
    return bank;
}

} // namespace

Report_Data Read_Report_Data(const QString& conf_dir, const QDateTime& date) {
    Report_Data data;
    // Names from outside, shown in the page: control characters escaped.
    data.Conf_Name = Escape_Controls(QFileInfo(QDir::cleanPath(conf_dir)).fileName());
    data.Date = date;
    data.Program_Version = Program_Version;

    const ParGen_View pargen = ParGen_View::Read_In(conf_dir);
    data.Has_General_Params = pargen.Exists();
    data.Params = General_Params_Of(pargen);
    data.Hardware_Type = pargen.Number(Par_Gen::Hardware_Type, 0);
    data.Limits = Rules_Limits_Of(pargen);
    data.Rules = Load_Sdo(Find_File_No_Case(conf_dir, Sdo::File_Name));
    data.Diagnosis = Load_Diagnosis(Find_File_No_Case(conf_dir, Diagnosis_Doc::File_Name));

    if (data.Has_General_Params) {
        try {
            data.Gsd_Areas = GSD_Areas_Of(pargen);
        } catch (const Kc_Error& error) {
            data.Gsd_Error = Escape_Controls(error.Message());
        }
    }
    for (const QString& name :
         QDir(conf_dir).entryList({QStringLiteral("*.gsd")}, QDir::Files, QDir::Name | QDir::IgnoreCase))
        data.Gsd_Files.append(Escape_Controls(name));
    data.Gsd_Ident = Gsd_Ident_Number();

    const Fresh_Image fresh = Build_Fresh_Image(conf_dir);
    data.Bank = Read_Bank(conf_dir, fresh);
    data.History = Read_Update_History(conf_dir);
    data.Device = Device_State_Of(data.History, fresh.Error.isEmpty() ? std::optional<QByteArray>(fresh.Bytes)
                                                                      : std::nullopt);
    data.Map = Io_Map_Of(data.Params, data.Limits, data.Rules);
    return data;
}
