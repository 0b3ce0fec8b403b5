#pragma once

#include <QDateTime>
#include <QString>

struct App_State;
class Text_Table;
class Ui_Services;

// Writes the commissioning report of the configuration folder `conf_dir` to
// `path`, atomically: an HTML page when the name ends in ".html" or ".htm"
// (any letter case), a PDF document otherwise (which needs a
// QGuiApplication). Gives the number of pages of a PDF, 0 for HTML. Throws
// Kc_Error naming the file when a document cannot be read or the report
// cannot be written.
int Save_Report_File(const QString& path, const QString& conf_dir, const Text_Table& texts,
                     const QDateTime& date = QDateTime::currentDateTime());

// The main window's Report step for the open configuration: asks where to
// save (in Conf_Dir; ".pdf" appended unless the name ends in ".pdf", ".html"
// or ".htm"; text 903 before replacing a file) and writes the report. Every
// error ends in an error box naming the file; nothing escapes.
void Create_Report_File(const App_State& state, const Text_Table& texts, Ui_Services& ui);
