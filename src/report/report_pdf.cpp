#include "report/report_pdf.h"

#include "base/kc_error.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace {

constexpr int resolution = 300;  // dots per inch of the layout
constexpr qreal html_dpi = 96.0; // what pixel sizes in the HTML mean

// Tables laid out at the writer's resolution keep the sizes the HTML gives
// in pixels. The rows of a <thead> are the table's header rows, which the
// layout repeats at the top of every page the table runs on.
void Prepare_Tables(QTextFrame* frame) {
    const qreal scale = resolution / html_dpi;
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            QTextTableFormat format = table->format();
            format.setBorder(format.border() * scale);
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderCollapse(true);
            format.setBorderBrush(QBrush(Qt::gray));
            format.setCellPadding(format.cellPadding() * scale);
            format.setCellSpacing(format.cellSpacing() * scale);
            table->setFormat(format);
        }
        Prepare_Tables(child);
    }
}

} // namespace

Report_Pdf Render_Report_Pdf(const QString& html, const QString& title,
                             const std::function<QString(int page, int pages)>& page_number) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(15, 12, 15, 15), QPageLayout::Millimeter));
    writer.setResolution(resolution);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("KC40927 Configurator"));

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&writer);
    QFont font = document.defaultFont();
    font.setPointSizeF(9);
    document.setDefaultFont(font);
    document.setDocumentMargin(0);
    document.setHtml(html);
    Prepare_Tables(document.rootFrame());

    QFont header_font = font;
    header_font.setPointSizeF(8);
    const QFontMetricsF metrics(header_font, &writer);
    const QRectF paper = writer.pageLayout().paintRectPixels(writer.resolution());
    const qreal header_height = metrics.height() * 2;
    const qreal body_height = paper.height() - header_height;
    document.setPageSize(QSizeF(paper.width(), body_height));
    const int pages = document.pageCount();

    QPainter painter;
    if (!painter.begin(&writer))
        throw Kc_Error(QStringLiteral("Cannot lay out the report \"%1\" as a PDF document").arg(title));
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        painter.setFont(header_font);
        painter.setPen(Qt::black);
        const QRectF line(0, 0, paper.width(), metrics.height());
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, title);
        painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, page_number(page + 1, pages));
        const qreal rule_y = metrics.height() * 1.35;
        painter.drawLine(QPointF(0, rule_y), QPointF(paper.width(), rule_y));

        painter.save();
        painter.translate(0, header_height - page * body_height);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, page * body_height, paper.width(), body_height);
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    painter.end();
    return {buffer.data(), pages};
}
