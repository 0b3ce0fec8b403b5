#pragma once

#include <QString>
#include <QStringList>

// Names (with their extension) of the language files in `language_dir`:
// every file matching "*.lng" in any letter case, sorted alphabetically
// ignoring case. Folders are skipped, and so is a read-only file (one whose
// owner may not write it). A missing folder gives an empty list.
QStringList List_Language_Files(const QString& language_dir);

// The flag shown for `language`: its own bitmap "<language>.bmp" in
// `language_dir`, else "DefaultFlag.bmp", matched without regard to letter
// case; the empty text when neither exists.
QString Flag_Bitmap_Path(const QString& language_dir, const QString& language);
