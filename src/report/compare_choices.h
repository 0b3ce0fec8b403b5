#pragma once

#include "report/configuration_diff.h"

#include <QList>
#include <QString>

class Text_Table;

// What the open configuration can be compared with in the window: every
// other configuration folder of PROJECTS, then every image the update history
// still keeps, newest first.
struct Compare_Choice {
    QString Label; // as the list shows it
    QString Path;  // a configuration folder or an image file
};
QList<Compare_Choice> Compare_Choices(const QString& projects_dir, const QString& conf_dir,
                                      const Text_Table& texts);

// The texts of the compare window.
namespace Compare_Text {
inline constexpr int Caption = 890;     // "Compare"
inline constexpr int Description = 891; // the window's heading
inline constexpr int With = 892;        // "Compare with:"
inline constexpr int Equal = 893;       // "No differences"
inline constexpr int Count = 894;       // "Differences:"
inline constexpr int Sent = 895;        // "Sent to the device"
inline constexpr int Document = 896;    // column headers
inline constexpr int Table = 897;
inline constexpr int Row = 898;
inline constexpr int Field = 899;
inline constexpr int Before = 505;
inline constexpr int After = 506;
inline constexpr int Inserted = 507; // a row only in B
inline constexpr int Removed = 508;  // a row only in A
inline constexpr int Hint = 509;     // the main window's Compare button
} // namespace Compare_Text

// One line of the window's table: document, table, row, field, before,
// after; the row as "3", "3 -> 4", "4 (inserted)" or "3 (removed)".
QStringList Difference_Cells(const Conf_Difference& difference, const Text_Table& texts);

// The group a difference belongs to for highlighting: differences of the
// same document, table and rows share one.
QString Difference_Group(const Conf_Difference& difference);
