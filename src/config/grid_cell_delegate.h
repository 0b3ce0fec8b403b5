#pragma once

#include <QStyledItemDelegate>
#include <functional>

// Cell editors of a Text_Grid_Model grid: a list column gets a drop-down that
// is typed into like a text cell, completing the items as they are typed and
// taking nothing but an item (the whole text of one, or the first one the text
// begins); its list opens on Alt+Down, F4 or a click on the arrow, never on a
// typed key. A text column gets a line edit, and a check-box
// column toggles between "Y" and "N" on a click or the space bar (the model
// reports it as a check state). An Enter key pressed inside an open editor is
// offered to Take_Key first, so the grid's Enter handling also works while a
// cell is being edited.
class Grid_Cell_Delegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit Grid_Cell_Delegate(QObject* parent = nullptr);

    // Asked with the key of every key press inside an editor; true when the
    // grid takes it. The editor's text is committed and the editor closed
    // before Key_Taken runs.
    std::function<bool(int key)> Takes_Key;
    std::function<void(int key)> Key_Taken;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};
