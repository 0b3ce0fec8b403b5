#include "config/grid_view_widget.h"

#include <QHeaderView>
#include <QPalette>
#include <QScrollBar>

void Grid_Table_View::Freeze_First_Column() {
    if (frozen_ || !model())
        return;
    frozen_ = new QTableView(this);
    frozen_->setObjectName(objectName() + QStringLiteral("_Frozen"));
    frozen_->setModel(model());
    frozen_->setSelectionModel(selectionModel());
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    frozen_->setSelectionMode(selectionMode());
    frozen_->verticalHeader()->hide();
    frozen_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->horizontalHeader()->setSectionsClickable(false);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    frozen_->setFrameShape(QFrame::NoFrame);
    // Shown like a header: never edited.
    QPalette fixed = frozen_->palette();
    fixed.setColor(QPalette::Base, palette().color(QPalette::Button));
    frozen_->setPalette(fixed);
    for (int column = 1; column < model()->columnCount(); ++column)
        frozen_->setColumnHidden(column, true);
    frozen_->setColumnWidth(0, columnWidth(0));
    viewport()->stackUnder(frozen_);

    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(horizontalHeader(), &QHeaderView::sectionResized, frozen_, [this](int column, int, int size) {
        if (column == 0) {
            frozen_->setColumnWidth(0, size);
            Place_Frozen_View();
        }
    });
    connect(model(), &QAbstractItemModel::modelReset, frozen_, [this] {
        for (int column = 1; column < model()->columnCount(); ++column)
            frozen_->setColumnHidden(column, true);
    });
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    // A click on a row number works on the grid: its shortcuts and keys.
    connect(frozen_, &QAbstractItemView::pressed, this, [this] { setFocus(Qt::MouseFocusReason); });
    Place_Frozen_View();
    frozen_->show();
}

void Grid_Table_View::Place_Frozen_View() {
    if (!frozen_)
        return;
    frozen_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), columnWidth(0),
                         viewport()->height() + horizontalHeader()->height());
}

void Grid_Table_View::resizeEvent(QResizeEvent* event) {
    Grid_View<QTableView>::resizeEvent(event);
    Place_Frozen_View();
}

void Grid_Table_View::updateGeometries() {
    Grid_View<QTableView>::updateGeometries();
    Place_Frozen_View();
}

void Grid_Table_View::Uncover(const QModelIndex& index) {
    if (!frozen_ || !index.isValid() || index.column() == 0)
        return;
    const int covered = columnWidth(0) - visualRect(index).left();
    if (covered > 0)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - covered);
}

void Grid_Table_View::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (frozen_ && index.column() == 0) {
        // Only up or down: the column itself never scrolls away.
        const int x = horizontalScrollBar()->value();
        Grid_View<QTableView>::scrollTo(index, hint);
        horizontalScrollBar()->setValue(x);
        return;
    }
    Grid_View<QTableView>::scrollTo(index, hint);
    Uncover(index);
}

QModelIndex Grid_Table_View::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex next = Grid_View<QTableView>::moveCursor(action, modifiers);
    Uncover(next);
    return next;
}
