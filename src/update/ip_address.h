#pragma once

#include <QString>
#include <QStringList>

// Splits a dotted IPv4 text into its four parts. Blanks and control
// characters around the text and around every part are dropped; the fourth
// part is everything after the third ".". True when there are four parts and
// each is an integer from 0 to 255 (the shared integer conversion); `parts`
// then holds the four trimmed texts, else it is left empty.
bool Split_IP_Address(const QString& text, QStringList& parts);

// Removes characters up to and including the blank from both ends.
QString Trim_Blanks(const QString& text);
