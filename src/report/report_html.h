#pragma once

#include "report/report_data.h"

#include <QString>

class Text_Table;

// The commissioning report as one HTML document (UTF-8, no outside
// resources), in the language of `texts`:
// - the configuration name, then whether bank.bin is the image of the
//   documents (Report_Bank_State_Line), then the hardware variant, the date
//   and the program version;
// - every general parameter the editor shows for the hardware variant, panel
//   by panel, with its caption and its value as the editor shows it (list
//   items as their text, check boxes as Yes or No);
// - both rule tables with the columns the editor shows for the variant;
// - the PROFIBUS I/O map, when there is one;
// - the diagnosis list with the byte and bit of every entry (variant without
//   Ethernet);
// - the GSD summary: files in the configuration folder, ident number, input
//   and output modules;
// - bank.bin: size, layout and checksum, or that it has not been built.
// Tables that list rows have their column headers in a <thead>, which the
// PDF rendering repeats on every page. Pure: the same data and texts give
// the same bytes.
QString Report_Html(const Report_Data& data, const Text_Table& texts);

// Whether bank.bin is the image the stored documents give now: up to date,
// older than the documents, missing, the build's error, or the error reading
// the file. One line, as the report, the CLI and the Report step show it.
QString Report_Bank_State_Line(const Report_Bank& bank, const Text_Table& texts);

// The line at the top of every page: the configuration name and the title.
QString Report_Page_Title(const Report_Data& data, const Text_Table& texts);

// "Page n / m" from the text table.
QString Report_Page_Number(const Text_Table& texts, int page, int pages);
