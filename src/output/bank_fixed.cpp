#include "output/bank_fixed.h"

#include "base/int_conversion.h"
#include "base/kc_error.h"
#include "config/modbus_types.h"
#include "config/sdo_names.h"
#include "output/bank_bytes.h"
#include "output/lenient_int_conversion.h"

#include <QDir>

namespace {

using namespace Bank;

constexpr int P = Param_Block_Offset;

// Ser_Baud is an index into the baud rate list.
std::uint32_t Baud_Rate(const ParGen_View& general) {
    static constexpr std::uint32_t rates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    QString text;
    int index = 0;
    if (!general.Text(Par_Gen::Ser_Baud, text) || !Try_Str_To_Int(text, index))
        return 115200;
    return index >= 0 && index <= 7 ? rates[index] : 9600;
}

// Values of the block when there is no general parameters document.
void Initial_Block(QByteArray& image) {
    Put_U32(image, P + 0x000, 125000);
    Put_U32(image, P + 0x00C, 9600);
    Put_U16(image, P + 0x010, 8);
    const std::uint8_t ip[] = {192, 168, 2, 205, 255, 255, 255, 0, 255, 255, 255, 255};
    for (int i = 0; i < 12; ++i)
        Put_U8(image, P + 0x028 + i, ip[i]);
    Put_U16(image, P + 0x034, 10000);
    Put_U16(image, P + 0x036, 10001);
    Put_U16(image, P + 0x038, 10001);
    Put_U32(image, P + 0x03C, 9600);
    Put_U16(image, P + 0x040, 8);
}

void General_Block(QByteArray& image, const ParGen_View& general) {
    QString ser_type;
    Put_U8(image, P + 0x061, general.Text(Par_Gen::Ser_Type, ser_type) && ser_type == u"0" ? 1 : 0);

    const std::uint32_t baud = Baud_Rate(general);
    int parity = general.Number(Par_Gen::Ser_Par, 0);
    if (parity == 1 || parity == 2)
        parity = 3 - parity; // stored 1 even, 2 odd; the device counts 1 odd, 2 even
    int stop_bits = general.Number(Par_Gen::Ser_StopBits, 0);
    if (stop_bits == 1)
        stop_bits = 2;
    for (const int offset : {0x00C, 0x03C})
        Put_U32(image, P + offset, baud);
    for (const int offset : {0x012, 0x042})
        Put_U16(image, P + offset, parity);
    for (const int offset : {0x014, 0x044})
        Put_U32(image, P + offset, stop_bits);

    Put_U32(image, P + 0x020, general.Number(Par_Gen::Ser_TO, 1000));
    Put_U32(image, P + 0x024, general.Number(Par_Gen::Ser_CD, 100));

    std::uint32_t options = 0;
    if (general.Flag(Par_Gen::Ser_Enable_Modbus_PROFIBUS_Active))
        options |= 0x0008;
    Put_U8(image, P + 0x081, general.Number(Par_Gen::Profi_ID, 1));
    Put_U32(image, P + 0x078, general.Number(Par_Gen::Profi_NB_IN, 244));
    Put_U32(image, P + 0x074, general.Number(Par_Gen::Profi_NB_OUT, 244));

    std::uint32_t error_word = 0;
    if (general.Flag(Par_Gen::Profi_Enable_Error)) {
        if (general.Flag(Par_Gen::Profi_Enable_Diagnosis)) {
            error_word = 0xFFFFFFFFu;
            options |= 0x0100;
        } else {
            error_word = general.Number(Par_Gen::Profi_Enable_Error_Address, 1);
        }
    }
    Put_U32(image, P + 0x12C, error_word);

    if (general.Flag(Par_Gen::Profi_Enable_Async_Mod_Req))
        options |= 0x0200;
    Put_U16(image, P + 0x03A, options);
    // The special pair 31862/40571 is stored unchanged in this layout.
    Put_U32(image, P + 0x250, general.Number(Par_Gen::Profi_Async_Req_Start_IN, 0));
    Put_U32(image, P + 0x254, general.Number(Par_Gen::Profi_Async_Req_Start_OUT, 0));

    struct Address_Bytes {
        QLatin1StringView names[4];
        int offset;
        std::uint8_t defaults[4];
    };
    static constexpr Address_Bytes addresses[] = {
        {{Par_Gen::Ethernet_IP1, Par_Gen::Ethernet_IP2, Par_Gen::Ethernet_IP3, Par_Gen::Ethernet_IP4},
         0x028,
         {192, 168, 2, 205}},
        {{Par_Gen::Ethernet_SM1, Par_Gen::Ethernet_SM2, Par_Gen::Ethernet_SM3, Par_Gen::Ethernet_SM4},
         0x02C,
         {255, 255, 255, 0}},
        {{Par_Gen::Ethernet_GAT1, Par_Gen::Ethernet_GAT2, Par_Gen::Ethernet_GAT3, Par_Gen::Ethernet_GAT4},
         0x030,
         {192, 168, 2, 1}},
    };
    for (const Address_Bytes& address : addresses) {
        for (int i = 0; i < 4; ++i)
            Put_U8(image, P + address.offset + i, general.Number(address.names[i], address.defaults[i]));
    }
    Put_U32(image, P + 0x138, general.Flag(Par_Gen::Ethernet_EN_GAT) ? 0u : 0xFFFFFFFFu);
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
    const int r = record * Rule_Record_Size;
    if (input) {
        Put_U16(image, r + 0, rule.Number(Sdo::Address_Profi, 0));
        Put_U16(image, r + 2, rule.Number(Sdo::Bit, 0));
    } else {
        Put_U16(image, r + 0, rule.Mandatory(Sdo::Address_Profi));
        Put_U16(image, r + 2, rule.Mandatory(Sdo::Bit));
    }
    Put_U32(image, r + 4, rule.Mandatory(Sdo::PollTime));
    Put_U8(image, r + 8, rule.Mandatory(Sdo::Slave_ID));
    const QString type = rule.Mandatory_Text(Sdo::Type);
    Put_U16(image, r + 10, rule.Mandatory(Sdo::Address_Mod));
    const std::uint32_t points = rule.Mandatory(Sdo::NPoint) & 0xFFFFu;
    Put_U16(image, r + 12, points);
    const int code = Function_Code(type, input, points, !input && rule.Is_Set(Sdo::ForceF15F16));
    Put_U8(image, r + 9, code);
    Put_U32(image, r + 24, rule.Mandatory(Sdo::MaxError));

    std::uint32_t flags = 0;
    if (input) {
        // PROFIBUS bytes the rule fills: bits packed eight to a byte, registers two bytes each.
        const std::uint32_t bytes = code == 1 || code == 2 ? (points + 7) / 8 : 2 * (points & 0xFFu);
        Put_U8(image, r + 30, bytes);
    } else {
        if (rule.Mandatory_Text(Sdo::OnChange).toUpper() == u"Y")
            flags |= 0x01;
    }
    if (rule.Is_Set(Sdo::Swap))
        flags |= 0x08;
    Put_U8(image, r + 31, flags);
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
    Put_U32(image, P + 0x0C4, 0x64000);
    Put_U16(image, P + 0x03A, 0);
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
    Put_U32(image, P + 0x048, records);
    Put_U32(image, P + Checksum_Offset, Param_Block_Checksum(image));
    return result;
}
