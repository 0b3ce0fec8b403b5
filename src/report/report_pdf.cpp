#include "report/report_pdf.h"

#include "base/kc_error.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <vector>

namespace {

constexpr int resolution = 300;  // dots per inch of the layout
constexpr qreal html_dpi = 96.0; // what pixel sizes in the HTML mean

// Tables laid out at the writer's resolution keep the sizes the HTML gives
// in pixels.
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

// The document is laid out as one endless page and cut into pages here, only
// where a cut is allowed: before a paragraph or heading, before a table, or
// between two rows of a table. Qt's own page breaks stretch the last row of
// a page to the page's foot and may leave a heading alone there; these cuts
// do neither.
//
// A cut ends one page at End and starts the next at Start. Between two rows
// the space around the rule between them (padding, border, padding) is on
// both pages, so each row keeps its closing line.
struct Cut {
    qreal End = 0;
    qreal Start = 0;
};

// A table whose first rows are a header (<thead>): a page that starts in its
// body gets the header drawn again at its top.
struct Header_Rows {
    qreal Top = 0;        // the table's top
    qreal End = 0;        // where its first body row starts
    qreal Body_Start = 0; // a page starting at or after this...
    qreal Bottom = 0;     // ...and before the end of the last row starts in the body
};

struct Block_Span {
    qreal Top = 0;
    qreal Bottom = 0;
};

// The extent of a row's contents: from the top of its first line to the
// bottom of its last, over all cells that start in the row.
Block_Span Row_Span(const QTextTable& table, int row, const QAbstractTextDocumentLayout& layout) {
    Block_Span span{1e300, -1e300};
    for (int column = 0; column < table.columns(); ++column) {
        const QTextTableCell cell = table.cellAt(row, column);
        if (!cell.isValid() || cell.row() != row || cell.column() != column)
            continue;
        for (QTextBlock block = table.document()->findBlock(cell.firstPosition());
             block.isValid() && block.position() <= cell.lastPosition(); block = block.next()) {
            const QRectF rect = layout.blockBoundingRect(block);
            span.Top = std::min(span.Top, rect.top());
            span.Bottom = std::max(span.Bottom, rect.bottom());
        }
    }
    return span;
}

struct Page_Plan {
    std::vector<Cut> Cuts;            // allowed cuts, by position
    std::vector<Header_Rows> Headers; // tables with header rows
};

// Collects the allowed cuts of the root frame. A heading keeps what follows
// it on its page (no cut right after it), and a table's header rows keep its
// first body row (no cut between them).
Page_Plan Plan_Cuts(const QTextDocument& document) {
    const QAbstractTextDocumentLayout& layout = *document.documentLayout();
    Page_Plan plan;
    bool after_heading = false;
    // A cut before a paragraph or a table lies at the foot of what precedes
    // it: a block's glyphs may reach above its bounding rectangle.
    qreal previous_bottom = 0;
    for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (QTextFrame* frame = it.currentFrame()) {
            const QRectF box = layout.frameBoundingRect(frame);
            if (!after_heading)
                plan.Cuts.push_back({previous_bottom, previous_bottom});
            previous_bottom = box.bottom();
            auto* table = qobject_cast<QTextTable*>(frame);
            // A table of one line (a legend) keeps the heading's hold on
            // what follows it.
            if (!table || table->rows() > 1)
                after_heading = false;
            if (!table || table->rows() == 0)
                continue;
            const int header_rows = std::min(table->format().headerRowCount(), table->rows() - 1);
            const qreal padding = table->format().cellPadding();
            Block_Span previous = Row_Span(*table, 0, layout);
            Header_Rows header;
            for (int row = 1; row < table->rows(); ++row) {
                const Block_Span span = Row_Span(*table, row, layout);
                const Cut cut{span.Top - padding, previous.Bottom + padding};
                if (row == header_rows)
                    header = {box.top(), cut.End, cut.Start, 0};
                else if (row > header_rows)
                    plan.Cuts.push_back(cut);
                previous = span;
            }
            if (header_rows > 0) {
                header.Bottom = previous.Bottom;
                plan.Headers.push_back(header);
            }
            // The table's foot from its last row rather than from its frame,
            // whose rectangle reaches into the margin of what follows.
            previous_bottom = previous.Bottom + padding + 2 * table->format().border();
            continue;
        }
        const QTextBlock block = it.currentBlock();
        // The empty blocks Qt keeps between a heading and a table, or
        // after a table, neither end a heading's hold nor offer a cut.
        if (block.text().isEmpty())
            continue;
        const QRectF rect = layout.blockBoundingRect(block);
        if (!after_heading)
            plan.Cuts.push_back({previous_bottom, previous_bottom});
        after_heading = block.blockFormat().headingLevel() > 0;
        previous_bottom = rect.bottom();
    }
    return plan;
}

