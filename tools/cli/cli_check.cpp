#include "base/text_table.h"
#include "cli_conf_dir.h"
#include "cli_io_map_commands.h"
#include "cli_texts.h"
#include "report/configuration_check.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString usage = QStringLiteral("check CONF_DIR [--json]");

QString Table_Name(Rule_Table table) {
    return table == Rule_Table::Read ? QStringLiteral("read") : QStringLiteral("write");
}

QString Reserved_Name(Reserved_Area area) {
    switch (area) {
    case Reserved_Area::Diagnosis_Copy:
        return QStringLiteral("diagnosis_copy");
    case Reserved_Area::Diagnosis_Address:
        return QStringLiteral("diagnosis_address");
    case Reserved_Area::Async_Requests:
        return QStringLiteral("async_requests");
    case Reserved_Area::None:
        break;
    }
    return QString();
}

QJsonValue Text_Or_Null(const QString& text) {
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

QJsonObject Occupant_Json(const Io_Occupant& occupant) {
    if (occupant.Is_Rule())
        return QJsonObject{{QStringLiteral("table"), Table_Name(occupant.Table)},
                           {QStringLiteral("row"), occupant.Row}};
    return QJsonObject{{QStringLiteral("reserved"), Reserved_Name(occupant.Reserved)}};
}

QJsonObject Finding_Json(const Conf_Finding& finding) {
    QJsonObject object{
        {QStringLiteral("code"), finding.Code},
        {QStringLiteral("document"), Text_Or_Null(finding.Document)},
        {QStringLiteral("table"), finding.Table ? QJsonValue(Table_Name(*finding.Table)) : QJsonValue()},
        {QStringLiteral("row"), finding.Row > 0 ? QJsonValue(finding.Row) : QJsonValue()},
        {QStringLiteral("message"), finding.Message},
    };
    if (finding.Overlap) {
        const Overlap_Detail& overlap = *finding.Overlap;
        object.insert(QStringLiteral("area"),
                      overlap.Area == Io_Area::Input ? QStringLiteral("input") : QStringLiteral("output"));
        object.insert(QStringLiteral("first_byte"), static_cast<qint64>(overlap.First_Byte));
        object.insert(QStringLiteral("last_byte"), static_cast<qint64>(overlap.Last_Byte));
        object.insert(QStringLiteral("with"),
                      QJsonArray{Occupant_Json(overlap.With[0]), Occupant_Json(overlap.With[1])});
    }
    return object;
}

QJsonArray Findings_Json(const QList<Conf_Finding>& findings) {
    QJsonArray array;
    for (const Conf_Finding& finding : findings)
        array.append(Finding_Json(finding));
    return array;
}

// "error: sdo.xml, read table, row 3: message"
QString Finding_Line(const Conf_Finding& finding) {
    QStringList where;
    if (!finding.Document.isEmpty())
        where.append(finding.Document);
    if (finding.Table)
        where.append(Table_Name(*finding.Table) + QStringLiteral(" table"));
    if (finding.Row > 0)
        where.append(QStringLiteral("row ") + QString::number(finding.Row));
    QString line =
        finding.Level == Finding_Level::Error ? QStringLiteral("error: ") : QStringLiteral("warning: ");
    if (!where.isEmpty())
        line += where.join(QStringLiteral(", ")) + QStringLiteral(": ");
    return line + finding.Message;
}

int Run_Check(const QStringList& args, QTextStream& out, QTextStream& err) {
    QStringList positional;
    bool json = false;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--json")) {
            json = true;
        } else if (arg.startsWith(u'-')) {
            err << "kc40927-cli check: unknown option " << arg << ", usage: kc40927-cli " << usage << "\n";
            return Cli_Usage;
        } else {
            positional.append(arg);
        }
    }
    if (positional.size() != 1) {
        err << "kc40927-cli check: expected one folder, usage: kc40927-cli " << usage << "\n";
        return Cli_Usage;
    }
    if (!Check_Conf_Dir(positional[0], QStringLiteral("check"), usage, err))
        return Cli_Usage;

    const Text_Table texts = Cli_Text_Table();
    const Conf_Check check = Check_Configuration(positional[0], texts);

    if (json) {
        const QJsonObject result{{QStringLiteral("errors"), Findings_Json(check.Errors)},
                                 {QStringLiteral("warnings"), Findings_Json(check.Warnings)}};
        out << QString::fromUtf8(QJsonDocument(result).toJson(QJsonDocument::Compact)) << "\n";
    } else {
        for (const Conf_Finding& finding : check.Errors)
            out << Finding_Line(finding) << "\n";
        for (const Conf_Finding& finding : check.Warnings)
            out << Finding_Line(finding) << "\n";
    }
    if (!check.Errors.isEmpty())
        return Cli_Failed;
    return check.Warnings.isEmpty() ? Cli_Ok : Cli_Warnings;
}

} // namespace

Cli_Command Check_Cli_Command() {
    Cli_Command command;
    command.name = QStringLiteral("check");
    command.usage = usage;
    command.summary = QStringLiteral("check a configuration as the editors and the image build do");
    command.help = QStringLiteral(
        "Checks the stored documents of the configuration folder CONF_DIR (ParGen.xml,\n"
        "sdo.xml, diagnosis.xml) with the checks the three editors run on OK, with the\n"
        "image build, and with the PROFIBUS I/O map:\n"
        "  errors    a value an editor refuses (every refused rule and diagnosis entry,\n"
        "            the first refused general parameter), a document that cannot be\n"
        "            read, an image the build refuses;\n"
        "  warnings  PROFIBUS bits used by two rules or reserved areas (overlap), two\n"
        "            enabled read rules reading the same slave, type and addresses,\n"
        "            data an editor would not keep.\n"
        "The diagnosis list is not checked for hardware type 1, which has none.\n"
        "\n"
        "Plain output: one line per finding, \"error:\" or \"warning:\", then the document,\n"
        "table and row where they apply, then the message; nothing when all is well.\n"
        "Messages are those of the configurator, in its language: Struttor.xml in the\n"
        "configurator's data folder names it and LANGUAGE/<language>.lng there holds it;\n"
        "English when either is missing. The data folder is the folder of this program,\n"
        "or ~/.local/share/Vorlantech/kc40927 when that folder is read-only.\n"
        "\n"
        "  --json   print one JSON object instead:\n"
        "           {\"errors\": [FINDING...], \"warnings\": [FINDING...]}\n"
        "           FINDING: {\"code\", \"document\": \"ParGen.xml\"|\"sdo.xml\"|\"diagnosis.xml\"|null,\n"
        "                     \"table\": \"read\"|\"write\"|null, \"row\": N|null, \"message\"}\n"
        "           an overlap (code \"overlap\") adds \"area\": \"input\"|\"output\",\n"
        "           \"first_byte\", \"last_byte\" (the bytes shared) and \"with\": two of\n"
        "           {\"table\", \"row\"} or {\"reserved\": \"diagnosis_copy\"|\"diagnosis_address\"|\n"
        "           \"async_requests\"}.\n"
        "           Codes: unreadable_document, invalid_parameter, invalid_rule,\n"
        "           invalid_diagnosis_id, image_build (errors); overlap, repeated_read,\n"
        "           rows_after_table_end, rules_not_kept, diagnosis_rows_after_end,\n"
        "           diagnosis_entries_not_kept (warnings).\n"
        "\n"
        "Exit status: 0 nothing found; 1 at least one error; 3 warnings only;\n"
        "2 wrong arguments or CONF_DIR is not a readable folder.");
    command.run = Run_Check;
    return command;
}
