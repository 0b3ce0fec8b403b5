// The PROFIBUS I/O map: which bits each rule and reserved area occupies, and
// what the map finds in them.
#include "base/text_table.h"
#include "document/access_rules_table.h"
#include "document/io_map.h"
#include "document/io_map_text.h"

#include <QTest>

namespace {

const QHash<QString, QString> type_names = {{"HR", "Holding Register"},
                                            {"IR", "Input Register"},
                                            {"CS", "Coil Status"},
                                            {"IS", "Input Status"},
                                            {"cs", "  coil status "}};

// A rule written "<r|w><row> <enable> <type> <position> <npoint> [<start bit>]":
// enable "Y", "N" or "_Y_" (Y between blanks); "end" for a row without a Slave
// ID; types HR, IR, CS, IS, and cs for "  coil status ". Slave 1, address 0 unless set later.
void Put(Grid_Texts& read, Grid_Texts& write, const QString& rule) {
    const QStringList parts = rule.split(u' ');
    Grid_Texts& grid = parts[0].startsWith(u'r') ? read : write;
    const bool is_read = parts[0].startsWith(u'r');
    const int row = parts[0].mid(1).toInt();
    if (parts[1] == "end") {
        grid.Cell(row, Read_Col::Slave_ID) = " ";
        return;
    }
    grid.Cell(row, Read_Col::Enable) = parts[1] == "_Y_" ? " Y " : parts[1];
    grid.Cell(row, Read_Col::Slave_ID) = "1";
    grid.Cell(row, Read_Col::Type) = type_names.value(parts[2], parts[2]);
    grid.Cell(row, Read_Col::Address_Mod) = "0";
    grid.Cell(row, Read_Col::NPoint) = parts[4];
    grid.Cell(row, is_read ? Read_Col::Address_Profi : Write_Col::Address_Profi) = parts[3];
    grid.Cell(row, is_read ? Read_Col::Bit : Write_Col::Bit) = parts.value(5);
    grid.Cell(row, is_read ? Read_Col::Mnemonic : Write_Col::Mnemonic) = "m" + QString::number(row);
}

// General parameters from "Element=value" (flags 1/0).
General_Params Params(const QStringList& changes) {
    General_Params p;
    for (const QString& change : changes) {
        const QString name = change.section(u'=', 0, 0);
        const QString value = change.section(u'=', 1);
        const bool on = value == "1";
        if (name == "Hardware_Type")
            p.Hardware_Type = value.toInt();
        else if (name == "Profi_Enable_Error")
            p.Profi_Enable_Error = on;
        else if (name == "Profi_Enable_Diagnosis")
            p.Profi_Enable_Diagnosis = on;
        else if (name == "Profi_Diagnosis_Copy_Array")
            p.Profi_Diagnosis_Copy_Array = on;
        else if (name == "Profi_Diagnosis_Copy_Array_Position")
            p.Profi_Diagnosis_Copy_Array_Position = value;
        else if (name == "Profi_Enable_Error_Address")
            p.Profi_Enable_Error_Address = value;
        else if (name == "Profi_Enable_Async_Mod_Req")
            p.Profi_Enable_Async_Mod_Req = on;
        else if (name == "Profi_Async_Req_Start_IN")
            p.Profi_Async_Req_Start_IN = value;
        else if (name == "Profi_Async_Req_Start_OUT")
            p.Profi_Async_Req_Start_OUT = value;
        else
            qFatal("unknown element %s", qPrintable(name));
    }
    return p;
}

QString Name(const Io_Occupant& occupant) {
    switch (occupant.Reserved) {
    case Reserved_Area::Diagnosis_Copy:
        return "C";
    case Reserved_Area::Diagnosis_Address:
        return "D";
    case Reserved_Area::Async_Requests:
        return "A";
    case Reserved_Area::None:
        break;
    }
    return (occupant.Table == Rule_Table::Read ? "r" : "w") + QString::number(occupant.Row);
}

QString Area(Io_Area area) {
    return area == Io_Area::Input ? "in" : "out";
}

// "in r1 0-31" per occupant (bits), then "overlap in r1 r2 16-31" per overlap.
QStringList Describe(const Io_Map& map) {
    QStringList lines;
    for (const Io_Occupant& o : map.Occupants)
        lines.append(QString("%1 %2 %3-%4").arg(Area(o.Area), Name(o)).arg(o.First_Bit).arg(o.Last_Bit()));
    for (const Io_Overlap& v : map.Overlaps)
        lines.append(QString("overlap %1 %2 %3 %4-%5")
                         .arg(Area(v.Area), Name(map.Occupants[v.First]), Name(map.Occupants[v.Second]))
                         .arg(v.First_Bit)
                         .arg(v.Last_Bit));
    return lines;
}

struct Tables {
    Grid_Texts read = New_Rule_Grid(Rule_Table::Read);
    Grid_Texts write = New_Rule_Grid(Rule_Table::Write);
};

Io_Map Map_Of(const QStringList& rules, int hardware_type, const QStringList& params = {}, int in_bytes = 244,
              int out_bytes = 244) {
    Tables t;
    for (const QString& rule : rules)
        Put(t.read, t.write, rule);
    QStringList all_params = params;
    all_params.prepend("Hardware_Type=" + QString::number(hardware_type));
    return Build_Io_Map(t.read, t.write, Rules_Limits{hardware_type, in_bytes, out_bytes},
                        Reserved_Areas(Params(all_params)));
}

} // namespace

