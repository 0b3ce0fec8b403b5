#pragma once

#include <QString>

// True when the text holds a character an XML file cannot keep as it is: a
// control character (below U+0020, tab and line breaks included, which a
// reader would change), U+FFFE, U+FFFF or half of a surrogate pair. Writers
// refuse such a text instead of dropping or changing the character.
bool Xml_Cannot_Keep(const QString& text);

// True when an XML 1.0 document cannot hold the text at all, escaped or not:
// a control character other than tab, LF and CR, U+FFFE, U+FFFF or half of a
// surrogate pair. The document writer stops at such a character.
bool Xml_Cannot_Store(const QString& text);

// The text with each control character shown as <0xNN>, for messages.
QString Visible_Controls(const QString& text);
