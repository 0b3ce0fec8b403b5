#include "output/bank_fixed.h"

#include "base/kc_error.h"
#include "document/modbus_types.h"
#include "document/sdo_names.h"
#include "output/bank_bytes.h"
#include "output/bank_layout.h"
#include "output/lenient_int_conversion.h"

#include <QDir>

namespace {

using namespace Bank;

constexpr int P = Param_Block_Offset;

namespace F = Fixed_Param;

// Values of the block when there is no general parameters document.
void Initial_Block(QByteArray& image) {
    for (const Field& field : F::All)
        if (field.Constant)
            Put_Field(image, P, field, *field.Constant);
    for (const Field& baud : {F::Ser_Baud, F::Ser_Baud_Copy})
        Put_Field(image, P, baud, 9600);
    for (const Field& data_bits : {F::Data_Bits, F::Data_Bits_Copy})
        Put_Field(image, P, data_bits, 8);
    const std::uint8_t ip[] = {192, 168, 2, 205, 255, 255, 255, 0, 255, 255, 255, 255};
    for (int i = 0; i < 12; ++i)
        Put_U8(image, P + F::Ethernet_IP.Offset + i, ip[i]);
}

void General_Block(QByteArray& image, const ParGen_View& general) {
    for (const Field& field : F::All)
        if (field.From.Read != Reading::Computed)
            Put_Field(image, P, field, Source_Value(general, field.From));

    QString ser_type;
    Put_Field(image, P, F::Ser_Type, general.Text(Par_Gen::Ser_Type, ser_type) && ser_type == u"0" ? 1 : 0);

    std::uint32_t options = 0;
    if (general.Flag(Par_Gen::Ser_Enable_Modbus_PROFIBUS_Active))
        options |= F::Option_Modbus_Only_While_Profibus;
    std::uint32_t error_word = 0;
    if (general.Flag(Par_Gen::Profi_Enable_Error)) {
        if (general.Flag(Par_Gen::Profi_Enable_Diagnosis)) {
            error_word = 0xFFFFFFFFu;
            options |= F::Option_Error_Diagnosis;
        } else {
            error_word = general.Number(Par_Gen::Profi_Enable_Error_Address, 1);
        }
    }
    Put_Field(image, P, F::Error_Word, error_word);
    if (general.Flag(Par_Gen::Profi_Enable_Async_Mod_Req))
        options |= F::Option_Async_Requests;
    Put_Field(image, P, F::Options, options);

    struct Address_Bytes {
        QLatin1StringView names[4];
        Field field;
        std::uint8_t defaults[4];
    };
    static constexpr Address_Bytes addresses[] = {
        {{Par_Gen::Ethernet_IP1, Par_Gen::Ethernet_IP2, Par_Gen::Ethernet_IP3, Par_Gen::Ethernet_IP4},
         F::Ethernet_IP,
         {192, 168, 2, 205}},
        {{Par_Gen::Ethernet_SM1, Par_Gen::Ethernet_SM2, Par_Gen::Ethernet_SM3, Par_Gen::Ethernet_SM4},
         F::Ethernet_SM,
         {255, 255, 255, 0}},
        {{Par_Gen::Ethernet_GAT1, Par_Gen::Ethernet_GAT2, Par_Gen::Ethernet_GAT3, Par_Gen::Ethernet_GAT4},
         F::Ethernet_GAT,
         {192, 168, 2, 1}},
    };
    for (const Address_Bytes& address : addresses) {
        for (int i = 0; i < 4; ++i)
            Put_U8(image, P + address.field.Offset + i,
                   general.Number(address.names[i], address.defaults[i]));
    }
}

int Function_Code(const QString& type, bool input, std::uint32_t points, bool force_multiple) {
    const Modbus_Type_Info* info = Modbus_Type_Entry(Modbus_Type_Named(type));
    if (!info)
        return 0;
    if (input)
        return info->Read_Function;
    return points == 1 && !force_multiple ? info->Write_Single : info->Write_Multiple;
}

void Rule_Record(QByteArray& image, int record, const Rule_Values& rule, bool input) {
    namespace R = Fixed_Record;
    const int r = record * Rule_Record_Size;
    if (input) {
        Put_Field(image, r, R::Address_Profi, rule.Number(Sdo::Address_Profi, 0));
        Put_Field(image, r, R::Bit, rule.Number(Sdo::Bit, 0));
    } else {
        Put_Field(image, r, R::Address_Profi, rule.Mandatory(Sdo::Address_Profi));
        Put_Field(image, r, R::Bit, rule.Mandatory(Sdo::Bit));
    }
    Put_Field(image, r, R::Poll_Time, rule.Mandatory(Sdo::PollTime));
    Put_Field(image, r, R::Slave_ID, rule.Mandatory(Sdo::Slave_ID));
    const QString type = rule.Mandatory_Text(Sdo::Type);
    Put_Field(image, r, R::Address_Mod, rule.Mandatory(Sdo::Address_Mod));
    const std::uint32_t points = rule.Mandatory(Sdo::NPoint) & 0xFFFFu;
    Put_Field(image, r, R::NPoint, points);
    const int code = Function_Code(type, input, points, !input && rule.Is_Set(Sdo::ForceF15F16));
    Put_Field(image, r, R::Function_Code, code);
    Put_Field(image, r, R::Max_Error, rule.Mandatory(Sdo::MaxError));

    std::uint32_t flags = 0;
    if (input) {
        // PROFIBUS bytes the rule fills: bits packed eight to a byte, registers two bytes each.
        const std::uint32_t bytes = code == 1 || code == 2 ? (points + 7) / 8 : 2 * (points & 0xFFu);
        Put_Field(image, r, R::Profi_Bytes, bytes);
    } else {
        if (rule.Mandatory_Text(Sdo::OnChange).toUpper() == u"Y")
            flags |= R::Flag_On_Change;
    }
    if (rule.Is_Set(Sdo::Swap))
        flags |= R::Flag_Swap;
    Put_Field(image, r, R::Flags, flags);
}

int Count_Enabled(const Sdo_Document& sdo, const Bank_Rule_List& list) {
    int count = 0;
    for (int i = 0; i < list.Rules.size(); ++i)
        count += Rule_Values(sdo, list, i, Try_Lenient_Str_To_Int).Text(Sdo::Enable) == u"Y" ? 1 : 0;
    return count;
}

} // namespace

