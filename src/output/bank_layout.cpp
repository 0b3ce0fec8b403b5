#include "output/bank_layout.h"

#include "document/pargen_schema.h"
#include "output/bank_documents.h"

namespace Bank {

std::uint32_t Source_Value(const ParGen_View& general, const Source& source) {
    int value = 0;
    switch (source.Read) {
    case Reading::Computed:
        Q_ASSERT_X(false, "Source_Value", "a computed field has no element to read");
        break;
    case Reading::Mandatory:
        value = Mandatory_General(general, source.Element);
        break;
    case Reading::Number:
        value = general.Number(source.Element, source.Fallback);
        break;
    case Reading::Flag:
        value = general.Flag(source.Element) ? 1 : 0;
        break;
    }
    return source.Convert ? source.Convert(value) : std::uint32_t(value);
}

namespace Convert {

std::uint32_t Baud_Rate(int index) {
    return index >= 0 && index < ParGen_Schema::Serial_Baud_Rate_Count()
               ? std::uint32_t(ParGen_Schema::Serial_Baud_Rate(index))
               : 9600;
}

std::uint32_t Device_Parity(int stored) {
    return std::uint32_t(stored == 1 || stored == 2 ? 3 - stored : stored);
}

std::uint32_t Device_Stop_Bits(int stored) {
    return std::uint32_t(stored == 1 ? 2 : stored);
}

std::uint32_t Gateway_Marker(int flag) {
    return flag ? 0u : 0xFFFFFFFFu;
}

std::uint32_t Packed_Serial_Line(int ser_type) {
    return ser_type == 1 ? 0 : 1;
}

std::uint32_t Ascii_Framing(int protocol) {
    // Modbus ASCII and plain ASCII; RTU, JBUS, binary and any unknown
    // protocol are not framed in characters.
    return protocol == 1 || protocol == 4 ? 1 : 0;
}

} // namespace Convert

} // namespace Bank
