#include "output/bank_packed.h"

#include "base/int_conversion.h"
#include "base/kc_error.h"
#include "document/modbus_types.h"
#include "document/sdo_names.h"
#include "output/bank_bytes.h"
#include "output/bank_layout.h"

namespace {

using namespace Bank;

// The type's read function code; an unknown type counts as Holding Register.
int Type_Code(const QString& type) {
    const Modbus_Type_Info* info = Modbus_Type_Entry(Modbus_Type_Named(type));
    return info ? info->Read_Function : Modbus_Type_Entry(Modbus_Type::Holding_Register)->Read_Function;
}

void Input_Rule(QByteArray& image, int at, const Rule_Values& rule) {
    namespace R = Packed_Input_Rule;
    Put_Field(image, at, R::Slave_ID, rule.Mandatory(Sdo::Slave_ID));
    Put_Field(image, at, R::Type_Code, Type_Code(rule.Mandatory_Text(Sdo::Type)));
    Put_Field(image, at, R::Address_Mod, rule.Mandatory(Sdo::Address_Mod));
    Put_Field(image, at, R::NPoint, rule.Mandatory(Sdo::NPoint));
    Put_Field(image, at, R::Address_Profi, rule.Mandatory(Sdo::Address_Profi));
    Put_Field(image, at, R::Swap, rule.Is_Set(Sdo::Swap) ? 1 : 0);
}

void Output_Rule(QByteArray& image, int at, const Rule_Values& rule) {
    namespace R = Packed_Output_Rule;
    Put_Field(image, at, R::Slave_ID, rule.Mandatory(Sdo::Slave_ID));
    Put_Field(image, at, R::Address_Mod, rule.Mandatory(Sdo::Address_Mod));
    const int points = rule.Mandatory(Sdo::NPoint);
    Put_Field(image, at, R::NPoint, points);
    Put_Field(image, at, R::Address_Profi, rule.Mandatory(Sdo::Address_Profi));
    // Only coils and registers can be written; anything else is sent as registers.
    std::uint32_t code = Modbus_Type_Named(rule.Text(Sdo::Type)) == Modbus_Type::Coil_Status ? 1 : 3;
    // Asks for the multiple-write function for a single point. The flag is
    // read, and must be there, only for rules of one point.
    if ((points & 0xFF) == 1 && rule.Mandatory_Text(Sdo::ForceF15F16).toUpper() == u"Y")
        code |= R::Force_Multiple;
    Put_Field(image, at, R::Type_Code, code);
    Put_Field(image, at, R::Swap, rule.Is_Set(Sdo::Swap) ? 1 : 0);
}

int Async_Start_Byte(int value, bool special_pair) {
    return special_pair ? Special_Async_Packed : value;
}

void General_Section(QByteArray& image, int at, const ParGen_View& general, int input_rules, int output_rules,
                     int diagnosis_entries) {
    namespace G = Packed_General;
    // The fields read from one element each, in the order they lie: the
    // first mandatory element missing is the one the build names.
    for (const Field& field : G::All)
        if (field.From.Read != Reading::Computed)
            Put_Field(image, at, field, Source_Value(general, field.From));
    Put_Field(image, at, G::Input_Rules, input_rules);
    Put_Field(image, at, G::Output_Rules, output_rules);
    Put_Field(image, at, G::Diagnosis_Entries, diagnosis_entries);
    const int start_in = general.Number(Par_Gen::Profi_Async_Req_Start_IN, 0);
    const int start_out = general.Number(Par_Gen::Profi_Async_Req_Start_OUT, 0);
    const bool special_pair = start_in == Special_Async_Start_In && start_out == Special_Async_Start_Out;
    Put_Field(image, at, G::Profi_Async_Req_Start_IN, Async_Start_Byte(start_in, special_pair));
    Put_Field(image, at, G::Profi_Async_Req_Start_OUT, Async_Start_Byte(start_out, special_pair));
    // Seven data bits exist only with character framing.
    const bool ascii = Source_Value(general, G::Ascii_Framing.From) != 0;
    QString data_bits_text;
    int data_bits = 1;
    const bool seven = ascii && general.Text(Par_Gen::Ser_DataBits, data_bits_text) &&
                       Try_Str_To_Int(data_bits_text, data_bits) && data_bits == 0;
    Put_Field(image, at, G::Data_Bits, seven ? 7 : 8);
}

} // namespace

Bank_Image Build_Packed_Bank(const ParGen_View& pargen, const Sdo_Document& sdo,
                             const Diagnosis_Document& diagnosis) {
    Bank_Image result;
    result.Layout = Bank_Layout::Packed;
    result.Has_General_Section = pargen.Exists();

    QList<Bank_Rule_List> lists;
    if (sdo.Exists)
        lists = {Rule_List(sdo, false), Rule_List(sdo, true)};
    result.Input_Rules = lists.isEmpty() ? 0 : int(lists[0].Rules.size());
    result.Output_Rules = lists.isEmpty() ? 0 : int(lists[1].Rules.size());
    const QStringList& entries = diagnosis.List.IDs;
    result.Diagnosis_Entries = int(entries.size());

    // The whole length is known before anything is written; the device
    // cannot take more than its buffer.
    const qint64 size =
        qint64(Packed_Header_Size) + qint64(Packed_Rule_Size) * (result.Input_Rules + result.Output_Rules) +
        result.Diagnosis_Entries + Diagnosis_Bitmap_Size + (pargen.Exists() ? General_Section_Size : 0);
    if (size > Packed_Image_Limit)
        throw Kc_Error(
            Bank_Error_Prefix() +
            QStringLiteral("the image would be %1 bytes (%2 rules, %3 diagnosis entries); the device "
                           "takes at most %4.")
                .arg(size)
                .arg(result.Input_Rules + result.Output_Rules)
                .arg(result.Diagnosis_Entries)
                .arg(Packed_Image_Limit));

    QByteArray& image = result.Bytes;
    image = QByteArray(int(size), '\0');
    int position = Packed_Header_Size;
    Put_Field(image, 0, Packed_Header::Rules, position);
    for (int l = 0; l < lists.size(); ++l) {
        for (int i = 0; i < lists[l].Rules.size(); ++i) {
            const Rule_Values rule(sdo, lists[l], i, Try_Str_To_Int);
            if (l == 0)
                Input_Rule(image, position, rule);
            else
                Output_Rule(image, position, rule);
            position += Packed_Rule_Size;
        }
    }
    Put_Field(image, 0, Packed_Header::Diagnosis_List, position);

    QByteArray bitmap(Diagnosis_Bitmap_Size, '\0');
    for (int i = 0; i < entries.size(); ++i) {
        const std::uint32_t id = Diagnosis_Entry_Value(diagnosis, i) & 0xFFu;
        Put_U8(image, position++, id);
        bitmap[int(id / 8)] = char(std::uint8_t(bitmap[int(id / 8)]) | (1u << (id % 8)));
    }
    Put_Field(image, 0, Packed_Header::Diagnosis_Bitmap, position);
    image.replace(position, Diagnosis_Bitmap_Size, bitmap);
    position += Diagnosis_Bitmap_Size;
    Put_Field(image, 0, Packed_Header::General_Section, position);

    if (pargen.Exists()) {
        General_Section(image, position, pargen, result.Input_Rules, result.Output_Rules,
                        result.Diagnosis_Entries);
        position += General_Section_Size;
    }
    Q_ASSERT(position == image.size());
    return result;
}
