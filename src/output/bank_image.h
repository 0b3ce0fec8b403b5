#pragma once

#include <QByteArray>
#include <QString>

// The configuration image bank.bin, in the two layouts the device knows.
//
// Fixed layout (hardware type exactly 1, the variant with Ethernet): a table
// of 512 rule records of 32 bytes, then a 2048-byte parameter block ending in
// a checksum; always 18432 bytes.
//
// Packed layout (every other hardware type): a 16-byte header of four section
// offsets, the rules at 7 bytes each, the diagnosis list, a 32-byte diagnosis
// bitmap and, when the general parameters document exists, a 33-byte general
// section. No checksum.
enum class Bank_Layout { Fixed, Packed };

namespace Bank {

inline constexpr int Rule_Record_Size = 32;
inline constexpr int Rule_Record_Count = 512;
inline constexpr int Rule_Table_Size = Rule_Record_Size * Rule_Record_Count; // 16384
inline constexpr int Param_Block_Offset = Rule_Table_Size;                   // 0x4000
inline constexpr int Param_Block_Size = 2048;
inline constexpr int Fixed_Image_Size = Rule_Table_Size + Param_Block_Size; // 18432
inline constexpr int Checksum_Offset = 0x7FC;                               // in the block

inline constexpr int Packed_Header_Size = 16;
inline constexpr int Packed_Rule_Size = 7;
inline constexpr int Diagnosis_Bitmap_Size = 32;
inline constexpr int General_Section_Size = 33;
// The device assembles a packed image in a buffer of this size.
inline constexpr int Packed_Image_Limit = 131072;

// Hardware type of the variant with Ethernet, the only one with the fixed layout.
inline constexpr int Hardware_With_Ethernet = 1;

// Async request start pair that the device treats as a special setting.
inline constexpr int Special_Async_Start_In = 31862;
inline constexpr int Special_Async_Start_Out = 40571;
inline constexpr int Special_Async_Packed = 254;

} // namespace Bank

// A built image with a summary of what went into it.
struct Bank_Image {
    QByteArray Bytes;
    Bank_Layout Layout = Bank_Layout::Packed;
    int Hardware_Type = 0;
    // Rules in the image: in the fixed layout the enabled rules of each list,
    // in the packed layout every rule of each list.
    int Input_Rules = 0;
    int Output_Rules = 0;
    int Diagnosis_Entries = 0;        // packed layout only
    bool Has_General_Section = false; // the general parameters document exists
};

QString Bank_Layout_Name(Bank_Layout layout);
