#include "cli_csv.h"

#include "base/kc_error.h"
#include "base/save_file.h"
#include "base/xml_document.h"
#include "cli_texts.h"
#include "config/table_csv_document.h"
#include "config/table_csv_step.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

QString Shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Checks the three arguments; gives the table or prints the usage error.
std::optional<Csv_Table_Kind> Check_Arguments(const QString& command, const QString& usage,
                                              const QStringList& args, QTextStream& err) {
    if (args.size() != 3 ||
        std::any_of(args.begin(), args.end(), [](const QString& arg) { return arg.startsWith(u'-'); })) {
        err << "kc40927-cli " << command << ": expected three arguments, usage: kc40927-cli " << usage
            << "\n";
        return std::nullopt;
    }
    if (!QFileInfo(args[0]).isDir()) {
        err << "kc40927-cli " << command << ": " << Shown(args[0]) << " is not a folder, usage: kc40927-cli "
            << usage << "\n";
        return std::nullopt;
    }
    const auto kind = Csv_Kind_From_Name(args[1]);
    if (!kind)
        err << "kc40927-cli " << command << ": unknown table \"" << args[1]
            << "\" (read, write or diagnosis), usage: kc40927-cli " << usage << "\n";
    return kind;
}

QString Table_Name(Csv_Table_Kind kind) {
    switch (kind) {
    case Csv_Table_Kind::Read_Rules:
        return QStringLiteral("read rules");
    case Csv_Table_Kind::Write_Rules:
        return QStringLiteral("write rules");
    case Csv_Table_Kind::Diagnosis:
        break;
    }
    return QStringLiteral("diagnosis IDs");
}

const QString export_usage = QStringLiteral("export-csv CONF_DIR read|write|diagnosis OUT.csv");
const QString import_usage = QStringLiteral("import-csv CONF_DIR read|write|diagnosis IN.csv");

int Run_Export(const QStringList& args, QTextStream& out, QTextStream& err) {
    const auto kind = Check_Arguments(QStringLiteral("export-csv"), export_usage, args, err);
    if (!kind)
        return Cli_Usage;
    try {
        const QByteArray csv = Export_Table_Csv(args[0], *kind);
        Save_File_Atomically(args[2], csv);
        out << "Wrote " << Shown(args[2]) << ": " << Table_Name(*kind) << " of "
            << Shown(Table_Document_Path(args[0], *kind)) << "\n";
        return Cli_Ok;
    } catch (const Kc_Error& error) {
        err << "kc40927-cli export-csv: " << error.Message() << "\n";
        return Cli_Failed;
    }
}

int Run_Import(const QStringList& args, QTextStream& out, QTextStream& err) {
    const auto kind = Check_Arguments(QStringLiteral("import-csv"), import_usage, args, err);
    if (!kind)
        return Cli_Usage;
    try {
        const QByteArray csv = Read_Csv_File(args[2]);
        const auto refusal = Import_Table_Csv(args[0], *kind, csv, Cli_Text_Table());
        if (refusal) {
            QStringList where;
            if (refusal->Row > 0)
                where.append(QStringLiteral("row %1").arg(refusal->Row));
            if (!refusal->Column.isEmpty())
                where.append(QStringLiteral("column %1").arg(refusal->Column));
            if (refusal->Line > 0)
                where.append(QStringLiteral("line %1 of %2").arg(refusal->Line).arg(Shown(args[2])));
            err << "kc40927-cli import-csv: " << refusal->Message;
            if (!where.isEmpty())
                err << " (" << where.join(QStringLiteral(", ")) << ")";
            err << "\n" << Shown(Table_Document_Path(args[0], *kind)) << " is unchanged\n";
            return Cli_Failed;
        }
        out << "Wrote " << Shown(Table_Document_Path(args[0], *kind)) << ": " << Table_Name(*kind) << " from "
            << Shown(args[2]) << "\n";
        return Cli_Ok;
    } catch (const Kc_Error& error) {
        err << "kc40927-cli import-csv: " << error.Message() << "\n";
        return Cli_Failed;
    }
}

} // namespace

Cli_Command Export_Csv_Cli_Command() {
    return {
        QStringLiteral("export-csv"),
        export_usage,
        QStringLiteral("write a rule table or the diagnosis list as CSV"),
        QStringLiteral(
            "Writes one table of the configuration folder CONF_DIR to OUT.csv: \"read\" the read\n"
            "rules and \"write\" the write rules of sdo.xml, \"diagnosis\" the IDs of diagnosis.xml.\n"
            "The file is RFC 4180 CSV in UTF-8 with CR LF line ends; its header row holds the\n"
            "document's attribute names (read: Enable,Slave_ID,Type,Address_Mod,NPoint,PollTime,\n"
            "MaxError,Address_Profi,Bit,Swap,Mnemonic; write adds OnChange, OnCMD and ForceF15F16;\n"
            "diagnosis: ID), each row the values exactly as the document holds them. A missing\n"
            "document gives the header row only. OUT.csv is replaced when it exists.\n"
            "\n"
            "Exit status: 0 written; 1 a document cannot be read or OUT.csv cannot be written;\n"
            "2 wrong arguments or CONF_DIR is not a folder."),
        Run_Export,
    };
}

Cli_Command Import_Csv_Cli_Command() {
    return {
        QStringLiteral("import-csv"),
        import_usage,
        QStringLiteral("replace a rule table or the diagnosis list from CSV"),
        QStringLiteral(
            "Replaces one table of the configuration folder CONF_DIR (\"read\", \"write\" or\n"
            "\"diagnosis\", as for export-csv) with the rows of IN.csv and writes the document\n"
            "atomically; the other rule table stays as stored, and a missing document is created\n"
            "with the other table empty. Export then import gives the document back unchanged.\n"
            "\n"
            "IN.csv may have a UTF-8 byte-order mark, \";\" as separator (found from the header),\n"
            "CR LF or LF line ends, quoted fields with doubled quotes and line breaks, and its\n"
            "columns in any order (header names matched without regard to letter case); a\n"
            "missing column is empty. Refused, naming the line: an unknown header name, a row\n"
            "with too many fields, text that is not UTF-8, more than 244 rules (64 IDs).\n"
            "\n"
            "The rows then pass the checks the editor runs on OK, with the hardware type and\n"
            "PROFIBUS area sizes of ParGen.xml; a row with data after the end of the table (the\n"
            "first row without Slave_ID or ID) is refused too, since saving would drop it.\n"
            "\n"
            "Exit status: 0 written; 1 refused (the message names the row, the column and the\n"
            "line; the document is unchanged) or a file cannot be read or written; 2 wrong\n"
            "arguments or CONF_DIR is not a folder."),
        Run_Import,
    };
}
