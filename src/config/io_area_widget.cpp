#include "config/io_area_widget.h"

#include "base/plain_hint.h"
#include "document/io_map_text.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {

constexpr int Bytes_Per_Line = 16;
constexpr int Margin = 2;

} // namespace

Io_Area_Widget::Io_Area_Widget(const Text_Table& texts, Io_Area area, QWidget* parent)
    : QWidget(parent), texts_(texts), area_(area) {
    const QFontMetrics metrics = fontMetrics();
    label_width_ = metrics.horizontalAdvance(QStringLiteral("0000")) + 8;
    // Wide enough for a row number and for 8 bits of a few pixels each.
    cell_width_ = std::max(metrics.horizontalAdvance(QStringLiteral("000")) + 10, 8 * 5);
    cell_height_ = metrics.height() + 8;
    setMouseTracking(true);
}

QColor Io_Area_Widget::Overlap_Colour() {
    return QColor(0xF0, 0x50, 0x50);
}

QColor Io_Area_Widget::Occupant_Colour(const Io_Occupant& occupant) {
    if (!occupant.Is_Rule())
        return QColor(0xC8, 0xC8, 0xC8);
    // Neighbouring rows get hues far apart (the golden angle).
    const int hue = static_cast<int>((static_cast<long long>(occupant.Row) * 137) % 360);
    return QColor::fromHsv(hue, 80, 250);
}

void Io_Area_Widget::Set_Map(const Io_Map& map) {
    map_ = map;
    byte_occupants_ = map_.Byte_Occupants(area_);
    const int bytes = static_cast<int>(byte_occupants_.size());
    overlapped_.fill(false, bytes);
    bits_.fill(false, bytes);
    for (int byte = 0; byte < bytes; ++byte) {
        overlapped_[byte] = !map_.Overlaps_In_Byte(area_, byte).isEmpty();
        const long long first_bit = static_cast<long long>(byte) * 8;
        for (int index : byte_occupants_[byte]) {
            const Io_Occupant& occupant = map_.Occupants[index];
            if (occupant.First_Bit > first_bit || occupant.Last_Bit() < first_bit + 7)
                bits_[byte] = true;
        }
    }
    updateGeometry();
    update();
}

QSize Io_Area_Widget::sizeHint() const {
    const int lines = (static_cast<int>(byte_occupants_.size()) + Bytes_Per_Line - 1) / Bytes_Per_Line;
    return {label_width_ + Bytes_Per_Line * cell_width_ + 2 * Margin,
            std::max(1, lines) * cell_height_ + 2 * Margin};
}

QRect Io_Area_Widget::Byte_Rect(int byte) const {
    const int line = byte / Bytes_Per_Line;
    const int column = byte % Bytes_Per_Line;
    return {Margin + label_width_ + column * cell_width_, Margin + line * cell_height_, cell_width_,
            cell_height_};
}

int Io_Area_Widget::Byte_At(const QPoint& point) const {
    const int x = point.x() - Margin - label_width_;
    const int y = point.y() - Margin;
    if (x < 0 || y < 0 || x >= Bytes_Per_Line * cell_width_)
        return -1;
    const int byte = (y / cell_height_) * Bytes_Per_Line + x / cell_width_;
    return byte < byte_occupants_.size() ? byte : -1;
}

bool Io_Area_Widget::Shows_Bits(int byte) const {
    return byte >= 0 && byte < bits_.size() && bits_[byte];
}

int Io_Area_Widget::Bit_At(int byte, const QPoint& point) const {
    const QRect rect = Byte_Rect(byte);
    const int stripe = std::clamp((point.x() - rect.left()) * 8 / rect.width(), 0, 7);
    return 7 - stripe; // bit 7 at the left
}

