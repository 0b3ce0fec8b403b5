#include "update/bank_layout_check.h"

#include <QtEndian>

namespace {

quint32 Read_U32(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(bytes.constData() + offset));
}

QString Check_Fixed(const QByteArray& bytes) {
    if (bytes.size() != Fixed_Bank_Size)
        return QStringLiteral("%1 bytes where the fixed layout has %2").arg(bytes.size()).arg(Fixed_Bank_Size);
    constexpr qsizetype block = 0x4000;
    quint32 sum = 0;
    for (qsizetype i = block; i < block + 0x7FC; ++i)
        sum += static_cast<uchar>(bytes[i]);
    const quint32 stored = Read_U32(bytes, block + 0x7FC);
    if (sum != stored)
        return QStringLiteral("checksum %1 where the parameter block sums to %2").arg(stored).arg(sum);
    return {};
}

QString Check_Packed(const QByteArray& bytes) {
    const qsizetype size = bytes.size();
    if (size < 16 + 32)
        return QStringLiteral("%1 bytes, too short for a header and a diagnosis bitmap").arg(size);
    const quint32 rules = Read_U32(bytes, 0);
    const quint32 list = Read_U32(bytes, 4);
    const quint32 bitmap = Read_U32(bytes, 8);
    const quint32 general = Read_U32(bytes, 12);
    if (rules != 16)
        return QStringLiteral("rule section at %1 instead of 16").arg(rules);
    if (list < rules || (list - rules) % 7 != 0)
        return QStringLiteral("diagnosis list at %1 does not follow whole 7-byte rules").arg(list);
    if (bitmap < list || bitmap - list > 256)
        return QStringLiteral("diagnosis bitmap at %1 does not follow the diagnosis list").arg(bitmap);
    if (general != bitmap + 32)
        return QStringLiteral("general section at %1 does not follow the 32-byte bitmap").arg(general);
    if (size != general && size != qsizetype(general) + 33)
        return QStringLiteral("%1 bytes where the header gives %2 or %3").arg(size).arg(general).arg(general + 33);
    if (size == qsizetype(general) + 33 && static_cast<uchar>(bytes[general + 21]) != uchar(bitmap - list))
        return QStringLiteral("general section counts %1 diagnosis entries, the list holds %2")
            .arg(static_cast<uchar>(bytes[general + 21]))
            .arg(bitmap - list);
    return {};
}

} // namespace

QString Check_Bank_Layout(const QByteArray& bytes, Bank_Layout layout) {
    return layout == Bank_Layout::Fixed ? Check_Fixed(bytes) : Check_Packed(bytes);
}
