#pragma once

#include <QByteArray>
#include <cstdint>

// Little-endian fields of the configuration image. A value wider than its
// field keeps its low-order bytes (300 in one byte is 44). Callers keep every
// offset inside the buffer.
namespace Bank {

inline void Put_U8(QByteArray& bytes, int offset, std::uint32_t value) {
    bytes[offset] = static_cast<char>(value & 0xFFu);
}

inline void Put_U16(QByteArray& bytes, int offset, std::uint32_t value) {
    Put_U8(bytes, offset, value);
    Put_U8(bytes, offset + 1, value >> 8);
}

inline void Put_U32(QByteArray& bytes, int offset, std::uint32_t value) {
    Put_U16(bytes, offset, value);
    Put_U16(bytes, offset + 2, value >> 16);
}

inline std::uint32_t Get_U8(const QByteArray& bytes, int offset) {
    return static_cast<std::uint8_t>(bytes[offset]);
}

inline std::uint32_t Get_U16(const QByteArray& bytes, int offset) {
    return Get_U8(bytes, offset) | (Get_U8(bytes, offset + 1) << 8);
}

inline std::uint32_t Get_U32(const QByteArray& bytes, int offset) {
    return Get_U16(bytes, offset) | (Get_U16(bytes, offset + 2) << 16);
}

} // namespace Bank