QList<int> Io_Area_Widget::Bit_Occupants(int byte, int bit) const {
    QList<int> found;
    const long long position = static_cast<long long>(byte) * 8 + bit;
    for (int index : byte_occupants_[byte]) {
        const Io_Occupant& occupant = map_.Occupants[index];
        if (occupant.First_Bit <= position && position <= occupant.Last_Bit())
            found.append(index);
    }
    return found;
}

QString Io_Area_Widget::Hover_Text(const QPoint& point) const {
    const int byte = Byte_At(point);
    return byte < 0 ? QString() : Io_Byte_Hover_Text(texts_, map_, area_, byte);
}

int Io_Area_Widget::Rule_At(const QPoint& point) const {
    const int byte = Byte_At(point);
    if (byte < 0)
        return -1;
    const QList<int> candidates =
        Shows_Bits(byte) ? Bit_Occupants(byte, Bit_At(byte, point)) : byte_occupants_[byte];
    for (int index : candidates)
        if (map_.Occupants[index].Is_Rule())
            return index;
    return -1;
}

QString Io_Area_Widget::Byte_Label(int byte) const {
    const QList<int>& occupants = byte_occupants_[byte];
    if (overlapped_[byte])
        return QStringLiteral("!");
    if (occupants.size() != 1)
        return QString();
    const Io_Occupant& occupant = map_.Occupants[occupants.first()];
    return Io_Occupant_Symbol(occupant);
}

void Io_Area_Widget::Fill_Cell(QPainter& painter, const QRect& rect, const QList<int>& occupants) const {
    if (occupants.isEmpty()) {
        painter.fillRect(rect, palette().base());
        return;
    }
    if (occupants.size() > 1) {
        painter.fillRect(rect, Overlap_Colour());
        return;
    }
    const Io_Occupant& occupant = map_.Occupants[occupants.first()];
    painter.fillRect(rect, Occupant_Colour(occupant));
    if (!occupant.Is_Rule())
        painter.fillRect(rect, QBrush(QColor(0x70, 0x70, 0x70), Qt::BDiagPattern));
}

void Io_Area_Widget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int bytes = static_cast<int>(byte_occupants_.size());
    const QColor grid_colour = palette().color(QPalette::Mid);
    for (int line = 0; line * Bytes_Per_Line < bytes; ++line) {
        const QRect label(Margin, Margin + line * cell_height_, label_width_ - 6, cell_height_);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, QString::number(line * Bytes_Per_Line));
    }
    for (int byte = 0; byte < bytes; ++byte) {
        const QRect rect = Byte_Rect(byte);
        if (bits_[byte]) {
            for (int stripe = 0; stripe < 8; ++stripe) {
                const int left = rect.left() + stripe * rect.width() / 8;
                const int right = rect.left() + (stripe + 1) * rect.width() / 8;
                const QRect bit_rect(left, rect.top(), right - left, rect.height());
                Fill_Cell(painter, bit_rect, Bit_Occupants(byte, 7 - stripe));
                painter.setPen(grid_colour);
                if (stripe > 0)
                    painter.drawLine(bit_rect.topLeft(), bit_rect.bottomLeft());
            }
        } else {
            // Several occupants of a byte drawn whole share all its bits.
            Fill_Cell(painter, rect, byte_occupants_[byte]);
        }
        painter.setPen(grid_colour);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        const QString label = Byte_Label(byte);
        if (!label.isEmpty()) {
            painter.setPen(QColor(Qt::black));
            painter.drawText(rect, Qt::AlignCenter, label);
        }
    }
}

bool Io_Area_Widget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = Hover_Text(help->pos());
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), Plain_Hint(text), this, Byte_Rect(Byte_At(help->pos())));
        }
        return true;
    }
    return QWidget::event(event);
}

void Io_Area_Widget::mouseDoubleClickEvent(QMouseEvent* event) {
    const int index = Rule_At(event->position().toPoint());
    if (index < 0) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    const Io_Occupant& rule = map_.Occupants[index];
    Q_EMIT Rule_Chosen(rule.Table, rule.Row);
}
