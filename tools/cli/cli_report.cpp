#include "cli_report.h"

#include "base/kc_error.h"
#include "cli_texts.h"
#include "report/report_step_pdf.h"

#include <QDir>
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

const QString report_usage = QStringLiteral("report CONF_DIR OUT.pdf|OUT.html");

bool Has_Report_Suffix(const QString& path) {
    for (const char* suffix : {".pdf", ".html", ".htm"})
        if (path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
            return true;
    return false;
}

int Run_Report(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2 || args[0].startsWith(u'-') || args[1].startsWith(u'-')) {
        err << "kc40927-cli report: expected two arguments, usage: kc40927-cli " << report_usage << "\n";
        return Cli_Usage;
    }
    const QString conf_dir = args[0];
    const QString out_file = args[1];
    if (!QFileInfo(conf_dir).isDir()) {
        err << "kc40927-cli report: " << QDir::toNativeSeparators(conf_dir)
            << " is not a folder, usage: kc40927-cli " << report_usage << "\n";
        return Cli_Usage;
    }
    if (!Has_Report_Suffix(out_file)) {
        err << "kc40927-cli report: " << QDir::toNativeSeparators(out_file)
            << " must end in .pdf or .html, usage: kc40927-cli " << report_usage << "\n";
        return Cli_Usage;
    }
    if (QFileInfo(out_file).isDir()) {
        err << "kc40927-cli report: cannot write " << QDir::toNativeSeparators(out_file)
            << ": it is a folder\n";
        return Cli_Failed;
    }
    try {
        const int pages = Save_Report_File(out_file, conf_dir, Cli_Text_Table());
        out << "Wrote " << QDir::toNativeSeparators(out_file);
        if (pages > 0)
            out << ": " << pages << (pages == 1 ? " page" : " pages");
        out << "\n";
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
                       "are in the configurator's chosen language. OUT is replaced when it exists.\n"
                       "\n"
                       "Exit status: 0 written; 1 a document cannot be read or OUT cannot be written;\n"
                       "2 wrong arguments or CONF_DIR is not a folder."),
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
