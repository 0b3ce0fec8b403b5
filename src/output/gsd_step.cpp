#include "output/gsd_step.h"

#include "base/app_state.h"
#include "base/kc_error.h"
#include "base/output_path.h"
#include "base/save_file.h"
#include "base/shown_text.h"
#include "base/text_table.h"
#include "base/ui_services.h"
#include "document/pargen_view.h"
#include "output/gsd_writer.h"

#include <QDir>
#include <QFileInfo>

GSD_Areas GSD_Areas_Of(const ParGen_View& pargen) {
    GSD_Areas areas;
    areas.In_Bytes = pargen.Number(Par_Gen::Profi_NB_IN, 0);
    areas.Out_Bytes = pargen.Number(Par_Gen::Profi_NB_OUT, 0);
    // Guard against a hand-edited document: a module number is one byte of
    // the module's identifier, and a huge area would give a huge file.
    const qint64 modules = GSD_Module_Count(areas.In_Bytes, areas.Out_Bytes);
    if (modules > GSD_Max_Modules)
        throw Kc_Error(
            QStringLiteral("%1: Profi_NB_IN = %2 and Profi_NB_OUT = %3 would need %4 modules; a GSD file "
                           "describes at most %5. Correct the PROFIBUS sizes in Set Communication.")
                .arg(QDir::toNativeSeparators(pargen.Path()))
                .arg(areas.In_Bytes)
                .arg(areas.Out_Bytes)
                .arg(modules)
                .arg(GSD_Max_Modules));
    return areas;
}

void Save_GSD_File(const QString& path, const GSD_Areas& areas) {
    if (QFileInfo(path).isDir())
        throw Kc_Error(QStringLiteral("Cannot write %1: it is a folder.").arg(Shown_Path(path)));
    Save_File_Atomically(path, Write_GSD(areas.In_Bytes, areas.Out_Bytes));
}

void Create_GSD_File(App_State& state, const Text_Table& texts, Ui_Services& ui) {
    try {
        const ParGen_View pargen = ParGen_View::Read(state.ParGen_File);
        if (!pargen.Exists()) {
            ui.Error_Box(texts[Gsd_Text::Pargen_Missing]);
            return;
        }
        const GSD_Areas areas = GSD_Areas_Of(pargen);

        const QString chosen = ui.Choose_Save_File(state.Conf_Dir, GSD_File_Filter);
        if (chosen.isEmpty())
            return;
        const QString path = GSD_File_Name(chosen);
        const QFileInfo target(path);
        // A folder, a device or a file of the configuration is no file to
        // overwrite: report it rather than asking the overwrite question.
        const Output_Path_Problem problem = Check_Output_Path(path, state.Conf_Dir);
        if (problem != Output_Path_Problem::None)
            throw Kc_Error(Output_Path_Message(texts, problem, path));
        if (target.exists() &&
            !ui.Question_Box(texts[Gsd_Text::Overwrite_File], Ui_Services::Default_Answer::No))
            return;
        Save_GSD_File(path, areas);
    } catch (const Kc_Error& error) {
        ui.Error_Box(error.Message());
    }
}
