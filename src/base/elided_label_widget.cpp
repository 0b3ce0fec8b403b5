#include "base/elided_label_widget.h"

#include "base/plain_hint.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

Elided_Label::Elided_Label(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

int Elided_Label::Text_Width() const {
    return qMax(0, contentsRect().width() - 2 * margin());
}

bool Elided_Label::Is_Elided() const {
    return fontMetrics().horizontalAdvance(text()) > Text_Width();
}

QString Elided_Label::Shown_Text() const {
    if (!Is_Elided())
        return text();
    return fontMetrics().elidedText(text(), Qt::ElideRight, Text_Width());
}

QSize Elided_Label::minimumSizeHint() const {
    // Room for the ellipsis and a letter; the layout may give more.
    const QSize full = QLabel::minimumSizeHint();
    const int left = contentsMargins().left() + contentsMargins().right() + 2 * margin();
    return {qMin(full.width(), fontMetrics().horizontalAdvance(QStringLiteral("W\u2026")) + left),
            full.height()};
}

bool Elided_Label::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && Is_Elided()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), Plain_Hint(text()), this);
        return true;
    }
    return QLabel::event(event);
}

void Elided_Label::paintEvent(QPaintEvent* event) {
    if (!Is_Elided()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    // The elided text always starts at the left edge, so that its beginning
    // stays readable whatever the label's alignment.
    const int vertical = alignment() & Qt::AlignVertical_Mask;
    style()->drawItemText(&painter, area, Qt::AlignLeft | (vertical ? vertical : Qt::AlignVCenter), palette(),
                          isEnabled(), Shown_Text(), foregroundRole());
}
