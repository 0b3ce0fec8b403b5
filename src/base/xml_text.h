#pragma once

#include <QString>

// True when the text holds a character an XML file cannot keep as it is: a
// control character (below U+0020, tab and line breaks included, which a
// reader would change), U+FFFE, U+FFFF or half of a surrogate pair. Writers
// refuse such a text instead of dropping or changing the character.
bool Xml_Cannot_Keep(const QString& text);

// The text with each control character shown as <0xNN>, for messages.
QString Visible_Controls(const QString& text);
