#include "cli_report.h"

#include "base/kc_error.h"
#include "base/output_path.h"
#include "base/shown_text.h"
#include "base/text_table.h"
#include "cli_texts.h"
#include "report/report_data.h"
#include "report/report_html.h"
#include "report/report_step_pdf.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstring>

namespace {

QtMessageHandler previous_handler = nullptr;

// The platform plugin asks for the runtime folder, and without XDG_RUNTIME_DIR
// (a service account, a container) Qt warns that it uses a default one. That
// is no fault of the report: a successful run prints nothing on stderr.
void Quiet_Runtime_Dir_Warning(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (previous_handler)
        previous_handler(type, context, message);
}

const QString report_usage = QStringLiteral("report CONF_DIR OUT.pdf|OUT.html|-");

bool Has_Report_Suffix(const QString& path) {
    for (const char* suffix : {".pdf", ".html", ".htm"})
        if (path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
            return true;
    return false;
}

int Run_Report(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2 || args[0].startsWith(u'-') ||
        (args[1].startsWith(u'-') && !Is_Standard_Output(args[1]))) {
        err << "kc40927-cli report: expected two arguments, usage: kc40927-cli " << report_usage << "\n";
        return Cli_Usage;
    }
    const QString conf_dir = args[0];
    const QString out_file = args[1];
    const bool to_output = Is_Standard_Output(out_file);
    if (!QFileInfo(conf_dir).isDir()) {
        err << "kc40927-cli report: " << Shown_Path(conf_dir) << " is not a folder, usage: kc40927-cli "
            << report_usage << "\n";
        return Cli_Usage;
    }
    if (!to_output && !Has_Report_Suffix(out_file)) {
        err << "kc40927-cli report: " << Shown_Path(out_file)
            << " must end in .pdf or .html (or be - for HTML on standard output), usage: kc40927-cli "
            << report_usage << "\n";
        return Cli_Usage;
    }
    const Text_Table texts = Cli_Text_Table();
    if (!to_output) {
        const Output_Path_Problem problem = Check_Output_Path(out_file, conf_dir);
        if (problem != Output_Path_Problem::None) {
            err << "kc40927-cli report: " << Output_Path_Message(texts, problem, out_file);
            if (problem == Output_Path_Problem::Not_Regular_File)
                err << texts[Output_Path_Text::Use_Standard_Output];
            err << "\n";
            return Cli_Failed;
        }
    }
    try {
        if (to_output) {
            const QByteArray html =
                Report_Html(Read_Report_Data(conf_dir, QDateTime::currentDateTime()), texts).toUtf8();
            out.flush();
            QFile standard_output;
            if (!standard_output.open(stdout, QIODevice::WriteOnly) ||
                standard_output.write(html) != html.size() || !standard_output.flush()) {
                err << "kc40927-cli report: cannot write to standard output: "
                    << standard_output.errorString() << "\n";
                return Cli_Failed;
            }
            return Cli_Ok;
        }
        const Saved_Report saved = Save_Report_File(out_file, conf_dir, texts);
        out << "Wrote " << Shown_Path(out_file);
        if (saved.Pages > 0)
            out << ": " << saved.Pages << (saved.Pages == 1 ? " page" : " pages");
        out << "\n" << saved.Bank_State << "\n";
        return Cli_Ok;
    } catch (const Kc_Error& error) {
        err << "kc40927-cli report: " << error.Message() << "\n";
        return Cli_Failed;
    }
}

} // namespace

Cli_Command Report_Cli_Command() {
    return {
        QStringLiteral("report"),
        report_usage,
        QStringLiteral("write the commissioning report of a configuration"),
        QStringLiteral("Writes the commissioning report of the configuration folder CONF_DIR, as the\n"
                       "configurator's Report action does: a PDF document (A4, a header line with the\n"
                       "configuration and the page number on every page) when OUT ends in .pdf, an HTML\n"
                       "page when it ends in .html or .htm. It holds the configuration name, hardware\n"
                       "variant, date and program version, every general parameter with its caption and\n"
                       "value, both rule tables, the diagnosis list with byte and bit of every entry, the\n"
                       "GSD summary and bank.bin's size, layout and checksum when it has been built. Texts\n"
                       "are in the configurator's chosen language. OUT is replaced atomically when it\n"
                       "exists; \"-\" writes the HTML page to standard output. Refused, writing nothing:\n"
                       "an OUT that is one of the configuration's own files (ParGen.xml, sdo.xml,\n"
                       "diagnosis.xml, bin/bank.bin, in any letter case), a folder, or not a regular\n"
                       "file (a device, a pipe).\n"
                       "\n"
                       "Its first lines, and the line printed after \"Wrote OUT\", say whether bank.bin is\n"
                       "the image the documents give now: the image is built again in memory (nothing is\n"
                       "written) and compared byte for byte with bin/bank.bin: up to date, older than the\n"
                       "documents, not built yet, or the build's error when the documents give no image.\n"
                       "\n"
                       "Exit status: 0 written (whatever the state of bank.bin); 1 refused, a document\n"
                       "cannot be read or OUT cannot be written; 2 wrong arguments or CONF_DIR is not a\n"
                       "folder."),
        Run_Report,
    };
}

std::unique_ptr<QCoreApplication> Make_Cli_Application(int& argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "report") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        previous_handler = qInstallMessageHandler(Quiet_Runtime_Dir_Warning);
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}
