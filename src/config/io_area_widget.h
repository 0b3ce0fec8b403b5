#pragma once

#include "document/io_map.h"

#include <QColor>
#include <QWidget>

class Text_Table;

// One PROFIBUS area of the I/O map as a grid of bytes, 16 a line, each line
// headed by its first byte. A byte used by one occupant as a whole shows the
// occupant's colour and its row (a reserved area: hatched, with its letter C,
// D or A); a byte whose bits are used apart shows its 8 bits, bit 7 at the
// left; bits or bytes where occupants overlap show the warning colour; unused
// bytes stay plain. Hovering a byte names its occupants; double-clicking a
// rule's byte (or bit) chooses that rule.
class Io_Area_Widget : public QWidget {
    Q_OBJECT
public:
    Io_Area_Widget(const Text_Table& texts, Io_Area area, QWidget* parent = nullptr);

    void Set_Map(const Io_Map& map);
    const Io_Map& Map() const { return map_; }
    Io_Area Area() const { return area_; }

    // The byte under a point of the widget, -1 for none.
    int Byte_At(const QPoint& point) const;
    QRect Byte_Rect(int byte) const;
    // Whether a byte is drawn as 8 bits.
    bool Shows_Bits(int byte) const;
    // The text hovering a point shows; empty off the bytes.
    QString Hover_Text(const QPoint& point) const;
    // The index in Map().Occupants of the rule a double click at the point
    // chooses: the first rule using the bit under it when the byte shows its
    // bits, else the first rule using the byte; -1 when none.
    int Rule_At(const QPoint& point) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    static QColor Overlap_Colour();
    // The colour of an occupant: one per rule row, grey for reserved areas.
    static QColor Occupant_Colour(const Io_Occupant& occupant);

Q_SIGNALS:
    void Rule_Chosen(Rule_Table table, int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The occupants using bit `bit` (0..7) of a byte.
    QList<int> Bit_Occupants(int byte, int bit) const;
    // The bit (0..7) under a point inside a byte drawn as bits.
    int Bit_At(int byte, const QPoint& point) const;
    QString Byte_Label(int byte) const;
    void Fill_Cell(class QPainter& painter, const QRect& rect, const QList<int>& occupants) const;

    const Text_Table& texts_;
    Io_Area area_;
    Io_Map map_;
    QList<QList<int>> byte_occupants_;
    QList<bool> overlapped_; // per byte: occupants overlap in it
    QList<bool> bits_;       // per byte: drawn as 8 bits
    int label_width_ = 0;
    int cell_width_ = 0;
    int cell_height_ = 0;
};
