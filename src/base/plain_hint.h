#pragma once

#include <QString>

// A hint (tool tip) from the text table, shown literally. Qt renders a tool
// tip as rich text when it looks like markup, so a text holding "<" is escaped
// and wrapped in a paragraph that keeps its blanks; any other text is
// returned unchanged.
QString Plain_Hint(const QString& text);