class Tst_Io_Map : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void occupants_and_overlaps_data();
    void occupants_and_overlaps();
    void unused_bytes_data();
    void unused_bytes();
    void repeated_reads_data();
    void repeated_reads();
    void messages_and_hover_texts();
};

// clang-format off
void Tst_Io_Map::occupants_and_overlaps_data() {
    QTest::addColumn<int>("hardware_type");
    QTest::addColumn<QStringList>("rules");
    QTest::addColumn<QStringList>("params");
    QTest::addColumn<QStringList>("expected");

    // Registers: 16 bits a point from Position * 8.
    QTest::newRow("register against register")
        << 0 << QStringList{"r1 Y HR 0 2", "r2 Y IR 2 1"} << QStringList{}
        << QStringList{"in r1 0-31", "in r2 16-31", "overlap in r1 r2 16-31"};
    QTest::newRow("registers side by side")
        << 0 << QStringList{"r1 Y HR 0 1", "r2 Y HR 2 1"} << QStringList{}
        << QStringList{"in r1 0-15", "in r2 16-31"};
    QTest::newRow("one pair, one finding, for three rules on one byte")
        << 0 << QStringList{"r1 Y HR 0 1", "r2 Y HR 0 1", "r3 Y HR 1 1"} << QStringList{}
        << QStringList{"in r1 0-15", "in r2 0-15", "in r3 8-23",
                       "overlap in r1 r2 0-15", "overlap in r1 r3 8-15", "overlap in r2 r3 8-15"};
    // Bit rules with Ethernet: from Position * 8 + Start Bit.
    QTest::newRow("bit rules share a byte, not a bit")
        << 1 << QStringList{"r1 Y CS 0 4 0", "r2 Y IS 0 4 4"} << QStringList{}
        << QStringList{"in r1 0-3", "in r2 4-7"};
    QTest::newRow("bit rules share one bit")
        << 1 << QStringList{"r1 Y CS 0 5 0", "r2 Y IS 0 4 4"} << QStringList{}
        << QStringList{"in r1 0-4", "in r2 4-7", "overlap in r1 r2 4-4"};
    QTest::newRow("start bit runs into the next byte")
        << 1 << QStringList{"r1 Y CS 1 8 4", "r2 Y HR 2 1"} << QStringList{}
        << QStringList{"in r1 12-19", "in r2 16-31", "overlap in r1 r2 16-19"};
    QTest::newRow("empty start bit counts as 0")
        << 1 << QStringList{"r1 Y CS 3 2"} << QStringList{} << QStringList{"in r1 24-25"};
    // Without Ethernet the Start Bit is not consulted: both start at bit 0.
    QTest::newRow("start bit ignored without Ethernet")
        << 0 << QStringList{"r1 Y CS 0 4 0", "r2 Y IS 0 4 4"} << QStringList{}
        << QStringList{"in r1 0-3", "in r2 0-3", "overlap in r1 r2 0-3"};
    QTest::newRow("hardware type 2 is without Ethernet")
        << 2 << QStringList{"w1 Y CS 0 3 5"} << QStringList{} << QStringList{"out w1 0-2"};
    // The write table: Coil Status is its only bit type.
    QTest::newRow("write Input Status counts as a register")
        << 1 << QStringList{"w1 Y IS 0 1 3"} << QStringList{} << QStringList{"out w1 0-15"};
    QTest::newRow("type in other case and blanks")
        << 1 << QStringList{"w1 Y cs 0 1 3"} << QStringList{} << QStringList{"out w1 3-3"};
    QTest::newRow("the two areas never overlap each other")
        << 0 << QStringList{"r1 Y HR 0 1", "w1 Y HR 0 1"} << QStringList{}
        << QStringList{"in r1 0-15", "out w1 0-15"};
    // What occupies nothing.
    QTest::newRow("disabled rule ignored")
        << 0 << QStringList{"r1 Y HR 0 1", "r2 N HR 0 1", "r3 _Y_ HR 4 1"} << QStringList{}
        << QStringList{"in r1 0-15", "in r3 32-47"};
    QTest::newRow("rows after the table's end ignored")
        << 0 << QStringList{"r1 Y HR 0 1", "r2 end", "r3 Y HR 0 1", "w2 Y HR 0 1"} << QStringList{}
        << QStringList{"in r1 0-15"};
    QTest::newRow("no type, bad position or no points")
        << 0 << QStringList{"r1 Y  0 1", "r2 Y HR abc 1", "r3 Y HR -1 1", "r4 Y HR 0 0", "r5 Y HR 0 x"}
        << QStringList{} << QStringList{};
    QTest::newRow("rule beyond the area still counts")
        << 0 << QStringList{"r1 Y HR 250 1", "r2 Y HR 251 1"} << QStringList{}
        << QStringList{"in r1 2000-2015", "in r2 2008-2023", "overlap in r1 r2 2008-2015"};
    // Reserved areas.
    QTest::newRow("diagnosis copy")
        << 0 << QStringList{"r1 Y HR 16 1"}
        << QStringList{"Profi_Enable_Error=1", "Profi_Diagnosis_Copy_Array=1", "Profi_Diagnosis_Copy_Array_Position=10"}
        << QStringList{"in C 80-143", "in r1 128-143", "overlap in C r1 128-143"};
    QTest::newRow("diagnosis copy off without error reporting")
        << 0 << QStringList{}
        << QStringList{"Profi_Enable_Error=0", "Profi_Diagnosis_Copy_Array=1", "Profi_Diagnosis_Copy_Array_Position=10"}
        << QStringList{};
    QTest::newRow("diagnosis copy off without copying")
        << 0 << QStringList{} << QStringList{"Profi_Enable_Error=1", "Profi_Diagnosis_Copy_Array=0"} << QStringList{};
    QTest::newRow("diagnosis copy off with Ethernet")
        << 1 << QStringList{}
        << QStringList{"Profi_Enable_Error=1", "Profi_Enable_Diagnosis=1", "Profi_Diagnosis_Copy_Array=1"}
        << QStringList{};
    QTest::newRow("diagnosis copy at a position that is no number")
        << 0 << QStringList{}
        << QStringList{"Profi_Enable_Error=1", "Profi_Diagnosis_Copy_Array=1", "Profi_Diagnosis_Copy_Array_Position=x"}
        << QStringList{};
    QTest::newRow("diagnosis address")
        << 1 << QStringList{"r1 Y CS 5 1 7"}
        << QStringList{"Profi_Enable_Error=1", "Profi_Enable_Diagnosis=0", "Profi_Enable_Error_Address=5"}
        << QStringList{"in D 40-47", "in r1 47-47", "overlap in D r1 47-47"};
    QTest::newRow("diagnosis address off with PROFIBUS diagnosis")
        << 1 << QStringList{} << QStringList{"Profi_Enable_Error=1", "Profi_Enable_Diagnosis=1"} << QStringList{};
    QTest::newRow("diagnosis address off without error reporting")
        << 1 << QStringList{} << QStringList{"Profi_Enable_Error=0"} << QStringList{};
    QTest::newRow("diagnosis address off without Ethernet")
        << 0 << QStringList{} << QStringList{"Profi_Enable_Error=1", "Profi_Enable_Diagnosis=0"} << QStringList{};
    QTest::newRow("asynchronous requests in both areas")
        << 0 << QStringList{"r1 Y HR 2 1", "w1 Y HR 16 1"}
        << QStringList{"Profi_Enable_Async_Mod_Req=1", "Profi_Async_Req_Start_IN=0", "Profi_Async_Req_Start_OUT=8"}
        << QStringList{"in A 0-31", "in r1 16-31", "out A 64-127", "out w1 128-143", "overlap in A r1 16-31"};
    QTest::newRow("asynchronous requests off")
        << 0 << QStringList{} << QStringList{"Profi_Enable_Async_Mod_Req=0"} << QStringList{};
    QTest::newRow("the special pair reserves nothing")
        << 1 << QStringList{"r1 Y HR 0 1"}
        << QStringList{"Profi_Enable_Async_Mod_Req=1", "Profi_Async_Req_Start_IN=31862", "Profi_Async_Req_Start_OUT=40571"}
        << QStringList{"in r1 0-15"};
    QTest::newRow("half the special pair is an ordinary start")
        << 1 << QStringList{}
        << QStringList{"Profi_Enable_Async_Mod_Req=1", "Profi_Async_Req_Start_IN=31862", "Profi_Async_Req_Start_OUT=4"}
        << QStringList{"in A 254896-254927", "out A 32-95"};
    QTest::newRow("two reserved areas overlap, listed in their order")
        << 0 << QStringList{}
        << QStringList{"Profi_Enable_Async_Mod_Req=1", "Profi_Async_Req_Start_IN=12", "Profi_Async_Req_Start_OUT=0",
                       "Profi_Enable_Error=1", "Profi_Diagnosis_Copy_Array=1", "Profi_Diagnosis_Copy_Array_Position=10"}
        << QStringList{"in C 80-143", "in A 96-127", "out A 0-63", "overlap in C A 96-127"};
}
// clang-format on