// One page: the body from Top to Bottom of the endless page, after the
// header rows of the table it starts in, when it starts in one's body.
struct Page {
    qreal Top = 0;
    qreal Bottom = 0;
    const Header_Rows* Header = nullptr;
};

const Header_Rows* Header_At(const Page_Plan& plan, qreal top) {
    for (const Header_Rows& header : plan.Headers)
        if (top >= header.Body_Start && top < header.Bottom)
            return &header;
    return nullptr;
}

std::vector<Page> Cut_Pages(const Page_Plan& plan, qreal document_height, qreal page_height) {
    std::vector<Page> pages;
    qreal top = 0;
    while (pages.empty() || top < document_height - 0.5) {
        Page page{top, document_height, Header_At(plan, top)};
        const qreal room = page_height - (page.Header ? page.Header->End - page.Header->Top : 0);
        if (page.Bottom - top > room) {
            // The last allowed cut that fits; a block taller than a page is
            // cut where the page ends.
            const Cut* best = nullptr;
            for (const Cut& cut : plan.Cuts)
                if (cut.End <= top + room && cut.Start > top + 0.5)
                    best = &cut;
            page.Bottom = best ? best->End : top + room;
            top = best ? best->Start : top + room;
        } else {
            top = document_height;
        }
        pages.push_back(page);
    }
    return pages;
}

// Draws the part `from` of the endless page at `y` of the painter.
void Draw_Part(QPainter& painter, const QTextDocument& document, const QRectF& from, qreal y) {
    painter.save();
    painter.translate(0, y - from.top());
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = from;
    context.palette.setColor(QPalette::Text, Qt::black);
    painter.setClipRect(from);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
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
    // One endless page: no page breaks of Qt's own.
    document.setTextWidth(paper.width());
    const qreal document_height = document.documentLayout()->documentSize().height();
    const Page_Plan plan = Plan_Cuts(document);
    const std::vector<Page> pages = Cut_Pages(plan, document_height, body_height);
    const int page_count = static_cast<int>(pages.size());

    QPainter painter;
    if (!painter.begin(&writer))
        throw Kc_Error(QStringLiteral("Cannot lay out the report \"%1\" as a PDF document").arg(title));
    for (int index = 0; index < page_count; ++index) {
        const Page& page = pages[index];
        if (index > 0)
            writer.newPage();
        painter.setFont(header_font);
        painter.setPen(Qt::black);
        const QRectF line(0, 0, paper.width(), metrics.height());
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, title);
        painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, page_number(index + 1, page_count));
        const qreal rule_y = metrics.height() * 1.35;
        painter.drawLine(QPointF(0, rule_y), QPointF(paper.width(), rule_y));

        qreal y = header_height;
        if (page.Header) {
            const QRectF rows(0, page.Header->Top, paper.width(), page.Header->End - page.Header->Top);
            Draw_Part(painter, document, rows, y);
            y += rows.height();
        }
        Draw_Part(painter, document, QRectF(0, page.Top, paper.width(), page.Bottom - page.Top), y);
    }
    painter.end();
    return {buffer.data(), page_count};
}
