#include "output/bank_decoder.h"

#include "base/kc_error.h"
#include "config/modbus_types.h"
#include "config/pargen_names.h"
#include "output/bank_bytes.h"

#include <array>
#include <functional>

namespace {

using namespace Bank;

QString Hex(quint32 value, int digits) {
    return QStringLiteral("0x") + QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

QString Byte_List(const QByteArray& bytes) {
    QStringList parts;
    for (const char byte : bytes)
        parts.append(QStringLiteral("%1").arg(std::uint8_t(byte), 2, 16, QLatin1Char('0')).toUpper());
    return parts.join(u' ');
}

quint32 Field_Value(const QByteArray& bytes, int offset, int size) {
    if (size == 1)
        return Get_U8(bytes, offset);
    if (size == 2)
        return Get_U16(bytes, offset);
    return Get_U32(bytes, offset);
}

class Field_List {
public:
    Field_List(const QByteArray& bytes, int base, QList<Decoded_Field>& fields)
        : bytes_(bytes), base_(base), fields_(fields) {}

    // A number field; `text` receives the value and gives the shown text.
    quint32 Add(const QString& name, int offset, int size, const std::function<QString(quint32)>& text = {}) {
        Decoded_Field field;
        field.Name = name;
        field.Offset = base_ + offset;
        field.Size = size;
        field.Value = Field_Value(bytes_, field.Offset, size);
        field.Text = text ? text(field.Value) : QString::number(field.Value);
        fields_.append(field);
        return field.Value;
    }

    // Four bytes shown as a dotted address.
    void Add_Address(const QString& name, int offset) {
        Add(name, offset, 4, [&](quint32 value) {
            return QStringLiteral("%1.%2.%3.%4")
                .arg(value & 0xFF)
                .arg((value >> 8) & 0xFF)
                .arg((value >> 16) & 0xFF)
                .arg(value >> 24);
        });
    }

private:
    const QByteArray& bytes_;
    int base_;
    QList<Decoded_Field>& fields_;
};

QString Function_Name(int code) {
    switch (code) {
    case 1:
        return QStringLiteral("read coils");
    case 2:
        return QStringLiteral("read discrete inputs");
    case 3:
        return QStringLiteral("read holding registers");
    case 4:
        return QStringLiteral("read input registers");
    case 5:
        return QStringLiteral("write single coil");
    case 6:
        return QStringLiteral("write single register");
    case 15:
        return QStringLiteral("write multiple coils");
    case 16:
        return QStringLiteral("write multiple registers");
    default:
        return QStringLiteral("none");
    }
}

QString Type_Name(int code) {
    for (const Modbus_Type_Info& info : Modbus_Types)
        if (info.Read_Function == (code & 0x7F))
            return info.Name;
    return QStringLiteral("unknown");
}

QString Milliseconds(quint32 value) {
    return QStringLiteral("%1 ms").arg(value);
}

QString Yes_No(quint32 value) {
    return value ? QStringLiteral("%1 (yes)").arg(value) : QStringLiteral("0 (no)");
}

// ---- fixed layout -----------------------------------------------------

Decoded_Rule Fixed_Rule(const QByteArray& bytes, int index) {
    const int r = index * Rule_Record_Size;
    Decoded_Rule rule;
    rule.Index = index;
    rule.Offset = r;
    rule.Raw = bytes.mid(r, Rule_Record_Size);
    rule.Address_Profi = int(Get_U16(bytes, r + 0));
    rule.Bit = int(Get_U16(bytes, r + 2));
    rule.Poll_Time = Get_U32(bytes, r + 4);
    rule.Slave_ID = int(Get_U8(bytes, r + 8));
    rule.Function_Code = int(Get_U8(bytes, r + 9));
    rule.Address_Mod = int(Get_U16(bytes, r + 10));
    rule.NPoint = int(Get_U16(bytes, r + 12));
    rule.Max_Error = Get_U32(bytes, r + 24);
    rule.Profi_Bytes = int(Get_U8(bytes, r + 30));
    const std::uint32_t flags = Get_U8(bytes, r + 31);
    rule.Swap = flags & 0x08;
    rule.On_Change = flags & 0x01;
    switch (rule.Function_Code) {
    case 1:
    case 2:
    case 3:
    case 4:
        rule.Kind = Decoded_Rule_Kind::Input;
        break;
    case 5:
    case 6:
    case 15:
    case 16:
        rule.Kind = Decoded_Rule_Kind::Output;
        break;
    default:
        rule.Kind = rule.Profi_Bytes != 0 ? Decoded_Rule_Kind::Input : Decoded_Rule_Kind::Unknown;
    }
    return rule;
}

void Check_Fixed_Reserved(const QByteArray& bytes, QStringList& problems) {
    struct Range {
        int from;
        int to;
    };
    // Block fields that carry something; every other block byte is reserved.
    static constexpr Range used[] = {{0x000, 0x004}, {0x00C, 0x018}, {0x020, 0x04C}, {0x061, 0x062},
                                     {0x074, 0x07C}, {0x081, 0x082}, {0x0C4, 0x0C8}, {0x12C, 0x130},
                                     {0x138, 0x13C}, {0x250, 0x258}, {0x7FC, 0x800}};
    QStringList offsets;
    for (int i = 0; i < Param_Block_Size; ++i) {
        bool is_used = false;
        for (const Range& range : used)
            is_used = is_used || (i >= range.from && i < range.to);
        if (!is_used && Get_U8(bytes, Param_Block_Offset + i) != 0)
            offsets.append(Hex(quint32(i), 3));
    }
    if (!offsets.isEmpty())
        problems.append(
            QStringLiteral("reserved bytes of the parameter block are not zero at block offsets %1")
                .arg(offsets.join(QStringLiteral(", "))));
}

Decoded_Bank Decode_Fixed(const QByteArray& bytes) {
    if (bytes.size() != Fixed_Image_Size)
        throw Kc_Error(QStringLiteral("Not a fixed-layout configuration image: %1 bytes instead of %2.")
                           .arg(bytes.size())
                           .arg(Fixed_Image_Size));
    Decoded_Bank bank;
    bank.Layout = Bank_Layout::Fixed;
    bank.Size = int(bytes.size());
    bank.Has_General_Section = true;
    bank.Sections = {{QStringLiteral("rule table"), 0, Rule_Table_Size},
                     {QStringLiteral("parameter block"), Param_Block_Offset, Param_Block_Size}};

    Field_List f(bytes, Param_Block_Offset, bank.Parameters);
    const auto baud = [](quint32 v) { return QStringLiteral("%1 bit/s").arg(v); };
    const auto parity = [](quint32 v) {
        return QStringLiteral("%1 (%2)").arg(v).arg(v == 0   ? "none"
                                                    : v == 1 ? "odd"
                                                    : v == 2 ? "even"
                                                             : "unknown");
    };
    const auto stop_bits = [](quint32 v) {
        return QStringLiteral("%1 (%2)").arg(v).arg(v == 0   ? "one stop bit"
                                                    : v == 2 ? "two stop bits"
                                                             : "unknown");
    };
    const quint32 constant_0 = f.Add(QStringLiteral("constant 125000"), 0x000, 4);
    const quint32 baud_1 = f.Add(QStringLiteral("Ser_Baud: baud rate"), 0x00C, 4, baud);
    const quint32 bits_1 = f.Add(QStringLiteral("data bits"), 0x010, 2);
    const quint32 parity_1 = f.Add(QStringLiteral("Ser_Par: parity"), 0x012, 2, parity);
    const quint32 stop_1 = f.Add(QStringLiteral("Ser_StopBits: stop bits"), 0x014, 4, stop_bits);
    f.Add(QStringLiteral("Ser_TO: request time-out"), 0x020, 4, Milliseconds);
    f.Add(QStringLiteral("Ser_CD: delay between requests"), 0x024, 4, Milliseconds);
    f.Add_Address(QStringLiteral("Ethernet_IP: IP address"), 0x028);
    f.Add_Address(QStringLiteral("Ethernet_SM: subnet mask"), 0x02C);
    f.Add_Address(QStringLiteral("Ethernet_GAT: default gateway"), 0x030);
    const quint32 c34 = f.Add(QStringLiteral("constant 10000"), 0x034, 2);
    const quint32 c36 = f.Add(QStringLiteral("constant 10001"), 0x036, 2);
    const quint32 c38 = f.Add(QStringLiteral("constant 10001"), 0x038, 2);
    f.Add(QStringLiteral("option flags"), 0x03A, 2, [](quint32 v) {
        QStringList names;
        if (v & 0x0008)
            names << QStringLiteral("Modbus only while PROFIBUS is active");
        if (v & 0x0100)
            names << QStringLiteral("error/diagnosis");
        if (v & 0x0200)
            names << QStringLiteral("asynchronous requests");
        return QStringLiteral("%1 (%2)").arg(Hex(v, 4), names.isEmpty() ? QStringLiteral("none")
                                                                        : names.join(QStringLiteral(", ")));
    });
    const quint32 baud_2 = f.Add(QStringLiteral("baud rate (copy)"), 0x03C, 4, baud);
    const quint32 bits_2 = f.Add(QStringLiteral("data bits (copy)"), 0x040, 2);
    const quint32 parity_2 = f.Add(QStringLiteral("parity (copy)"), 0x042, 2, parity);
    const quint32 stop_2 = f.Add(QStringLiteral("stop bits (copy)"), 0x044, 4, stop_bits);
    const quint32 records = f.Add(QStringLiteral("rule records in use"), 0x048, 4);
    f.Add(QStringLiteral("Ser_Type: serial line"), 0x061, 1,
          [](quint32 v) { return QStringLiteral("%1 (%2)").arg(v).arg(v == 1 ? "RS232" : "RS485"); });
    f.Add(QStringLiteral("Profi_NB_OUT: PROFIBUS output bytes"), 0x074, 4);
    f.Add(QStringLiteral("Profi_NB_IN: PROFIBUS input bytes"), 0x078, 4);
    f.Add(QStringLiteral("Profi_ID: PROFIBUS station address"), 0x081, 1);
    const quint32 c_c4 =
        f.Add(QStringLiteral("constant 0x64000"), 0x0C4, 4, [](quint32 v) { return Hex(v, 5); });
    f.Add(QStringLiteral("error reporting word"), 0x12C, 4, [](quint32 v) {
        if (v == 0)
            return QStringLiteral("0 (off)");
        if (v == 0xFFFFFFFFu)
            return QStringLiteral("0xFFFFFFFF (state in the PROFIBUS diagnosis)");
        return QStringLiteral("%1 (state in PROFIBUS input byte %1)").arg(v);
    });
    f.Add(QStringLiteral("Ethernet_EN_GAT: gateway marker"), 0x138, 4, [](quint32 v) {
        return v == 0             ? QStringLiteral("00 00 00 00 (gateway used)")
               : v == 0xFFFFFFFFu ? QStringLiteral("FF FF FF FF (gateway not used)")
                                  : Hex(v, 8);
    });
    f.Add(Par_Gen::Profi_Async_Req_Start_IN, 0x250, 4);
    f.Add(Par_Gen::Profi_Async_Req_Start_OUT, 0x254, 4);
    f.Add(QStringLiteral("checksum"), Checksum_Offset, 4, [](quint32 v) { return Hex(v, 8); });

    const QByteArray block = bytes.mid(Param_Block_Offset);
    bank.Has_Checksum = true;
    bank.Checksum_Stored = Get_U32(bytes, Param_Block_Offset + Checksum_Offset);
    for (int i = 0; i < Checksum_Offset; ++i)
        bank.Checksum_Computed += Get_U8(block, i);
    bank.Checksum_Matches = bank.Checksum_Stored == bank.Checksum_Computed;

    QStringList& problems = bank.Problems;
    if (constant_0 != 125000 || c34 != 10000 || c36 != 10001 || c38 != 10001 || c_c4 != 0x64000)
        problems.append(QStringLiteral("a constant of the parameter block does not hold its value"));
    if (bits_1 != 8 || bits_2 != 8)
        problems.append(QStringLiteral("data bits are not 8"));
    if (baud_1 != baud_2 || parity_1 != parity_2 || stop_1 != stop_2)
        problems.append(
            QStringLiteral("the serial settings at 0x03C to 0x044 differ from those at 0x00C to 0x014"));
    Check_Fixed_Reserved(bytes, problems);

    int in_use = int(records);
    if (records > quint32(Rule_Record_Count)) {
        problems.append(QStringLiteral("%1 rule records in use, more than the table's %2")
                            .arg(records)
                            .arg(Rule_Record_Count));
        in_use = Rule_Record_Count;
    }
    for (int i = 0; i < in_use; ++i)
        bank.Rules.append(Fixed_Rule(bytes, i));
    for (int i = in_use; i < Rule_Record_Count; ++i) {
        const QByteArray record = bytes.mid(i * Rule_Record_Size, Rule_Record_Size);
        if (record.count('\0') != Rule_Record_Size) {
            problems.append(QStringLiteral("rule record %1 is not in use but not zero").arg(i));
            break;
        }
    }
    return bank;
}

// ---- packed layout ----------------------------------------------------

struct Packed_Header {
    std::array<quint32, 4> offsets{};
    bool valid = false;
    QString problem;
};

Packed_Header Read_Packed_Header(const QByteArray& bytes) {
    Packed_Header header;
    const qint64 size = bytes.size();
    if (size < Packed_Header_Size + Diagnosis_Bitmap_Size) {
        header.problem = QStringLiteral("%1 bytes are too few").arg(size);
        return header;
    }
    for (int i = 0; i < 4; ++i)
        header.offsets[i] = Get_U32(bytes, 4 * i);
    const auto& o = header.offsets;
    if (o[0] != quint32(Packed_Header_Size))
        header.problem = QStringLiteral("the rule section offset is %1, not 16").arg(o[0]);
    else if (o[1] < o[0] || (o[1] - o[0]) % Packed_Rule_Size != 0)
        header.problem =
            QStringLiteral("the diagnosis list offset %1 does not follow whole 7-byte rules").arg(o[1]);
    else if (o[2] < o[1])
        header.problem = QStringLiteral("the bitmap offset %1 lies before the diagnosis list").arg(o[2]);
    else if (quint64(o[3]) != quint64(o[2]) + Diagnosis_Bitmap_Size)
        header.problem =
            QStringLiteral("the general section offset %1 does not follow the 32-byte bitmap").arg(o[3]);
    else if (quint64(size) != o[3] && quint64(size) != quint64(o[3]) + General_Section_Size)
        header.problem =
            QStringLiteral("the file length %1 ends neither at %2 nor after a 33-byte general section")
                .arg(size)
                .arg(o[3]);
    else
        header.valid = true;
    return header;
}

Decoded_Rule Packed_Rule(const QByteArray& bytes, int index, Decoded_Rule_Kind kind) {
    const int r = Packed_Header_Size + index * Packed_Rule_Size;
    Decoded_Rule rule;
    rule.Index = index;
    rule.Offset = r;
    rule.Kind = kind;
    rule.Raw = bytes.mid(r, Packed_Rule_Size);
    rule.Slave_ID = int(Get_U8(bytes, r));
    if (kind == Decoded_Rule_Kind::Output) {
        rule.Address_Mod = int(Get_U16(bytes, r + 1));
        rule.NPoint = int(Get_U8(bytes, r + 3));
        rule.Address_Profi = int(Get_U8(bytes, r + 4));
        rule.Type_Code = int(Get_U8(bytes, r + 5));
        rule.Force_Multiple = rule.Type_Code & 0x80;
    } else if (kind == Decoded_Rule_Kind::Input) {
        rule.Type_Code = int(Get_U8(bytes, r + 1));
        rule.Address_Mod = int(Get_U16(bytes, r + 2));
        rule.NPoint = int(Get_U8(bytes, r + 4));
        rule.Address_Profi = int(Get_U8(bytes, r + 5));
    }
    rule.Swap = Get_U8(bytes, r + 6) != 0;
    return rule;
}

void Packed_General(const QByteArray& bytes, int at, QList<Decoded_Field>& fields) {
    Field_List f(bytes, at, fields);
    static const char* const bauds[] = {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"};
    f.Add(Par_Gen::Ser_Baud, 0, 1, [](quint32 v) {
        return v < 8 ? QStringLiteral("%1 (%2 bit/s)").arg(v).arg(bauds[v]) : QString::number(v);
    });
    f.Add(Par_Gen::Ser_Par, 1, 1, [](quint32 v) {
        return QStringLiteral("%1 (%2)").arg(v).arg(v == 0   ? "none"
                                                    : v == 1 ? "even"
                                                    : v == 2 ? "odd"
                                                             : "unknown");
    });
    f.Add(Par_Gen::Ser_TO, 2, 2, Milliseconds);
    f.Add(Par_Gen::Ser_CD, 4, 2, Milliseconds);
    f.Add(QStringLiteral("serial line"), 6, 1,
          [](quint32 v) { return QStringLiteral("%1 (%2)").arg(v).arg(v == 0 ? "RS485" : "RS232"); });
    f.Add(QStringLiteral("ASCII framing"), 7, 1, Yes_No);
    f.Add(Par_Gen::Profi_ID, 8, 1);
    f.Add(Par_Gen::Profi_Baud, 9, 1);
    f.Add(Par_Gen::Profi_NB_IN, 10, 1);
    f.Add(Par_Gen::Profi_NB_OUT, 11, 1);
    f.Add(QStringLiteral("input rules"), 12, 2);
    f.Add(QStringLiteral("output rules"), 14, 2);
    f.Add(Par_Gen::Ser_Write_Mode, 16, 1);
    f.Add(Par_Gen::Profi_Enable_Error, 17, 1, Yes_No);
    f.Add(Par_Gen::Profi_Num_Cont_Err, 18, 1);
    f.Add(Par_Gen::Profi_Enable_Diagnosis, 19, 1, Yes_No);
    f.Add(Par_Gen::Profi_Enable_Cancel_Data, 20, 1, Yes_No);
    f.Add(QStringLiteral("diagnosis entries"), 21, 1);
    f.Add(Par_Gen::Profi_Diagnosis_Zero, 22, 1, Yes_No);
    f.Add(Par_Gen::Ser_StopBits, 23, 1, [](quint32 v) {
        return QStringLiteral("%1 (%2)").arg(v).arg(v == 0   ? "one stop bit"
                                                    : v == 1 ? "two stop bits"
                                                             : "unknown");
    });
    f.Add(Par_Gen::Profi_Enable_Async_Mod_Req, 24, 1, Yes_No);
    f.Add(Par_Gen::Profi_Async_Req_Start_IN, 25, 1);
    f.Add(Par_Gen::Profi_Async_Req_Start_OUT, 26, 1);
    f.Add(Par_Gen::Del_Modbus_on_PROFI_error, 27, 1, Yes_No);
    f.Add(Par_Gen::Ser_Enable_Modbus_PROFIBUS_Active, 28, 1, Yes_No);
    f.Add(QStringLiteral("data bits"), 29, 1);
    f.Add(Par_Gen::Profi_Diagnosis_Copy_Array, 30, 1, Yes_No);
    f.Add(Par_Gen::Profi_Diagnosis_Copy_Array_Position, 31, 2);
}

Decoded_Bank Decode_Packed(const QByteArray& bytes) {
    const Packed_Header header = Read_Packed_Header(bytes);
    if (!header.valid)
        throw Kc_Error(QStringLiteral("Not a packed configuration image: %1.").arg(header.problem));
    const auto& o = header.offsets;
    Decoded_Bank bank;
    bank.Layout = Bank_Layout::Packed;
    bank.Size = int(bytes.size());
    bank.Has_General_Section = quint32(bytes.size()) != o[3];
    bank.Sections = {{QStringLiteral("header"), 0, Packed_Header_Size},
                     {QStringLiteral("rules"), int(o[0]), int(o[1] - o[0])},
                     {QStringLiteral("diagnosis list"), int(o[1]), int(o[2] - o[1])},
                     {QStringLiteral("diagnosis bitmap"), int(o[2]), Diagnosis_Bitmap_Size}};
    if (bank.Has_General_Section)
        bank.Sections.append({QStringLiteral("general section"), int(o[3]), General_Section_Size});

    Field_List header_fields(bytes, 0, bank.Parameters);
    header_fields.Add(QStringLiteral("offset of the rules"), 0, 4);
    header_fields.Add(QStringLiteral("offset of the diagnosis list"), 4, 4);
    header_fields.Add(QStringLiteral("offset of the diagnosis bitmap"), 8, 4);
    header_fields.Add(QStringLiteral("offset of the general section"), 12, 4);

    const int rule_count = int((o[1] - o[0]) / Packed_Rule_Size);
    int input_rules = -1;
    if (bank.Has_General_Section) {
        Packed_General(bytes, int(o[3]), bank.Parameters);
        const int in = int(Get_U16(bytes, int(o[3]) + 12));
        const int out = int(Get_U16(bytes, int(o[3]) + 14));
        if (in + out == rule_count)
            input_rules = in;
        else
            bank.Problems.append(
                QStringLiteral("the general section counts %1 input and %2 output rules, the rule "
                               "section holds %3")
                    .arg(in)
                    .arg(out)
                    .arg(rule_count));
        if (Get_U8(bytes, int(o[3]) + 21) != ((o[2] - o[1]) & 0xFF))
            bank.Problems.append(
                QStringLiteral("the general section's diagnosis count differs from the list"));
    }
    for (int i = 0; i < rule_count; ++i) {
        const Decoded_Rule_Kind kind = input_rules < 0   ? Decoded_Rule_Kind::Unknown
                                       : i < input_rules ? Decoded_Rule_Kind::Input
                                                         : Decoded_Rule_Kind::Output;
        bank.Rules.append(Packed_Rule(bytes, i, kind));
    }
    QByteArray expected_bitmap(Diagnosis_Bitmap_Size, '\0');
    for (quint32 at = o[1]; at < o[2]; ++at) {
        const int id = int(Get_U8(bytes, int(at)));
        bank.Diagnosis_IDs.append(id);
        expected_bitmap[id / 8] = char(std::uint8_t(expected_bitmap[id / 8]) | (1u << (id % 8)));
    }
    bank.Diagnosis_Bitmap = bytes.mid(int(o[2]), Diagnosis_Bitmap_Size);
    if (bank.Diagnosis_Bitmap != expected_bitmap)
        bank.Problems.append(QStringLiteral("the diagnosis bitmap does not match the diagnosis list"));
    return bank;
}

QString Kind_Name(Decoded_Rule_Kind kind) {
    switch (kind) {
    case Decoded_Rule_Kind::Input:
        return QStringLiteral("input ");
    case Decoded_Rule_Kind::Output:
        return QStringLiteral("output");
    default:
        return QStringLiteral("?     ");
    }
}

QString Format_Rule(const Decoded_Rule& rule, Bank_Layout layout) {
    QString line = QStringLiteral("  #%1 at %2  %3")
                       .arg(rule.Index, 3)
                       .arg(Hex(quint32(rule.Offset), 4), Kind_Name(rule.Kind));
    if (layout == Bank_Layout::Fixed) {
        line += QStringLiteral(
                    "  slave %1  function %2 (%3)  Modbus address %4  points %5  PROFIBUS byte %6 bit %7")
                    .arg(rule.Slave_ID)
                    .arg(rule.Function_Code)
                    .arg(Function_Name(rule.Function_Code))
                    .arg(rule.Address_Mod)
                    .arg(rule.NPoint)
                    .arg(rule.Address_Profi)
                    .arg(rule.Bit);
        if (rule.Kind != Decoded_Rule_Kind::Output)
            line += QStringLiteral("  bytes %1").arg(rule.Profi_Bytes);
        line += QStringLiteral("  poll %1 ms  max errors %2  swap %3")
                    .arg(rule.Poll_Time)
                    .arg(rule.Max_Error)
                    .arg(rule.Swap ? "yes" : "no");
        if (rule.Kind != Decoded_Rule_Kind::Input)
            line += QStringLiteral("  on change %1").arg(rule.On_Change ? "yes" : "no");
        return line;
    }
    if (rule.Kind == Decoded_Rule_Kind::Unknown)
        return line + QStringLiteral("  bytes %1").arg(Byte_List(rule.Raw));
    line +=
        QStringLiteral("  slave %1  type %2 (%3)  Modbus address %4  points %5  PROFIBUS byte %6  swap %7")
            .arg(rule.Slave_ID)
            .arg(rule.Type_Code)
            .arg(Type_Name(rule.Type_Code))
            .arg(rule.Address_Mod)
            .arg(rule.NPoint)
            .arg(rule.Address_Profi)
            .arg(rule.Swap ? "yes" : "no");
    if (rule.Kind == Decoded_Rule_Kind::Output)
        line += QStringLiteral("  force F15/F16 %1").arg(rule.Force_Multiple ? "yes" : "no");
    return line;
}

} // namespace

Decoded_Bank Decode_Bank(const QByteArray& bytes, Bank_Layout layout) {
    return layout == Bank_Layout::Fixed ? Decode_Fixed(bytes) : Decode_Packed(bytes);
}

Decoded_Bank Decode_Bank(const QByteArray& bytes) {
    const Packed_Header header = Read_Packed_Header(bytes);
    if (bytes.size() == Fixed_Image_Size) {
        Decoded_Bank fixed = Decode_Fixed(bytes);
        if (fixed.Checksum_Matches || !header.valid)
            return fixed;
        return Decode_Packed(bytes);
    }
    if (header.valid)
        return Decode_Packed(bytes);
    throw Kc_Error(
        QStringLiteral("Not a configuration image: %1 bytes, not the fixed layout's %2, and no packed "
                       "image (%3).")
            .arg(bytes.size())
            .arg(Fixed_Image_Size)
            .arg(header.problem));
}

QString Format_Decoded_Bank(const Decoded_Bank& bank) {
    QString text;
    text += QStringLiteral("Layout: %1\n").arg(Bank_Layout_Name(bank.Layout));
    text += QStringLiteral("Size: %1 bytes\n").arg(bank.Size);
    text += QStringLiteral("Sections:\n");
    for (const Decoded_Section& section : bank.Sections)
        text += QStringLiteral("  %1  %2 %3 bytes\n")
                    .arg(Hex(quint32(section.Offset), 4), section.Name.leftJustified(18))
                    .arg(section.Size);

    int in = 0;
    int out = 0;
    for (const Decoded_Rule& rule : bank.Rules) {
        in += rule.Kind == Decoded_Rule_Kind::Input;
        out += rule.Kind == Decoded_Rule_Kind::Output;
    }
    text += QStringLiteral("Rules: %1 (%2 input, %3 output)\n").arg(bank.Rules.size()).arg(in).arg(out);
    for (const Decoded_Rule& rule : bank.Rules)
        text += Format_Rule(rule, bank.Layout) + u'\n';

    if (bank.Layout == Bank_Layout::Packed) {
        QStringList ids;
        for (const int id : bank.Diagnosis_IDs)
            ids.append(QString::number(id));
        text += QStringLiteral("Diagnosis list: %1 entries%2\n")
                    .arg(bank.Diagnosis_IDs.size())
                    .arg(ids.isEmpty() ? QString() : QStringLiteral(": ") + ids.join(QStringLiteral(", ")));
        text += QStringLiteral("Diagnosis bitmap: %1\n").arg(Byte_List(bank.Diagnosis_Bitmap));
        if (!bank.Has_General_Section)
            text += QStringLiteral("General section: none\n");
    }
    text += QStringLiteral("Parameters:\n");
    for (const Decoded_Field& field : bank.Parameters)
        text += QStringLiteral("  %1  %2 %3\n")
                    .arg(Hex(quint32(field.Offset), 4), field.Name.leftJustified(38), field.Text);
    if (bank.Has_Checksum)
        text +=
            QStringLiteral("Checksum: stored %1, computed %2: %3\n")
                .arg(Hex(bank.Checksum_Stored, 8), Hex(bank.Checksum_Computed, 8),
                     bank.Checksum_Matches ? QStringLiteral("matches") : QStringLiteral("DOES NOT MATCH"));
    else
        text += QStringLiteral("Checksum: none in this layout\n");
    for (const QString& problem : bank.Problems)
        text += QStringLiteral("Problem: %1\n").arg(problem);
    return text;
}
