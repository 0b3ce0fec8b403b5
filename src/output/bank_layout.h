#pragma once

#include "document/pargen_names.h"
#include "document/pargen_view.h"
#include "output/bank_bytes.h"
#include "output/bank_image.h"

#include <QLatin1StringView>
#include <optional>
#include <span>

// Where the two image layouts put each value, written once: the compilers
// write through these fields and the decoder reads and names them from the
// same entries, so an offset or a width cannot differ between the two.
namespace Bank {

// How the decoder shows a field's value.
enum class Shown_As {
    Number,
    Bit_Rate,           // "9600 bit/s"
    Device_Parity,      // the device's count: 1 odd, 2 even
    Device_Stop_Bits,   // 0 one, 2 two
    Milliseconds,       // "100 ms"
    Dotted_Address,     // four bytes as a dotted address
    Option_Flags,       // the fixed block's option bits by name
    Fixed_Serial_Line,  // 1 RS232, anything else RS485
    Packed_Serial_Line, // 0 RS485, anything else RS232
    Hex_5,              // "0x64000"
    Hex_8,              // "0x0000ABCD"
    Error_Word,         // 0 off, all ones diagnosis, else an input byte
    Gateway_Marker,     // 0 used, all ones not used
    Baud_Index,         // an index into the serial baud rate list
    Stored_Parity,      // the document's count: 1 even, 2 odd
    Stored_Stop_Bits,   // 0 one, 1 two
    Yes_No,
};

// How the compiler reads the one element of ParGen.xml a field holds. The
// device's own compiler read each element in its own way, and the image must
// match it byte for byte: some elements must be there and be numbers, others
// fall back to a value of the device's (not always the document's default)
// when missing or no number, flags count only as "1".
enum class Reading {
    Computed,  // no single element: the compiler combines, copies or counts
    Mandatory, // Mandatory_General: a missing element or no number stops the build
    Number,    // ParGen_View::Number with the fallback
    Flag,      // ParGen_View::Flag: 1 for "1", else 0
};

// Where a field's value comes from: the element, how it is read, and the
// conversion to the device's code when that differs from the document's.
struct Source {
    Reading Read = Reading::Computed;
    QLatin1StringView Element{};
    int Fallback = 0;                        // Reading::Number only
    std::uint32_t (*Convert)(int) = nullptr; // none: the value as read
};

constexpr Source Mandatory(QLatin1StringView element, std::uint32_t (*convert)(int) = nullptr) {
    return {Reading::Mandatory, element, 0, convert};
}
constexpr Source Number(QLatin1StringView element, int fallback, std::uint32_t (*convert)(int) = nullptr) {
    return {Reading::Number, element, fallback, convert};
}
constexpr Source Flag(QLatin1StringView element, std::uint32_t (*convert)(int) = nullptr) {
    return {Reading::Flag, element, 0, convert};
}

struct Field {
    int Offset = 0;           // from the start of its block, section or record
    int Size = 1;             // 1, 2 or 4 bytes, little-endian
    QLatin1StringView Name{}; // what the decoder calls it
    Shown_As Shown = Shown_As::Number;
    Source From{};                           // for a field of the general parameters
    std::optional<std::uint32_t> Constant{}; // a value the device expects and the compiler always writes
};

// A value the device expects, always written as it is.
constexpr Field Constant_At(int offset, int size, QLatin1StringView name, std::uint32_t value,
                            Shown_As shown = Shown_As::Number) {
    return {offset, size, name, shown, Source{}, value};
}

// A field holding one element, named by it.
constexpr Field Element_At(int offset, int size, Source from, Shown_As shown = Shown_As::Number) {
    return {offset, size, from.Element, shown, from};
}

// The value of a field with a source, read from the document as the device's
// compiler did. Throws Kc_Error (Mandatory_General) for a mandatory element
// that is missing or no number.
std::uint32_t Source_Value(const ParGen_View& general, const Source& source);

// Conversions from a document's value to the device's code.
namespace Convert {
std::uint32_t Baud_Rate(int index);         // the index of Ser_Baud to bit/s; 9600 for no index of the list
std::uint32_t Device_Parity(int stored);    // stored 1 even, 2 odd; the device counts 1 odd, 2 even
std::uint32_t Device_Stop_Bits(int stored); // stored 1 for two; the device counts 2
std::uint32_t Gateway_Marker(int flag);     // 0 when the gateway is used, all ones when not
std::uint32_t Packed_Serial_Line(int ser_type); // 0 RS485, 1 RS232
std::uint32_t Ascii_Framing(int protocol);      // Modbus ASCII and plain ASCII are framed in characters
} // namespace Convert

inline void Put_Field(QByteArray& bytes, int base, const Field& field, std::uint32_t value) {
    if (field.Size == 1)
        Put_U8(bytes, base + field.Offset, value);
    else if (field.Size == 2)
        Put_U16(bytes, base + field.Offset, value);
    else
        Put_U32(bytes, base + field.Offset, value);
}

inline std::uint32_t Get_Field(const QByteArray& bytes, int base, const Field& field) {
    if (field.Size == 1)
        return Get_U8(bytes, base + field.Offset);
    if (field.Size == 2)
        return Get_U16(bytes, base + field.Offset);
    return Get_U32(bytes, base + field.Offset);
}

// True when the fields lie in offset order, none overlaps the next, and the
// last ends within `size` bytes (or exactly at it, when `filled`).
constexpr bool Laid_Out(std::span<const Field> fields, int size, bool filled) {
    int end = 0;
    for (const Field& field : fields) {
        if (field.Offset < end || (field.Size != 1 && field.Size != 2 && field.Size != 4))
            return false;
        end = field.Offset + field.Size;
    }
    return filled ? end == size : end <= size;
}

// The fixed layout's parameter block (at Param_Block_Offset), in the order
// the decoder lists it. Every byte no field covers is reserved and zero.
namespace Fixed_Param {
inline constexpr Field Constant_125000 = Constant_At(0x000, 4, QLatin1StringView("constant 125000"), 125000);
// The serial settings, each written twice. A baud rate index that is no
// number counts as the document's default, 7 (115200 bit/s).
inline constexpr Source Baud_Rate = Number(Par_Gen::Ser_Baud, 7, Convert::Baud_Rate);
inline constexpr Source Parity = Number(Par_Gen::Ser_Par, 0, Convert::Device_Parity);
inline constexpr Source Stop_Bits = Number(Par_Gen::Ser_StopBits, 0, Convert::Device_Stop_Bits);
inline constexpr Field Ser_Baud{0x00C, 4, QLatin1StringView("Ser_Baud: baud rate"), Shown_As::Bit_Rate,
                                Baud_Rate};
inline constexpr Field Data_Bits{0x010, 2, QLatin1StringView("data bits")};
inline constexpr Field Ser_Par{0x012, 2, QLatin1StringView("Ser_Par: parity"), Shown_As::Device_Parity,
                               Parity};
inline constexpr Field Ser_StopBits{0x014, 4, QLatin1StringView("Ser_StopBits: stop bits"),
                                    Shown_As::Device_Stop_Bits, Stop_Bits};
inline constexpr Field Ser_TO{0x020, 4, QLatin1StringView("Ser_TO: request time-out"), Shown_As::Milliseconds,
                              Number(Par_Gen::Ser_TO, 1000)};
inline constexpr Field Ser_CD{0x024, 4, QLatin1StringView("Ser_CD: delay between requests"),
                              Shown_As::Milliseconds, Number(Par_Gen::Ser_CD, 100)};
inline constexpr Field Ethernet_IP{0x028, 4, QLatin1StringView("Ethernet_IP: IP address"),
                                   Shown_As::Dotted_Address};
inline constexpr Field Ethernet_SM{0x02C, 4, QLatin1StringView("Ethernet_SM: subnet mask"),
                                   Shown_As::Dotted_Address};
inline constexpr Field Ethernet_GAT{0x030, 4, QLatin1StringView("Ethernet_GAT: default gateway"),
                                    Shown_As::Dotted_Address};
inline constexpr Field Constant_10000 = Constant_At(0x034, 2, QLatin1StringView("constant 10000"), 10000);
inline constexpr Field Constant_10001_A = Constant_At(0x036, 2, QLatin1StringView("constant 10001"), 10001);
inline constexpr Field Constant_10001_B = Constant_At(0x038, 2, QLatin1StringView("constant 10001"), 10001);
inline constexpr Field Options{0x03A, 2, QLatin1StringView("option flags"), Shown_As::Option_Flags};
inline constexpr Field Ser_Baud_Copy{0x03C, 4, QLatin1StringView("baud rate (copy)"), Shown_As::Bit_Rate,
                                     Baud_Rate};
inline constexpr Field Data_Bits_Copy{0x040, 2, QLatin1StringView("data bits (copy)")};
inline constexpr Field Ser_Par_Copy{0x042, 2, QLatin1StringView("parity (copy)"), Shown_As::Device_Parity,
                                    Parity};
inline constexpr Field Ser_StopBits_Copy{0x044, 4, QLatin1StringView("stop bits (copy)"),
                                         Shown_As::Device_Stop_Bits, Stop_Bits};
inline constexpr Field Records_In_Use{0x048, 4, QLatin1StringView("rule records in use")};
inline constexpr Field Ser_Type{0x061, 1, QLatin1StringView("Ser_Type: serial line"),
                                Shown_As::Fixed_Serial_Line};
inline constexpr Field Profi_NB_OUT{0x074, 4, QLatin1StringView("Profi_NB_OUT: PROFIBUS output bytes"),
                                    Shown_As::Number, Number(Par_Gen::Profi_NB_OUT, 244)};
inline constexpr Field Profi_NB_IN{0x078, 4, QLatin1StringView("Profi_NB_IN: PROFIBUS input bytes"),
                                   Shown_As::Number, Number(Par_Gen::Profi_NB_IN, 244)};
inline constexpr Field Profi_ID{0x081, 1, QLatin1StringView("Profi_ID: PROFIBUS station address"),
                                Shown_As::Number, Number(Par_Gen::Profi_ID, 1)};
inline constexpr Field Constant_64000 =
    Constant_At(0x0C4, 4, QLatin1StringView("constant 0x64000"), 0x64000, Shown_As::Hex_5);
inline constexpr Field Error_Word{0x12C, 4, QLatin1StringView("error reporting word"), Shown_As::Error_Word};
inline constexpr Field Gateway_Marker{0x138, 4, QLatin1StringView("Ethernet_EN_GAT: gateway marker"),
                                      Shown_As::Gateway_Marker,
                                      Flag(Par_Gen::Ethernet_EN_GAT, Convert::Gateway_Marker)};
// The special pair 31862/40571 is stored unchanged in this layout.
inline constexpr Field Async_Start_In{0x250, 4, Par_Gen::Profi_Async_Req_Start_IN, Shown_As::Number,
                                      Number(Par_Gen::Profi_Async_Req_Start_IN, 0)};
inline constexpr Field Async_Start_Out{0x254, 4, Par_Gen::Profi_Async_Req_Start_OUT, Shown_As::Number,
                                       Number(Par_Gen::Profi_Async_Req_Start_OUT, 0)};
inline constexpr Field Checksum{Checksum_Offset, 4, QLatin1StringView("checksum"), Shown_As::Hex_8};

inline constexpr Field All[] = {
    Constant_125000,  Ser_Baud,       Data_Bits,      Ser_Par,         Ser_StopBits,   Ser_TO,
    Ser_CD,           Ethernet_IP,    Ethernet_SM,    Ethernet_GAT,    Constant_10000, Constant_10001_A,
    Constant_10001_B, Options,        Ser_Baud_Copy,  Data_Bits_Copy,  Ser_Par_Copy,   Ser_StopBits_Copy,
    Records_In_Use,   Ser_Type,       Profi_NB_OUT,   Profi_NB_IN,     Profi_ID,       Constant_64000,
    Error_Word,       Gateway_Marker, Async_Start_In, Async_Start_Out, Checksum,
};
static_assert(Laid_Out(All, Param_Block_Size, false), "a field of the parameter block overlaps another");

// Bits of the option flags.
inline constexpr std::uint32_t Option_Modbus_Only_While_Profibus = 0x0008;
inline constexpr std::uint32_t Option_Error_Diagnosis = 0x0100;
inline constexpr std::uint32_t Option_Async_Requests = 0x0200;
} // namespace Fixed_Param

// One record of the fixed layout's rule table.
namespace Fixed_Record {
inline constexpr Field Address_Profi{0, 2};
inline constexpr Field Bit{2, 2};
inline constexpr Field Poll_Time{4, 4};
inline constexpr Field Slave_ID{8, 1};
inline constexpr Field Function_Code{9, 1};
inline constexpr Field Address_Mod{10, 2};
inline constexpr Field NPoint{12, 2};
inline constexpr Field Max_Error{24, 4};
inline constexpr Field Profi_Bytes{30, 1}; // input rules: the PROFIBUS bytes the rule fills
inline constexpr Field Flags{31, 1};
inline constexpr std::uint32_t Flag_On_Change = 0x01;
inline constexpr std::uint32_t Flag_Swap = 0x08;
} // namespace Fixed_Record

// The packed layout's header: the offsets of its four sections.
namespace Packed_Header {
inline constexpr Field Rules{0, 4, QLatin1StringView("offset of the rules")};
inline constexpr Field Diagnosis_List{4, 4, QLatin1StringView("offset of the diagnosis list")};
inline constexpr Field Diagnosis_Bitmap{8, 4, QLatin1StringView("offset of the diagnosis bitmap")};
inline constexpr Field General_Section{12, 4, QLatin1StringView("offset of the general section")};
inline constexpr Field All[] = {Rules, Diagnosis_List, Diagnosis_Bitmap, General_Section};
} // namespace Packed_Header

// One 7-byte rule of the packed layout; input and output rules order their
// fields differently.
namespace Packed_Input_Rule {
inline constexpr Field Slave_ID{0, 1};
inline constexpr Field Type_Code{1, 1};
inline constexpr Field Address_Mod{2, 2};
inline constexpr Field NPoint{4, 1};
inline constexpr Field Address_Profi{5, 1};
inline constexpr Field Swap{6, 1};
} // namespace Packed_Input_Rule

namespace Packed_Output_Rule {
inline constexpr Field Slave_ID{0, 1};
inline constexpr Field Address_Mod{1, 2};
inline constexpr Field NPoint{3, 1};
inline constexpr Field Address_Profi{4, 1};
inline constexpr Field Type_Code{5, 1}; // 1 coils, 3 registers; 0x80 forces the multiple-write function
inline constexpr Field Swap{6, 1};
inline constexpr std::uint32_t Force_Multiple = 0x80;
} // namespace Packed_Output_Rule

// The packed layout's 33-byte general section, in the order the decoder
// lists it.
namespace Packed_General {
namespace N = Par_Gen;
inline constexpr Field Ser_Baud = Element_At(0, 1, Mandatory(N::Ser_Baud), Shown_As::Baud_Index);
inline constexpr Field Ser_Par = Element_At(1, 1, Mandatory(N::Ser_Par), Shown_As::Stored_Parity);
inline constexpr Field Ser_TO = Element_At(2, 2, Mandatory(N::Ser_TO), Shown_As::Milliseconds);
inline constexpr Field Ser_CD = Element_At(4, 2, Mandatory(N::Ser_CD), Shown_As::Milliseconds);
inline constexpr Field Serial_Line{6, 1, QLatin1StringView("serial line"), Shown_As::Packed_Serial_Line,
                                   Mandatory(N::Ser_Type, Convert::Packed_Serial_Line)};
inline constexpr Field Ascii_Framing{7, 1, QLatin1StringView("ASCII framing"), Shown_As::Yes_No,
                                     Mandatory(N::Ser_Prot, Convert::Ascii_Framing)};
inline constexpr Field Profi_ID = Element_At(8, 1, Mandatory(N::Profi_ID));
inline constexpr Field Profi_Baud = Element_At(9, 1, Mandatory(N::Profi_Baud));
inline constexpr Field Profi_NB_IN = Element_At(10, 1, Mandatory(N::Profi_NB_IN));
inline constexpr Field Profi_NB_OUT = Element_At(11, 1, Mandatory(N::Profi_NB_OUT));
inline constexpr Field Input_Rules{12, 2, QLatin1StringView("input rules")};
inline constexpr Field Output_Rules{14, 2, QLatin1StringView("output rules")};
inline constexpr Field Ser_Write_Mode = Element_At(16, 1, Number(N::Ser_Write_Mode, 0));
inline constexpr Field Profi_Enable_Error =
    Element_At(17, 1, Number(N::Profi_Enable_Error, 0), Shown_As::Yes_No);
inline constexpr Field Profi_Num_Cont_Err = Element_At(18, 1, Number(N::Profi_Num_Cont_Err, 3));
inline constexpr Field Profi_Enable_Diagnosis =
    Element_At(19, 1, Number(N::Profi_Enable_Diagnosis, 0), Shown_As::Yes_No);
inline constexpr Field Profi_Enable_Cancel_Data =
    Element_At(20, 1, Number(N::Profi_Enable_Cancel_Data, 0), Shown_As::Yes_No);
inline constexpr Field Diagnosis_Entries{21, 1, QLatin1StringView("diagnosis entries")};
inline constexpr Field Profi_Diagnosis_Zero =
    Element_At(22, 1, Number(N::Profi_Diagnosis_Zero, 0), Shown_As::Yes_No);
inline constexpr Field Ser_StopBits =
    Element_At(23, 1, Number(N::Ser_StopBits, 0), Shown_As::Stored_Stop_Bits);
inline constexpr Field Profi_Enable_Async_Mod_Req =
    Element_At(24, 1, Number(N::Profi_Enable_Async_Mod_Req, 0), Shown_As::Yes_No);
inline constexpr Field Profi_Async_Req_Start_IN{25, 1, N::Profi_Async_Req_Start_IN};
inline constexpr Field Profi_Async_Req_Start_OUT{26, 1, N::Profi_Async_Req_Start_OUT};
inline constexpr Field Del_Modbus_on_PROFI_error =
    Element_At(27, 1, Number(N::Del_Modbus_on_PROFI_error, 0), Shown_As::Yes_No);
inline constexpr Field Ser_Enable_Modbus_PROFIBUS_Active =
    Element_At(28, 1, Flag(N::Ser_Enable_Modbus_PROFIBUS_Active), Shown_As::Yes_No);
inline constexpr Field Data_Bits{29, 1, QLatin1StringView("data bits")};
inline constexpr Field Profi_Diagnosis_Copy_Array =
    Element_At(30, 1, Flag(N::Profi_Diagnosis_Copy_Array), Shown_As::Yes_No);
inline constexpr Field Profi_Diagnosis_Copy_Array_Position =
    Element_At(31, 2, Number(N::Profi_Diagnosis_Copy_Array_Position, 100));

inline constexpr Field All[] = {
    Ser_Baud,
    Ser_Par,
    Ser_TO,
    Ser_CD,
    Serial_Line,
    Ascii_Framing,
    Profi_ID,
    Profi_Baud,
    Profi_NB_IN,
    Profi_NB_OUT,
    Input_Rules,
    Output_Rules,
    Ser_Write_Mode,
    Profi_Enable_Error,
    Profi_Num_Cont_Err,
    Profi_Enable_Diagnosis,
    Profi_Enable_Cancel_Data,
    Diagnosis_Entries,
    Profi_Diagnosis_Zero,
    Ser_StopBits,
    Profi_Enable_Async_Mod_Req,
    Profi_Async_Req_Start_IN,
    Profi_Async_Req_Start_OUT,
    Del_Modbus_on_PROFI_error,
    Ser_Enable_Modbus_PROFIBUS_Active,
    Data_Bits,
    Profi_Diagnosis_Copy_Array,
    Profi_Diagnosis_Copy_Array_Position,
};
// A new field makes the section longer: General_Section_Size is part of the
// device's format and must say so.
static_assert(Laid_Out(All, General_Section_Size, true), "the general section's fields must fill it exactly");
} // namespace Packed_General

} // namespace Bank
