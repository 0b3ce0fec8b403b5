#include "cli_gsd.h"

#include "base/file_lookup.h"
#include "base/kc_error.h"
#include "base/output_path.h"
#include "base/shown_text.h"
#include "base/text_table.h"
#include "cli_texts.h"
#include "document/pargen_view.h"
#include "output/gsd_step.h"
#include "output/gsd_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

int Run_Gsd(const QStringList& args, QTextStream& out, QTextStream& err) {
    QStringList positional;
    bool force = false;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--force")) {
            force = true;
        } else if (arg.startsWith(QLatin1String("--"))) {
            err << "kc40927-cli gsd: unknown option " << arg
                << "\nUsage: kc40927-cli gsd CONF_DIR OUT_FILE [--force]\n";
            return Cli_Usage;
        } else {
            positional.append(arg);
        }
    }
    if (positional.size() != 2) {
        err << "kc40927-cli gsd: expected CONF_DIR and OUT_FILE\nUsage: kc40927-cli gsd CONF_DIR OUT_FILE "
               "[--force]\n";
        return Cli_Usage;
    }
    const QString conf_dir = positional[0];
    const QString out_file = positional[1];

    if (!QFileInfo(conf_dir).isDir()) {
        err << "kc40927-cli gsd: " << Shown_Path(conf_dir) << " is not a configuration folder\n";
        return Cli_Failed;
    }
    const QString pargen = Find_File_No_Case(conf_dir, Par_Gen::File_Name);
    if (!QFileInfo(pargen).isFile()) {
        err << "kc40927-cli gsd: " << Shown_Path(conf_dir)
            << " holds no general parameters document (ParGen.xml); set the communication parameters first\n";
        return Cli_Failed;
    }
    if (Is_Standard_Output(out_file)) {
        try {
            const GSD_Areas areas = GSD_Areas_Of(ParGen_View::Read(pargen));
            const QByteArray bytes = Write_GSD(areas.In_Bytes, areas.Out_Bytes);
            out.flush();
            QFile standard_output;
            if (!standard_output.open(stdout, QIODevice::WriteOnly) ||
                standard_output.write(bytes) != bytes.size() || !standard_output.flush()) {
                err << "kc40927-cli gsd: cannot write to standard output: " << standard_output.errorString()
                    << "\n";
                return Cli_Failed;
            }
            return Cli_Ok;
        } catch (const Kc_Error& error) {
            err << "kc40927-cli gsd: " << error.Message() << "\n";
            return Cli_Failed;
        }
    }
    const Output_Path_Problem problem = Check_Output_Path(out_file, conf_dir);
    if (problem != Output_Path_Problem::None) {
        const Text_Table texts = Cli_Text_Table();
        err << "kc40927-cli gsd: " << Output_Path_Message(texts, problem, out_file);
        if (problem == Output_Path_Problem::Not_Regular_File)
            err << texts[Output_Path_Text::Use_Standard_Output];
        err << "\n";
        return Cli_Failed;
    }
    const QFileInfo target(out_file);
    if (target.exists() && !force) {
        err << "kc40927-cli gsd: " << Shown_Path(out_file) << " already exists; use --force to replace it\n";
        return Cli_Failed;
    }
    try {
        const GSD_Areas areas = GSD_Areas_Of(ParGen_View::Read(pargen));
        Save_GSD_File(out_file, areas);
        out << "Wrote " << Shown_Path(out_file) << ": " << areas.In_Bytes << " input bytes, "
            << areas.Out_Bytes << " output bytes, " << GSD_Module_Count(areas.In_Bytes, areas.Out_Bytes)
            << " modules\n";
        return Cli_Ok;
    } catch (const Kc_Error& error) {
        err << "kc40927-cli gsd: " << error.Message() << "\n";
        return Cli_Failed;
    }
}

} // namespace

Cli_Command Gsd_Cli_Command() {
    return {
        QStringLiteral("gsd"),
        QStringLiteral("gsd CONF_DIR OUT_FILE [--force]"),
        QStringLiteral("write the GSD file of a configuration"),
        QStringLiteral("Writes the GSD file for the PROFIBUS areas (Profi_NB_IN, Profi_NB_OUT) of the\n"
                       "configuration folder CONF_DIR to OUT_FILE, exactly as the configurator's\n"
                       "GSD File step does. OUT_FILE is used as given (no suffix is added);\n"
                       "\"-\" writes the GSD file to standard output.\n"
                       "A missing area size counts as 0.\n\n"
                       "  --force   replace OUT_FILE when it exists (otherwise the command fails)\n\n"
                       "Refused, writing nothing: an OUT_FILE that is one of the configuration's own\n"
                       "files (ParGen.xml, sdo.xml, diagnosis.xml, bin/bank.bin, in any letter case),\n"
                       "a folder, or not a regular file (a device, a pipe).\n\n"
                       "Exit status: 0 written, 1 failed (nothing written), 2 wrong arguments."),
        Run_Gsd,
    };
}
