#pragma once

#include <QString>
#include <QStringList>

class Text_Table;
class Ui_Services;

// Asks where to write a file: the save-file chooser opens in `dir` with
// `filter`, proposing `proposed_name` when it is given. A name that does not
// end in one of `suffixes` (".csv", ".pdf", any letter case) gets the first of
// them appended. When a file of that name exists, text 903 asks before it is
// replaced. Gives the path, or the empty text when the user cancels or does
// not want the file replaced. Throws Kc_Error (text 740 and the reason) when
// Check_Output_Path refuses the name, `dir` being the configuration folder: a
// folder, a device, one of the configuration's own files.
QString Choose_Output_File(Ui_Services& ui, const Text_Table& texts, const QString& dir,
                           const QString& filter, const QStringList& suffixes,
                           const QString& proposed_name = {});
