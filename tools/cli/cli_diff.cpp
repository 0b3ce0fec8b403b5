#include "cli_diff.h"

#include "base/kc_error.h"
#include "cli_texts.h"
#include "report/configuration_diff.h"

namespace {

const QString usage = QStringLiteral("diff A B [--json]");

int Run_Diff(const QStringList& args, QTextStream& out, QTextStream& err) {
    QStringList sides;
    bool json = false;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--json")) {
            json = true;
        } else if (arg.startsWith(QLatin1String("--"))) {
            err << "kc40927-cli diff: unknown option " << arg << "\nUsage: kc40927-cli " << usage << "\n";
            return Cli_Usage;
        } else {
            sides.append(arg);
        }
    }
    if (sides.size() != 2) {
        err << "kc40927-cli diff: expected A and B, each a configuration folder or a bank.bin\nUsage: "
               "kc40927-cli "
            << usage << "\n";
        return Cli_Usage;
    }
    try {
        const QList<Conf_Difference> differences =
            Compare_Sides(Read_Diff_Side(sides[0]), Read_Diff_Side(sides[1]));
        if (json)
            out << QString::fromUtf8(Differences_Json(differences));
        else if (differences.isEmpty())
            out << "No differences\n";
        else
            out << Differences_Text(differences, Cli_Text_Table());
        return differences.isEmpty() ? Cli_Ok : Cli_Failed;
    } catch (const Kc_Error& error) {
        err << "kc40927-cli diff: " << error.Message() << "\n";
        return Cli_Usage;
    }
}

} // namespace

Cli_Command Diff_Cli_Command() {
    return {
        QStringLiteral("diff"),
        usage,
        QStringLiteral("what changed between two configurations or images"),
        QStringLiteral(
            "Compares A with B, each a configuration folder or a configuration image (bank.bin).\n"
            "Two folders are compared document by document: the general parameters element by\n"
            "element, the read and write rules row by row and the diagnosis IDs entry by entry.\n"
            "Rows are aligned like the lines of a text diff, so an inserted row reads as one\n"
            "inserted row; a changed row lists only its changed fields. Two images are compared\n"
            "through the fields of their layout; a folder and an image by building the folder's\n"
            "image first (nothing is written).\n"
            "\n"
            "Text output, one line per difference:\n"
            "  ParGen: Baudrate (Ser_Baud): 9600 -> 19200\n"
            "  sdo read row 3: Address_Mod: 10 -> 12\n"
            "  sdo write row 4 (B): inserted\n"
            "  diagnosis row 2 (A): removed\n"
            "With --json one object: {\"equal\": bool, \"differences\": [{\"document\":\n"
            "\"ParGen|sdo|diagnosis|image\", \"table\": \"read|write|\", \"row_a\": n|null,\n"
            "\"row_b\": n|null, \"field\": name|null, \"a\": text|null, \"b\": text|null}]},\n"
            "rows counted from 1, fields and values as stored. The same inputs give the same bytes.\n"
            "\n"
            "Exit status: 0 equal; 1 different; 2 wrong arguments, or a side cannot be read,\n"
            "decoded or built (the message says which)."),
        Run_Diff,
    };
}
