#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Renders an HTML document as an A4 PDF with Qt's text layout: a header line
// at the top of every page (`title` on the left, `page_number(n, m)` on the
// right), tables broken across pages with their <thead> rows repeated.
// Needs a QGuiApplication. Gives the PDF bytes and the number of pages.
struct Report_Pdf {
    QByteArray Bytes;
    int Pages = 0;
};
Report_Pdf Render_Report_Pdf(const QString& html, const QString& title,
                             const std::function<QString(int page, int pages)>& page_number);
