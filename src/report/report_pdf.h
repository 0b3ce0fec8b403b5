#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Renders an HTML document as an A4 PDF with Qt's text layout: a header line
// at the top of every page (`title` on the left, `page_number(n, m)` on the
// right), pages cut only before a paragraph or a table or between two table
// rows, never right after a heading or a table's header rows, and the <thead>
// rows of a table running on drawn again at the top of the next page.
// Needs a QGuiApplication. Gives the PDF bytes and the number of pages.
struct Report_Pdf {
    QByteArray Bytes;
    int Pages = 0;
};
Report_Pdf Render_Report_Pdf(const QString& html, const QString& title,
                             const std::function<QString(int page, int pages)>& page_number);
