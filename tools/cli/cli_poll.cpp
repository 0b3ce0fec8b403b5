#include "cli_poll.h"

#include "base/file_lookup.h"
#include "base/kc_error.h"
#include "base/shown_text.h"
#include "base/text_table.h"
#include "document/access_rules.h"
#include "document/access_rules_table.h"
#include "document/general_params.h"
#include "document/pargen_names.h"
#include "document/sdo_names.h"
#include "poll/poll_serial_settings.h"
#include "poll/rule_poll.h"
#include "poll/rules_poller.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

const char usage_line[] =
    "Usage: kc40927-cli poll CONF_DIR PORT [--table read|write|both] [--rows FIRST-LAST] [--json]\n";

struct Poll_Options {
    QString conf_dir;
    QString port;
    bool read = true;
    bool write = true;
    int first_row = 1;
    int last_row = Rule_Rows;
    bool json = false;
};

// The options, or the reason they are wrong.
std::optional<QString> Parse_Options(const QStringList& args, Poll_Options& options) {
    QStringList positional;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--json")) {
            options.json = true;
        } else if (arg == QLatin1String("--table") || arg == QLatin1String("--rows")) {
            if (i + 1 >= args.size())
                return arg + QStringLiteral(" needs a value");
            const QString value = args[++i];
            if (arg == QLatin1String("--table")) {
                if (value != QLatin1String("read") && value != QLatin1String("write") &&
                    value != QLatin1String("both"))
                    return QStringLiteral("--table takes read, write or both, not ") + value;
                options.read = value != QLatin1String("write");
                options.write = value != QLatin1String("read");
            } else {
                static const QRegularExpression range(QStringLiteral("^(\\d{1,3})(?:-(\\d{1,3}))?$"));
                const QRegularExpressionMatch match = range.match(value);
                if (!match.hasMatch())
                    return QStringLiteral("--rows takes FIRST-LAST (for example 1-10), not ") + value;
                options.first_row = match.captured(1).toInt();
                options.last_row = match.hasCaptured(2) ? match.captured(2).toInt() : options.first_row;
                if (options.first_row < 1 || options.last_row < options.first_row)
                    return QStringLiteral("--rows needs 1 <= FIRST <= LAST, not ") + value;
            }
        } else if (arg.startsWith(QLatin1String("--"))) {
            return QStringLiteral("unknown option ") + arg;
        } else {
            positional.append(arg);
        }
    }
    if (positional.size() != 2)
        return QStringLiteral("expected CONF_DIR and PORT");
    options.conf_dir = positional[0];
    options.port = positional[1];
    return std::nullopt;
}

QJsonObject Result_Json(const Text_Table& texts, const Poll_Result& result) {
    const Poll_Request& request = result.Request;
    QJsonObject object{
        {QStringLiteral("table"), Rule_Table_Name(request.Table)},
        {QStringLiteral("row"), request.Row},
        {QStringLiteral("slave"), request.Slave},
        {QStringLiteral("function"), request.Function},
        {QStringLiteral("address"), request.Address},
        {QStringLiteral("count"), request.Count},
    };
    switch (result.Status) {
    case Poll_Status::Ok: {
        object.insert(QStringLiteral("status"), QStringLiteral("ok"));
        QJsonArray values;
        for (quint16 value : result.Values)
            values.append(int(value));
        object.insert(QStringLiteral("values"), values);
        break;
    }
    case Poll_Status::Exception:
        object.insert(QStringLiteral("status"), QStringLiteral("exception"));
        object.insert(QStringLiteral("exception"), result.Exception_Code);
        break;
    case Poll_Status::Timeout:
        object.insert(QStringLiteral("status"), QStringLiteral("timeout"));
        break;
    case Poll_Status::Error:
        object.insert(QStringLiteral("status"), QStringLiteral("error"));
        break;
    }
    object.insert(QStringLiteral("message"), Poll_Result_Message(texts, result));
    return object;
}

QString Result_Line(const Text_Table& texts, const Poll_Result& result) {
    const Poll_Request& request = result.Request;
    QString line = QStringLiteral("%1 row %2: slave %3, function %4, address %5, count %6: %7")
                       .arg(Rule_Table_Name(request.Table))
                       .arg(request.Row)
                       .arg(request.Slave)
                       .arg(request.Function)
                       .arg(request.Address)
                       .arg(request.Count)
                       .arg(Poll_Result_Message(texts, result));
    if (result.Status == Poll_Status::Ok)
        line += QStringLiteral(": ") + Poll_Values_Text(result);
    return line;
}

// Says why the command cannot run: on the error output, and with --json also
// as the one JSON object of the standard output, so that a script reads every
// outcome from the same place. `code` names the kind of failure; `extra`
// adds fields such as the port.
void Print_Json_Error(QTextStream& out, const QString& code, const QString& message,
                      const QJsonObject& extra = {}) {
    QJsonObject error = extra;
    error.insert(QStringLiteral("code"), code);
    error.insert(QStringLiteral("message"), message);
    out << QJsonDocument(
               QJsonObject{{QStringLiteral("results"), QJsonArray()}, {QStringLiteral("error"), error}})
               .toJson(QJsonDocument::Compact)
        << "\n";
}

int Cannot_Run(bool json, const QString& code, const QString& message, QTextStream& out, QTextStream& err,
               const QJsonObject& extra = {}) {
    err << "kc40927-cli poll: " << message << "\n";
    if (json)
        Print_Json_Error(out, code, message, extra);
    return Cli_Usage;
}

QString Port_Failure_Code(const Poll_Port_Failure& failure) {
    if (failure.Port.trimmed().isEmpty())
        return QStringLiteral("port_name_empty");
    return failure.Setting.isEmpty() ? QStringLiteral("port_not_opened")
                                     : QStringLiteral("port_setting_refused");
}

