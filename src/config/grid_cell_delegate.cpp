#include "config/grid_cell_delegate.h"

#include "config/text_grid_model.h"

#include <QComboBox>
#include <QKeyEvent>

Grid_Cell_Delegate::Grid_Cell_Delegate(QObject* parent) : QStyledItemDelegate(parent) {}

namespace {

bool Is_List(const QModelIndex& index) {
    return index.data(Text_Grid_Model::List_Items_Role).isValid();
}

} // namespace

QWidget* Grid_Cell_Delegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
    if (!Is_List(index))
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto* combo = new QComboBox(parent);
    combo->setEditable(false); // the list accepts no other typing
    combo->addItems(index.data(Text_Grid_Model::List_Items_Role).toStringList());
    return combo;
}

void Grid_Cell_Delegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(combo->findText(index.data(Qt::EditRole).toString(), Qt::MatchExactly));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void Grid_Cell_Delegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        // A text not in the list (loaded from a document) stays until the
        // user picks an item.
        if (combo->currentIndex() >= 0)
            model->setData(index, combo->currentText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

bool Grid_Cell_Delegate::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::KeyPress && Takes_Key) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && Takes_Key(key)) {
            Q_EMIT commitData(editor);
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
            if (Key_Taken)
                Key_Taken(key);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
