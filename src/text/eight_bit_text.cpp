#include "text/eight_bit_text.h"

#ifdef Q_OS_WIN
#include <algorithm>
#include <windows.h>
#endif

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the five bytes the code page leaves
// undefined map to the C1 control of the same value, as Windows does. Bytes
// 0xA0 to 0xFF are Latin-1.
constexpr char16_t cp1252_high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QString Decode_Windows_1252(QByteArrayView bytes) {
    QString text;
    text.resize(bytes.size());
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto value = static_cast<unsigned char>(bytes[i]);
        out[i] = QChar(value >= 0x80 && value < 0xA0 ? cp1252_high[value - 0x80] : char16_t(value));
    }
    return text;
}

QString Decode_Eight_Bit(const QByteArray& bytes) {
#ifdef Q_OS_WIN
    if (bytes.isEmpty())
        return QString();
    // The active code page, in pieces the API takes (an int of bytes).
    QString text;
    constexpr qsizetype piece = 1 << 24;
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        const int size = int(std::min(piece, bytes.size() - at));
        const int wide = MultiByteToWideChar(CP_ACP, 0, bytes.constData() + at, size, nullptr, 0);
        if (wide <= 0)
            return Decode_Windows_1252(bytes);
        const qsizetype offset = text.size();
        text.resize(offset + wide);
        MultiByteToWideChar(CP_ACP, 0, bytes.constData() + at, size,
                            reinterpret_cast<wchar_t*>(text.data() + offset), wide);
    }
    return text;
#else
    return Decode_Windows_1252(bytes);
#endif
}