void Tst_Io_Map::occupants_and_overlaps() {
    QFETCH(int, hardware_type);
    QFETCH(QStringList, rules);
    QFETCH(QStringList, params);
    QFETCH(QStringList, expected);
    QCOMPARE(Describe(Map_Of(rules, hardware_type, params)), expected);
}

void Tst_Io_Map::unused_bytes_data() {
    QTest::addColumn<QStringList>("rules");
    QTest::addColumn<int>("in_bytes");
    QTest::addColumn<int>("out_bytes");
    QTest::addColumn<QStringList>("expected"); // "in 0-1" per range

    QTest::newRow("gaps around a rule")
        << QStringList{"r1 Y HR 2 1"} << 8 << 0 << QStringList{"in 0-1", "in 4-7"};
    QTest::newRow("a bit in a byte uses it")
        << QStringList{"r1 Y CS 0 1", "w1 Y CS 3 1"} << 2 << 4 << QStringList{"in 1-1", "out 0-2"};
    QTest::newRow("empty areas") << QStringList{} << 0 << 0 << QStringList{};
    QTest::newRow("all used") << QStringList{"r1 Y HR 0 2", "w1 Y HR 0 1"} << 4 << 2 << QStringList{};
    QTest::newRow("sizes limited to 244") << QStringList{} << 300 << -5 << QStringList{"in 0-243"};
}

