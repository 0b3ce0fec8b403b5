#include "cli_csv.h"

#include "base/kc_error.h"
#include "base/output_path.h"
#include "base/save_file.h"
#include "base/shown_text.h"
#include "base/text_table.h"
#include "base/xml_document.h"
#include "cli_texts.h"
#include "csv/table_csv_document.h"
#include "csv/table_csv_step.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

QString Shown(const QString& path) {
    return Shown_Path(path);
}

// Checks the three arguments; gives the table or prints the usage error.
std::optional<Csv_Table_Kind> Check_Arguments(const QString& command, const QString& usage,
                                              const QStringList& args, QTextStream& err,
                                              bool allow_standard_output) {
    if (args.size() != 3 ||
        std::any_of(args.begin(), args.end() - 1, [](const QString& arg) { return arg.startsWith(u'-'); }) ||
        (args[2].startsWith(u'-') && !(allow_standard_output && Is_Standard_Output(args[2])))) {
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
        err << "kc40927-cli " << command << ": unknown table \"" << Escape_Controls(args[1])
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

const QString export_usage = QStringLiteral("export-csv CONF_DIR read|write|diagnosis OUT.csv|-");
const QString import_usage = QStringLiteral("import-csv CONF_DIR read|write|diagnosis IN.csv");

int Run_Export(const QStringList& args, QTextStream& out, QTextStream& err) {
    const auto kind = Check_Arguments(QStringLiteral("export-csv"), export_usage, args, err, true);
    if (!kind)
        return Cli_Usage;
    const Text_Table texts = Cli_Text_Table();
    const QString& target = args[2];
    const bool to_output = Is_Standard_Output(target);
    if (!to_output) {
        const Output_Path_Problem problem = Check_Output_Path(target, args[0]);
        if (problem != Output_Path_Problem::None) {
            err << "kc40927-cli export-csv: " << Output_Path_Message(texts, problem, target);
            if (problem == Output_Path_Problem::Not_Regular_File)
                err << texts[Output_Path_Text::Use_Standard_Output];
            err << "\n";
            return Cli_Failed;
        }
    }
    try {
        const Csv_Export exported = Export_Table_Csv(args[0], *kind, texts);
        if (!exported.Refusal.isEmpty()) {
            err << "kc40927-cli export-csv: " << Shown(Table_Document_Path(args[0], *kind)) << ": "
                << exported.Refusal << "\nNothing was written.\n";
            return Cli_Failed;
        }
        if (to_output) {
            out.flush();
            QFile standard_output;
            if (!standard_output.open(stdout, QIODevice::WriteOnly) ||
                standard_output.write(exported.Csv) != exported.Csv.size() || !standard_output.flush()) {
                err << "kc40927-cli export-csv: cannot write to standard output: "
                    << standard_output.errorString() << "\n";
                return Cli_Failed;
            }
            return Cli_Ok;
        }
        Save_File_Atomically(target, exported.Csv);
        out << "Wrote " << Shown(target) << ": " << Table_Name(*kind) << " of "
            << Shown(Table_Document_Path(args[0], *kind)) << "\n";
        return Cli_Ok;
    } catch (const Kc_Error& error) {
        err << "kc40927-cli export-csv: " << error.Message() << "\n";
        return Cli_Failed;
    }
}

int Run_Import(const QStringList& args, QTextStream& out, QTextStream& err) {
    const auto kind = Check_Arguments(QStringLiteral("import-csv"), import_usage, args, err, false);
    if (!kind)
        return Cli_Usage;
    try {
        const QByteArray csv = Read_Csv_File(args[2]);
        const auto refusal = Import_Table_Csv(args[0], *kind, csv, Cli_Text_Table());
        if (refusal) {
            QStringList where;
            if (!refusal->Document.isEmpty()) {
                // A fault of the stored document: where it is there.
                where.append(Shown(refusal->Document));
                if (refusal->Table)
                    where.append(*refusal->Table == Rule_Table::Read ? QStringLiteral("read table")
                                                                     : QStringLiteral("write table"));
                if (refusal->Row > 0)
                    where.append(QStringLiteral("row ") + QString::number(refusal->Row));
            } else {
                if (refusal->Row > 0)
                    where.append(QStringLiteral("row ") + QString::number(refusal->Row));
                if (!refusal->Column.isEmpty())
                    where.append(QStringLiteral("column ") + Escape_Controls(refusal->Column));
                if (refusal->Line > 0)
                    where.append(QStringLiteral("line ") + QString::number(refusal->Line) +
                                 QStringLiteral(" of ") + Shown(args[2]));
            }
            err << "kc40927-cli import-csv: " << Escape_Controls(refusal->Message);
            if (!where.isEmpty())
                err << " (" << where.join(QStringLiteral(", ")) << ")";
            err << "\nNothing was changed: " << Shown(Table_Document_Path(args[0], *kind))
                << " is unchanged\n";
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
            "Writes one table of the configuration folder CONF_DIR to OUT.csv, or to standard\n"
            "output when OUT is \"-\": \"read\" the read rules and \"write\" the write rules of\n"
            "sdo.xml, \"diagnosis\" the IDs of diagnosis.xml. The file is RFC 4180 CSV in UTF-8\n"
            "with CR LF line ends; its header row holds the document's attribute names (read:\n"
            "Enable,Slave_ID,Type,Address_Mod,NPoint,PollTime,MaxError,Address_Profi,Bit,Swap,\n"
            "Mnemonic; write adds OnChange, OnCMD and ForceF15F16; diagnosis: ID), each row the\n"
            "values as the document holds them. A value that begins with =, +, -, @, a tab or a\n"
            "CR, or with an apostrophe, gets an apostrophe before it, so that a spreadsheet shows\n"
            "it as text instead of running it as a formula; import-csv takes that apostrophe\n"
            "away again. A missing document gives the header row only. OUT.csv is replaced\n"
            "atomically when it exists.\n"
            "\n"
            "Refused, writing nothing: a document whose table holds data after its end (the\n"
            "first row without Slave_ID or ID), which the file would leave out (the words of\n"
            "the check's finding); an OUT.csv that is one of the configuration's own files\n"
            "(ParGen.xml, sdo.xml, diagnosis.xml, bin/bank.bin, in any letter case), a folder,\n"
            "or not a regular file (a device such as /dev/full, a pipe; use - instead).\n"
            "\n"
            "Exit status: 0 written; 1 refused, a document cannot be read or OUT.csv cannot be\n"
            "written; 2 wrong arguments or CONF_DIR is not a folder."),
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
            "CR LF, LF or CR line ends, quoted fields with doubled quotes and line breaks, and its\n"
            "columns in any order. Header names are matched without regard to letter case: the\n"
            "attribute names, or the editor's column headers in English (\"Slave ID\") or in the\n"
            "configurator's language. A missing column is empty. One apostrophe before a value\n"
            "that begins with =, +, -, @, a tab, a CR or a second apostrophe is taken away (the\n"
            "export's guard against formulas). Empty rows at the end are ignored. Refused,\n"
            "naming the line: an unknown header name, a row with too many fields, text that is\n"
            "not UTF-8, more than 244 rules (64 IDs).\n"
            "\n"
            "A Type must be one of the table's names and is stored in its usual spelling (letter\n"
            "case and surrounding blanks aside); a flag column takes Y or N, TRUE or FALSE, YES or\n"
            "NO, 1 or 0, X, or empty, stored as Y, N or empty. Any other Type or flag is refused,\n"
            "naming the row, the column and the line.\n"
            "\n"
            "Every row is stored or nothing is. Refused, naming the row, the column and the\n"
            "line: a value longer than a document holds (Mnemonic 1024 characters, every other\n"
            "value 32), a control character other than tab, CR and LF, a row holding data from\n"
            "the end of the table on (the first row without Slave_ID or ID; an empty row inside\n"
            "the table ends it), and a rule the editor's checks on OK refuse, with the hardware\n"
            "type and PROFIBUS area sizes of ParGen.xml. A fault in the other, stored table of\n"
            "sdo.xml is named there (document, table and row) and must be mended first.\n"
            "\n"
            "Exit status: 0 written; 1 refused (the document is unchanged) or a file cannot be\n"
            "read or written; 2 wrong arguments or CONF_DIR is not a folder."),
        Run_Import,
    };
}
