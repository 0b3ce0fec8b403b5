#include "base/kc_error.h"
#include "cli_conf_dir.h"
#include "cli_io_map_commands.h"
#include "document/io_map_text.h"
#include "report/configuration_check.h"

namespace {

const QString usage = QStringLiteral("map CONF_DIR");
constexpr int Bytes_Per_Line = 16;

QString Occupant_Name(const Io_Occupant& occupant) {
    switch (occupant.Reserved) {
    case Reserved_Area::Diagnosis_Copy:
        return QStringLiteral("diagnosis copy");
    case Reserved_Area::Diagnosis_Address:
        return QStringLiteral("diagnosis address");
    case Reserved_Area::Async_Requests:
        return QStringLiteral("asynchronous requests");
    case Reserved_Area::None:
        break;
    }
    return (occupant.Table == Rule_Table::Read ? QStringLiteral("read row ") : QStringLiteral("write row ")) +
           QString::number(occupant.Row);
}

// One symbol per byte: the row of its rule or the letter of its reserved
// area, "+" for several occupants in different bits, "!" where occupants
// overlap, "." when nothing uses it.
QString Byte_Symbol(const Io_Map& map, Io_Area area, int byte, const QList<int>& occupants) {
    if (occupants.isEmpty())
        return QStringLiteral(".");
    if (!map.Overlaps_In_Byte(area, byte).isEmpty())
        return QStringLiteral("!");
    if (occupants.size() > 1)
        return QStringLiteral("+");
    return Io_Occupant_Symbol(map.Occupants[occupants.first()]);
}

void Print_Area(QTextStream& out, const Io_Map& map, Io_Area area) {
    const bool input = area == Io_Area::Input;
    const int bytes = map.Area_Bytes(area);
    out << (input ? "PROFIBUS input area (Modbus read rules): "
                  : "PROFIBUS output area (Modbus write rules): ")
        << bytes << " bytes\n";
    if (bytes > 0) {
        out << "      ";
        for (int column = 0; column < Bytes_Per_Line; ++column)
            out << QStringLiteral("+%1").arg(column).rightJustified(4);
        out << "\n";
    }
    const QList<QList<int>> occupants = map.Byte_Occupants(area);
    for (int line = 0; line < bytes; line += Bytes_Per_Line) {
        out << QString::number(line).rightJustified(4) << ": ";
        for (int byte = line; byte < std::min(bytes, line + Bytes_Per_Line); ++byte)
            out << Byte_Symbol(map, area, byte, occupants[byte]).rightJustified(4);
        out << "\n";
    }
    for (const Io_Overlap& overlap : map.Overlaps) {
        if (overlap.Area != area)
            continue;
        out << (overlap.First_Byte() == overlap.Last_Byte() ? "  overlap, byte " : "  overlap, bytes ")
            << Io_Range_Text(overlap.First_Byte(), overlap.Last_Byte()) << ": "
            << Occupant_Name(map.Occupants[overlap.First]) << " and "
            << Occupant_Name(map.Occupants[overlap.Second]) << "\n";
    }
    QStringList unused;
    for (const Io_Byte_Range& range : map.Unused)
        if (range.Area == area)
            unused.append(Io_Range_Text(range.First_Byte, range.Last_Byte));
    if (!unused.isEmpty())
        out << "  unused bytes: " << unused.join(QStringLiteral(", ")) << "\n";
}

int Run_Map(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1 || args[0].startsWith(u'-')) {
        err << "kc40927-cli map: expected one folder, usage: kc40927-cli " << usage << "\n";
        return Cli_Usage;
    }
    if (!Check_Conf_Dir(args[0], QStringLiteral("map"), usage, err))
        return Cli_Usage;
    Io_Map map;
    try {
        map = Stored_Io_Map(args[0]);
    } catch (const Kc_Error& error) {
        err << "kc40927-cli map: " << error.Message() << "\n";
        return Cli_Failed;
    }
    Print_Area(out, map, Io_Area::Input);
    out << "\n";
    Print_Area(out, map, Io_Area::Output);
    out << "\nEach byte shows the row of the rule that uses it; C diagnosis copy, D diagnosis\n"
           "address, A asynchronous requests; + several occupants in different bits;\n"
           "! occupants overlap; . unused.\n";
    return Cli_Ok;
}

} // namespace

Cli_Command Map_Cli_Command() {
    Cli_Command command;
    command.name = QStringLiteral("map");
    command.usage = usage;
    command.summary = QStringLiteral("print which PROFIBUS bytes the rules and reserved areas use");
    command.help =
        QStringLiteral("Prints the PROFIBUS input area (filled by the Modbus read rules) and output area\n"
                       "(read by the Modbus write rules) of the configuration folder CONF_DIR, 16 bytes\n"
                       "a line, as the rules editor's I/O Map shows them. Each byte shows the row of the\n"
                       "enabled rule that uses it, or the letter of an area the general parameters\n"
                       "reserve (C diagnosis copy, D diagnosis address, A asynchronous requests);\n"
                       "+ several occupants in different bits of the byte; ! occupants overlap;\n"
                       ". unused. Below each area: its overlaps and its unused bytes.\n"
                       "\n"
                       "Exit status: 0 printed; 1 ParGen.xml or sdo.xml cannot be read; 2 wrong\n"
                       "arguments or CONF_DIR is not a readable folder.");
    command.run = Run_Map;
    return command;
}
