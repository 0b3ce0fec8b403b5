#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QBasicTimer>
#include <QPersistentModelIndex>
#include <QTableView>
#include <QTimerEvent>

// An item view for the editors' grids that never loses a key typed into the
// current cell.
//
// A click on the cell that is already selected opens its editor only after
// the double-click interval, so that a double click is not taken for two
// clicks. Qt's views refuse every other way into the editor while that delay
// runs: a key typed then does not open the editor but goes to the keyboard
// search, and is lost; the editor opens afterwards with the old text. This
// view keeps the delay of the click on a timer of its own and drops it as
// soon as the editor is opened in any other way (a key, a double click, the
// edit key, a move to another cell), so a key typed right after the click
// opens the editor at once and lands in it.
template <class View> class Grid_View : public View {
public:
    using View::View;

protected:
    bool edit(const QModelIndex& index, QAbstractItemView::EditTrigger trigger, QEvent* event) override {
        const QAbstractItemView::EditTrigger last = last_trigger_;
        last_trigger_ = trigger;
        if (trigger != QAbstractItemView::SelectedClicked) {
            // NoEditTriggers: a mouse event offered to the delegate only.
            if (trigger != QAbstractItemView::NoEditTriggers)
                click_edit_.stop();
            return View::edit(index, trigger, event);
        }
        // The delegate sees the click first: a check box toggles on it.
        if (View::edit(index, QAbstractItemView::NoEditTriggers, event))
            return true;
        // The release that ends a double click opens nothing more.
        if (last == QAbstractItemView::DoubleClicked || !(this->editTriggers() & trigger) ||
            !(index.flags() & Qt::ItemIsEditable) || !(index.flags() & Qt::ItemIsEnabled) ||
            this->state() == QAbstractItemView::EditingState)
            return false;
        clicked_ = index;
        click_edit_.start(QApplication::doubleClickInterval(), this);
        return true;
    }

    void timerEvent(QTimerEvent* event) override {
        if (event->timerId() != click_edit_.timerId()) {
            View::timerEvent(event);
            return;
        }
        click_edit_.stop();
        if (clicked_.isValid() && clicked_ == this->currentIndex())
            View::edit(clicked_, QAbstractItemView::AllEditTriggers, nullptr);
    }

private:
    QBasicTimer click_edit_;
    QPersistentModelIndex clicked_;
    QAbstractItemView::EditTrigger last_trigger_ = QAbstractItemView::NoEditTriggers;
};

// The editors' grid with its first column (the row number) frozen: a second
// view over the same model and selection shows only that column at the left
// edge and scrolls up and down with the grid, so the row number stays in
// sight while the grid scrolls right. Call Freeze_First_Column once, after
// setModel.
class Grid_Table_View : public Grid_View<QTableView> {
public:
    using Grid_View<QTableView>::Grid_View;

    void Freeze_First_Column();
    QTableView* Frozen_View() const { return frozen_; }

    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void updateGeometries() override;

private:
    void Place_Frozen_View();
    // Scrolls right by what the frozen column covers of the cell.
    void Uncover(const QModelIndex& index);

    QTableView* frozen_ = nullptr;
};
