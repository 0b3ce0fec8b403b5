#pragma once

#include <QString>
#include <QStringList>

class Text_Table;
class Ui_Services;

// Asks where to write a file: the save-file chooser opens in `dir` with
// `filter`. A name that does not end in one of `suffixes` (".csv", ".pdf",
// any letter case) gets the first of them appended. When a file of that name
// exists, text 903 asks before it is replaced. Gives the path, or the empty
// text when the user cancels or does not want the file replaced. Throws
// Kc_Error when the name is that of a folder.
QString Choose_Output_File(Ui_Services& ui, const Text_Table& texts, const QString& dir,
                           const QString& filter, const QStringList& suffixes);
