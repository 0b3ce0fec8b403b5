#pragma once

#include <QByteArray>
#include <QString>

// A light check of a configuration image as the updater programs receive it:
// its size and section layout, and the checksum of the fixed layout. It does
// not decode the fields.
enum class Bank_Layout { Packed, Fixed };

// The empty text when `bytes` is an image of the layout; otherwise what is
// wrong with it.
QString Check_Bank_Layout(const QByteArray& bytes, Bank_Layout layout);

// Length of the fixed-layout image (hardware with Ethernet).
inline constexpr qsizetype Fixed_Bank_Size = 18432;