int Run_Poll(const QStringList& args, QTextStream& out, QTextStream& err) {
    Poll_Options options;
    // Known before the options are read, so that wrong options are reported
    // as JSON too.
    const bool json = args.contains(QStringLiteral("--json"));
    if (const auto wrong = Parse_Options(args, options)) {
        err << "kc40927-cli poll: " << *wrong << "\n" << usage_line;
        if (json)
            Print_Json_Error(out, QStringLiteral("usage"), *wrong);
        return Cli_Usage;
    }
    if (!QFileInfo(options.conf_dir).isDir())
        return Cannot_Run(json, QStringLiteral("not_a_configuration"),
                          Shown_Path(options.conf_dir) + QStringLiteral(" is not a configuration folder"),
                          out, err);
    const Text_Table texts;
    General_Params params;
    Access_Rules rules;
    try {
        params = Load_ParGen(Find_File_No_Case(options.conf_dir, Par_Gen::File_Name));
        rules = Load_Sdo(Find_File_No_Case(options.conf_dir, Sdo::File_Name));
    } catch (const Kc_Error& error) {
        return Cannot_Run(json, QStringLiteral("document"), error.Message(), out, err);
    }
    Poll_Serial_Settings settings;
    if (const auto failure = Poll_Settings_From(params, settings))
        return Cannot_Run(json, QStringLiteral("serial_settings"), Poll_Settings_Message(texts, *failure),
                          out, err);

    // The saved rules as the editor shows them: rules 1 to 244 of each table.
    QList<Poll_Request> requests;
    const struct {
        bool chosen;
        Rule_Table table;
        const QList<Access_Rule>& rules;
    } tables[] = {{options.read, Rule_Table::Read, rules.Read_Rules},
                  {options.write, Rule_Table::Write, rules.Write_Rules}};
    for (const auto& table : tables) {
        if (!table.chosen)
            continue;
        Grid_Texts grid = New_Rule_Grid(table.table);
        Fill_Rule_Grid(grid, table.table, table.rules);
        requests += Plan_Poll(grid, table.table, options.first_row, options.last_row);
    }

    Rules_Poller poller;
    QEventLoop loop;
    QObject::connect(&poller, &Rules_Poller::Finished, &loop, &QEventLoop::quit);
    if (const auto failure = poller.Start(options.port, settings, requests)) {
        QJsonObject port{{QStringLiteral("port"), failure->Port}};
        if (!failure->Setting.isEmpty())
            port.insert(QStringLiteral("setting"), failure->Setting);
        return Cannot_Run(json, Port_Failure_Code(*failure), Poll_Port_Message(texts, *failure), out, err,
                          port);
    }
    loop.exec();

    bool all_answered = true;
    QJsonArray results;
    for (const Poll_Result& result : poller.Results()) {
        all_answered = all_answered && result.Status == Poll_Status::Ok;
        if (options.json)
            results.append(Result_Json(texts, result));
        else
            out << Result_Line(texts, result) << "\n";
    }
    if (options.json)
        out << QJsonDocument(QJsonObject{{QStringLiteral("results"), results}}).toJson(QJsonDocument::Compact)
            << "\n";
    else if (requests.isEmpty())
        out << "No enabled rule to poll.\n";
    return all_answered ? Cli_Ok : Cli_Failed;
}

} // namespace

Cli_Command Poll_Cli_Command() {
    return {
        QStringLiteral("poll"),
        QStringLiteral("poll CONF_DIR PORT [--table read|write|both] [--rows FIRST-LAST] [--json]"),
        QStringLiteral("ask the Modbus slaves for what the saved rules read"),
        QStringLiteral(
            "Asks the Modbus slaves on the serial line at PORT (a name such as COM3 or\n"
            "ttyUSB0, or a device path) for exactly what each enabled rule of the saved\n"
            "rules document CONF_DIR/sdo.xml reads, with the serial settings of\n"
            "CONF_DIR/ParGen.xml (Ser_Baud, Ser_Par, Ser_StopBits, eight data bits, Ser_TO\n"
            "as the response time-out, Ser_CD as the pause between requests). One request\n"
            "per rule, in table order, up to each table's first row without a Slave ID:\n"
            "function 1 for Coil Status, 2 Input Status, 3 Holding Register, 4 Input\n"
            "Register. Write rules are never written: their coils (function 1) or\n"
            "registers (function 3) are read back. Protocols Modbus RTU and JBUS only.\n"
            "\n"
            "  --table read|write|both   the tables to poll (both by default)\n"
            "  --rows FIRST-LAST         only these rows of each table\n"
            "  --json                    one JSON object instead of one line per rule:\n"
            "      {\"results\": [{\"table\", \"row\", \"slave\", \"function\", \"address\", \"count\",\n"
            "                    \"status\": \"ok\"|\"exception\"|\"timeout\"|\"error\",\n"
            "                    \"values\" (ok), \"exception\" (exception), \"message\"}]}\n"
            "      also when the command cannot run (exit status 2): no results and the error\n"
            "      {\"results\": [], \"error\": {\"code\", \"message\", \"port\", \"setting\"}}, code one\n"
            "      of usage, not_a_configuration, document, serial_settings, port_name_empty,\n"
            "      port_not_opened, port_setting_refused (\"port\" with the port codes,\n"
            "      \"setting\" with port_setting_refused); the message goes to the error\n"
            "      output too\n"
            "\n"
            "Exit status: 0 every rule answered; 1 a rule was not answered, raised an\n"
            "exception or could not be sent; 2 the command cannot run (wrong arguments,\n"
            "unreadable documents, another protocol, a serial setting out of range, an\n"
            "empty port name, or a port that cannot be opened or refuses a setting)."),
        Run_Poll,
    };
}
