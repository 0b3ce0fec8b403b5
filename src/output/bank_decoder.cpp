#include "output/bank_decoder.h"

#include "base/kc_error.h"
#include "document/modbus_types.h"
#include "document/pargen_names.h"
#include "document/pargen_schema.h"
#include "output/bank_bytes.h"
#include "output/bank_layout.h"

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

QString Milliseconds(quint32 value) {
    return QStringLiteral("%1 ms").arg(value);
}

QString Yes_No(quint32 value) {
    return value ? QStringLiteral("%1 (yes)").arg(value) : QStringLiteral("0 (no)");
}

QString Named(quint32 value, const char* name) {
    return QStringLiteral("%1 (%2)").arg(value).arg(QLatin1StringView(name));
}

QString Option_Flags(quint32 v) {
    QStringList names;
    if (v & Fixed_Param::Option_Modbus_Only_While_Profibus)
        names << QStringLiteral("Modbus only while PROFIBUS is active");
    if (v & Fixed_Param::Option_Error_Diagnosis)
        names << QStringLiteral("error/diagnosis");
    if (v & Fixed_Param::Option_Async_Requests)
        names << QStringLiteral("asynchronous requests");
    return QStringLiteral("%1 (%2)").arg(Hex(v, 4), names.isEmpty() ? QStringLiteral("none")
                                                                    : names.join(QStringLiteral(", ")));
}