void Tst_Io_Map::unused_bytes() {
    QFETCH(QStringList, rules);
    QFETCH(int, in_bytes);
    QFETCH(int, out_bytes);
    QFETCH(QStringList, expected);
    const Io_Map map = Map_Of(rules, 0, {}, in_bytes, out_bytes);
    QStringList ranges;
    for (const Io_Byte_Range& range : map.Unused)
        ranges.append(QString("%1 %2-%3").arg(Area(range.Area)).arg(range.First_Byte).arg(range.Last_Byte));
    QCOMPARE(ranges, expected);
}

void Tst_Io_Map::repeated_reads_data() {
    // Read rows "slave|type|address|npoint|enable", each at its own Position.
    QTest::addColumn<QStringList>("reads");
    QTest::addColumn<QStringList>("expected"); // "first/second"

    QTest::newRow("same addresses") << QStringList{"1|HR|100|1|Y", "1|HR|100|1|Y"} << QStringList{"1/2"};
    QTest::newRow("ranges overlap at one end")
        << QStringList{"1|HR|100|5|Y", "1|HR|104|2|Y"} << QStringList{"1/2"};
    QTest::newRow("adjacent ranges") << QStringList{"1|HR|100|5|Y", "1|HR|105|2|Y"} << QStringList{};
    QTest::newRow("other slave") << QStringList{"1|HR|100|1|Y", "2|HR|100|1|Y"} << QStringList{};
    QTest::newRow("other type") << QStringList{"1|HR|100|1|Y", "1|IR|100|1|Y"} << QStringList{};
    QTest::newRow("type in other case")
        << QStringList{"1|HR|7|1|Y", "1| holding REGISTER|7|1|Y"} << QStringList{"1/2"};
    QTest::newRow("numbers in hexadecimal")
        << QStringList{"16|CS|0|8|Y", "$10|CS|x7|1|Y"} << QStringList{"1/2"};
    QTest::newRow("disabled rule") << QStringList{"1|HR|100|1|Y", "1|HR|100|1|N"} << QStringList{};
    QTest::newRow("every pair") << QStringList{"1|HR|0|10|Y", "1|HR|5|1|Y", "1|HR|9|1|Y"}
                                << QStringList{"1/2", "1/3"};
}

