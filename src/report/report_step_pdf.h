#pragma once

#include <QDateTime>
#include <QString>

struct App_State;
class Text_Table;
class Ui_Services;

// What writing the report gave: the number of pages of a PDF (0 for HTML)
// and the report's line saying whether bank.bin is the documents' image.
struct Saved_Report {
    int Pages = 0;
    QString Bank_State;
};

// Writes the commissioning report of the configuration folder `conf_dir` to
// `path`, atomically: an HTML page when the name ends in ".html" or ".htm"
// (any letter case), a PDF document otherwise (which needs a
// QGuiApplication). Throws Kc_Error naming the file when a document cannot
// be read or the report cannot be written.
Saved_Report Save_Report_File(const QString& path, const QString& conf_dir, const Text_Table& texts,
                              const QDateTime& date = QDateTime::currentDateTime());

// The name the Report step proposes: "<configuration>_report_<yyyy-MM-dd>.pdf".
QString Proposed_Report_Name(const QString& conf_name, const QDate& date);

// The main window's Report step for the open configuration: asks where to
// save (in Conf_Dir, proposing Proposed_Report_Name; ".pdf" appended unless
// the name ends in ".pdf", ".html" or ".htm"; text 903 before replacing a
// file), writes the report and confirms it in an information box naming the
// file, with the line on bank.bin under it. Every error ends in an error box
// naming the file; nothing escapes.
void Create_Report_File(const App_State& state, const Text_Table& texts, Ui_Services& ui,
                        const QDateTime& date = QDateTime::currentDateTime());