// A field's value as a reader wants it.
QString Shown_Text(Shown_As shown, quint32 v) {
    switch (shown) {
    case Shown_As::Number:
        return QString::number(v);
    case Shown_As::Bit_Rate:
        return QStringLiteral("%1 bit/s").arg(v);
    case Shown_As::Device_Parity:
        return Named(v, v == 0 ? "none" : v == 1 ? "odd" : v == 2 ? "even" : "unknown");
    case Shown_As::Device_Stop_Bits:
        return Named(v, v == 0 ? "one stop bit" : v == 2 ? "two stop bits" : "unknown");
    case Shown_As::Milliseconds:
        return Milliseconds(v);
    case Shown_As::Dotted_Address:
        return QStringLiteral("%1.%2.%3.%4")
            .arg(v & 0xFF)
            .arg((v >> 8) & 0xFF)
            .arg((v >> 16) & 0xFF)
            .arg(v >> 24);
    case Shown_As::Option_Flags:
        return Option_Flags(v);
    case Shown_As::Fixed_Serial_Line:
        return Named(v, v == 1 ? "RS232" : "RS485");
    case Shown_As::Packed_Serial_Line:
        return Named(v, v == 0 ? "RS485" : "RS232");
    case Shown_As::Hex_5:
        return Hex(v, 5);
    case Shown_As::Hex_8:
        return Hex(v, 8);
    case Shown_As::Error_Word:
        if (v == 0)
            return QStringLiteral("0 (off)");
        if (v == 0xFFFFFFFFu)
            return QStringLiteral("0xFFFFFFFF (state in the PROFIBUS diagnosis)");
        return QStringLiteral("%1 (state in PROFIBUS input byte %1)").arg(v);
    case Shown_As::Gateway_Marker:
        return v == 0             ? QStringLiteral("00 00 00 00 (gateway used)")
               : v == 0xFFFFFFFFu ? QStringLiteral("FF FF FF FF (gateway not used)")
                                  : Hex(v, 8);
    case Shown_As::Baud_Index:
        return v < quint32(ParGen_Schema::Serial_Baud_Rate_Count())
                   ? QStringLiteral("%1 (%2 bit/s)").arg(v).arg(ParGen_Schema::Serial_Baud_Rate(int(v)))
                   : QString::number(v);
    case Shown_As::Stored_Parity:
        return Named(v, v == 0 ? "none" : v == 1 ? "even" : v == 2 ? "odd" : "unknown");
    case Shown_As::Stored_Stop_Bits:
        return Named(v, v == 0 ? "one stop bit" : v == 1 ? "two stop bits" : "unknown");
    case Shown_As::Yes_No:
        return Yes_No(v);
    }
    return QString::number(v);
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

    // A field of the layout tables, named and shown as they say.
    quint32 Add(const Field& field) {
        return Add(field.Name, field.Offset, field.Size,
                   [&field](quint32 value) { return Shown_Text(field.Shown, value); });
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

// ---- fixed layout -----------------------------------------------------

Decoded_Rule Fixed_Rule(const QByteArray& bytes, int index) {
    namespace R = Fixed_Record;
    const int r = index * Rule_Record_Size;
    Decoded_Rule rule;
    rule.Index = index;
    rule.Offset = r;
    rule.Raw = bytes.mid(r, Rule_Record_Size);
    rule.Address_Profi = int(Get_Field(bytes, r, R::Address_Profi));
    rule.Bit = int(Get_Field(bytes, r, R::Bit));
    rule.Poll_Time = Get_Field(bytes, r, R::Poll_Time);
    rule.Slave_ID = int(Get_Field(bytes, r, R::Slave_ID));
    rule.Function_Code = int(Get_Field(bytes, r, R::Function_Code));
    rule.Address_Mod = int(Get_Field(bytes, r, R::Address_Mod));
    rule.NPoint = int(Get_Field(bytes, r, R::NPoint));
    rule.Max_Error = Get_Field(bytes, r, R::Max_Error);
    rule.Profi_Bytes = int(Get_Field(bytes, r, R::Profi_Bytes));
    const std::uint32_t flags = Get_Field(bytes, r, R::Flags);
    rule.Swap = flags & R::Flag_Swap;
    rule.On_Change = flags & R::Flag_On_Change;
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

// Every byte of the block that no field of the layout covers is reserved.
void Check_Fixed_Reserved(const QByteArray& bytes, QStringList& problems) {
    const auto is_used = [](int offset) {
        for (const Field& field : Fixed_Param::All)
            if (offset >= field.Offset && offset < field.Offset + field.Size)
                return true;
        return false;
    };
    QStringList offsets;
    for (int i = 0; i < Param_Block_Size; ++i) {
        if (!is_used(i) && Get_U8(bytes, Param_Block_Offset + i) != 0)
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

    namespace F = Fixed_Param;
    Field_List f(bytes, Param_Block_Offset, bank.Parameters);
    for (const Field& field : F::All)
        f.Add(field);
    const auto value = [&bytes](const Field& field) { return Get_Field(bytes, Param_Block_Offset, field); };

    const QByteArray block = bytes.mid(Param_Block_Offset);
    bank.Has_Checksum = true;
    bank.Checksum_Stored = value(F::Checksum);
    for (int i = 0; i < Checksum_Offset; ++i)
        bank.Checksum_Computed += Get_U8(block, i);
    bank.Checksum_Matches = bank.Checksum_Stored == bank.Checksum_Computed;

    QStringList& problems = bank.Problems;
    bool constants_hold = true;
    for (const Field& field : F::All)
        constants_hold = constants_hold && (!field.Constant || value(field) == *field.Constant);
    if (!constants_hold)
        problems.append(QStringLiteral("a constant of the parameter block does not hold its value"));
    if (value(F::Data_Bits) != 8 || value(F::Data_Bits_Copy) != 8)
        problems.append(QStringLiteral("data bits are not 8"));
    if (value(F::Ser_Baud) != value(F::Ser_Baud_Copy) || value(F::Ser_Par) != value(F::Ser_Par_Copy) ||
        value(F::Ser_StopBits) != value(F::Ser_StopBits_Copy))
        problems.append(
            QStringLiteral("the serial settings at 0x03C to 0x044 differ from those at 0x00C to 0x014"));
    Check_Fixed_Reserved(bytes, problems);

    const quint32 records = value(F::Records_In_Use);
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

struct Header_Offsets {
    std::array<quint32, 4> offsets{};
    bool valid = false;
    QString problem;
};

Header_Offsets Read_Packed_Header(const QByteArray& bytes) {
    Header_Offsets header;
    const qint64 size = bytes.size();
    if (size < Packed_Header_Size + Diagnosis_Bitmap_Size) {
        header.problem = QStringLiteral("%1 bytes are too few").arg(size);
        return header;
    }
    for (int i = 0; i < 4; ++i)
        header.offsets[i] = Get_Field(bytes, 0, Packed_Header::All[i]);
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
    if (kind == Decoded_Rule_Kind::Output) {
        namespace R = Packed_Output_Rule;
        rule.Address_Mod = int(Get_Field(bytes, r, R::Address_Mod));
        rule.NPoint = int(Get_Field(bytes, r, R::NPoint));
        rule.Address_Profi = int(Get_Field(bytes, r, R::Address_Profi));
        rule.Type_Code = int(Get_Field(bytes, r, R::Type_Code));
        rule.Force_Multiple = rule.Type_Code & R::Force_Multiple;
    } else if (kind == Decoded_Rule_Kind::Input) {
        namespace R = Packed_Input_Rule;
        rule.Type_Code = int(Get_Field(bytes, r, R::Type_Code));
        rule.Address_Mod = int(Get_Field(bytes, r, R::Address_Mod));
        rule.NPoint = int(Get_Field(bytes, r, R::NPoint));
        rule.Address_Profi = int(Get_Field(bytes, r, R::Address_Profi));
    }
    // Both kinds keep the slave and the swap flag in the same place.
    static_assert(Packed_Input_Rule::Slave_ID.Offset == Packed_Output_Rule::Slave_ID.Offset &&
                  Packed_Input_Rule::Swap.Offset == Packed_Output_Rule::Swap.Offset);
    rule.Slave_ID = int(Get_Field(bytes, r, Packed_Input_Rule::Slave_ID));
    rule.Swap = Get_Field(bytes, r, Packed_Input_Rule::Swap) != 0;
    return rule;
}

void Packed_General_Fields(const QByteArray& bytes, int at, QList<Decoded_Field>& fields) {
    Field_List f(bytes, at, fields);
    for (const Field& field : Packed_General::All)
        f.Add(field);
}

Decoded_Bank Decode_Packed(const QByteArray& bytes) {
    const Header_Offsets header = Read_Packed_Header(bytes);
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
    for (const Field& field : Packed_Header::All)
        header_fields.Add(field);

    const int rule_count = int((o[1] - o[0]) / Packed_Rule_Size);
    int input_rules = -1;
    if (bank.Has_General_Section) {
        Packed_General_Fields(bytes, int(o[3]), bank.Parameters);
        const int in = int(Get_Field(bytes, int(o[3]), Packed_General::Input_Rules));
        const int out = int(Get_Field(bytes, int(o[3]), Packed_General::Output_Rules));
        if (in + out == rule_count)
            input_rules = in;
        else
            bank.Problems.append(
                QStringLiteral("the general section counts %1 input and %2 output rules, the rule "
                               "section holds %3")
                    .arg(in)
                    .arg(out)
                    .arg(rule_count));
        if (Get_Field(bytes, int(o[3]), Packed_General::Diagnosis_Entries) != ((o[2] - o[1]) & 0xFF))
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
    const Header_Offsets header = Read_Packed_Header(bytes);
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