void Tst_Io_Map::repeated_reads() {
    QFETCH(QStringList, reads);
    QFETCH(QStringList, expected);
    Tables t;
    for (int i = 0; i < reads.size(); ++i) {
        const QStringList f = reads[i].split(u'|');
        const int row = i + 1;
        Put(t.read, t.write, QString("r%1 %2 HR %3 1").arg(row).arg(f[4]).arg(row * 4));
        t.read.Cell(row, Read_Col::Slave_ID) = f[0];
        t.read.Cell(row, Read_Col::Type) = type_names.value(f[1], f[1]);
        t.read.Cell(row, Read_Col::Address_Mod) = f[2];
        t.read.Cell(row, Read_Col::NPoint) = f[3];
    }
    const Io_Map map = Build_Io_Map(t.read, t.write, Rules_Limits{}, {});
    QStringList found;
    for (const Io_Repeated_Read& repeated : map.Repeated_Reads)
        found.append(QString("%1/%2").arg(repeated.First_Row).arg(repeated.Second_Row));
    QCOMPARE(found, expected);
}

void Tst_Io_Map::messages_and_hover_texts() {
    const Text_Table texts;
    const Io_Map map = Map_Of(
        {"r1 Y HR 0 2", "r2 Y CS 3 4 0", "r3 Y IS 5 4 4", "r4 Y CS 5 3 0"}, 1,
        {"Profi_Enable_Async_Mod_Req=1", "Profi_Async_Req_Start_IN=1", "Profi_Async_Req_Start_OUT=0"}, 16, 8);
    QCOMPARE(map.Overlaps.size(), 3);
    QCOMPARE(Io_Overlap_Message(texts, map, map.Overlaps[0]),
             QString("Overlap in the PROFIBUS input area, byte(s) 1-3: Asynchronous requests and Row 1"));
    QCOMPARE(Io_Overlap_Message(texts, map, map.Overlaps[1]),
             QString("Overlap in the PROFIBUS input area, byte(s) 3: Asynchronous requests and Row 2"));
    QCOMPARE(Io_Overlap_Message(texts, map, map.Overlaps[2]),
             QString("Overlap in the PROFIBUS input area, byte(s) 3: Row 1 and Row 2"));
    QCOMPARE(Io_Repeated_Read_Message(texts, {2, 7}),
             QString("Modbus read repeated: Row 7 reads the same slave, type and addresses as Row 2"));
    QCOMPARE(
        Io_Overlaps_Line(texts, 3),
        QString(
            "Warning: 3 overlap(s) of PROFIBUS bytes in the current rules. Click here to show the I/O Map."));

    QCOMPARE(Io_Byte_Hover_Text(texts, map, Io_Area::Input, 0),
             QString("Byte 0\nRow 1: Holding Register, Modbus address 0, m1"));
    QCOMPARE(Io_Byte_Hover_Text(texts, map, Io_Area::Input, 3),
             QString("Byte 3\nAsynchronous requests\nRow 1: Holding Register, Modbus address 0, m1\n"
                     "Row 2: Coil Status, Modbus address 0, bits 0-3, m2\n!! Overlap"));
    // Bit rules sharing a byte without sharing bits: no overlap mark.
    QCOMPARE(Io_Byte_Hover_Text(texts, map, Io_Area::Input, 5),
             QString("Byte 5\nRow 3: Input Status, Modbus address 0, bits 4-7, m3\n"
                     "Row 4: Coil Status, Modbus address 0, bits 0-2, m4"));
    QCOMPARE(Io_Byte_Hover_Text(texts, map, Io_Area::Input, 9), QString("Byte 9\nUnused"));
    QCOMPARE(Io_Byte_Hover_Text(texts, map, Io_Area::Output, 7), QString("Byte 7\nAsynchronous requests"));
}

QTEST_GUILESS_MAIN(Tst_Io_Map)
#include "tst_io_map.moc"