quint32 Param_Block_Checksum(const QByteArray& image) {
    quint32 sum = 0;
    for (int i = 0; i < Checksum_Offset; ++i)
        sum += Get_U8(image, Param_Block_Offset + i);
    return sum;
}

Bank_Image Build_Fixed_Bank(const ParGen_View& pargen, const Sdo_Document& sdo) {
    Bank_Image result;
    result.Layout = Bank_Layout::Fixed;
    result.Has_General_Section = pargen.Exists();
    QByteArray& image = result.Bytes;
    image = QByteArray(Fixed_Image_Size, '\0');

    Initial_Block(image);
    if (pargen.Exists())
        General_Block(image, pargen);

    int records = 0;
    if (sdo.Exists) {
        const Bank_Rule_List lists[] = {Rule_List(sdo, false), Rule_List(sdo, true)};
        const int enabled = Count_Enabled(sdo, lists[0]) + Count_Enabled(sdo, lists[1]);
        if (enabled > Rule_Record_Count)
            throw Kc_Error(Bank_Error_Prefix() +
                           QStringLiteral("%1 holds %2 enabled rules; the device's table has room for %3.")
                               .arg(QDir::toNativeSeparators(sdo.Path))
                               .arg(enabled)
                               .arg(Rule_Record_Count));
        for (int l = 0; l < 2; ++l) {
            const bool input = l == 0;
            for (int i = 0; i < lists[l].Rules.size(); ++i) {
                const Rule_Values rule(sdo, lists[l], i, Try_Lenient_Str_To_Int);
                // Disabled rules are passed over without reading anything else.
                if (rule.Text(Sdo::Enable) != u"Y")
                    continue;
                Rule_Record(image, records++, rule, input);
                (input ? result.Input_Rules : result.Output_Rules) += 1;
            }
        }
    }
    Put_Field(image, P, F::Records_In_Use, records);
    Put_Field(image, P, F::Checksum, Param_Block_Checksum(image));
    return result;
}
