#include "config/grid_cell_delegate.h"

#include "config/text_grid_model.h"
#include "document/cell_values.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

Grid_Cell_Delegate::Grid_Cell_Delegate(QObject* parent) : QStyledItemDelegate(parent) {}

namespace {

bool Is_List(const QModelIndex& index) {
    return index.data(Text_Grid_Model::List_Items_Role).isValid();
}

// Lets through only what may still become an item of the list: an item
// itself, the beginning of one, or nothing.
class List_Item_Validator : public QValidator {
public:
    List_Item_Validator(QStringList items, QObject* parent) : QValidator(parent), items_(std::move(items)) {}

    State validate(QString& input, int&) const override {
        if (!Begins_List_Item(items_, input))
            return Invalid;
        return Typed_List_Item(items_, input).value_or(QString()).compare(input, Qt::CaseInsensitive) == 0
                   ? Acceptable
                   : Intermediate;
    }

private:
    QStringList items_;
};

} // namespace

QWidget* Grid_Cell_Delegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
    if (!Is_List(index))
        return QStyledItemDelegate::createEditor(parent, option, index);
    // Typed like a text cell, with the list's items completed as they are
    // typed; the list opens on Alt+Down, F4 or its arrow, never on a key.
    const QStringList items = index.data(Text_Grid_Model::List_Items_Role).toStringList();
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setValidator(new List_Item_Validator(items, combo));
    // Completed here rather than by a QCompleter, which fills an empty text
    // with the first item when a key is refused.
    combo->setCompleter(nullptr);
    QLineEdit* line = combo->lineEdit();
    connect(line, &QLineEdit::textEdited, combo,
            [line, items, before = QString()](const QString& text) mutable {
                // Only a key that added to the end completes: Backspace takes the
                // completion away again.
                const bool grew = text.size() > before.size();
                before = text;
                if (!grew || line->cursorPosition() != text.size())
                    return;
                for (const QString& item : items) {
                    if (item.size() > text.size() && item.startsWith(text, Qt::CaseInsensitive)) {
                        line->setText(text + item.mid(text.size()));
                        line->setSelection(static_cast<int>(text.size()),
                                           static_cast<int>(item.size() - text.size()));
                        return;
                    }
                }
            });
    return combo;
}

void Grid_Cell_Delegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const QString text = index.data(Qt::EditRole).toString();
        combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
        // A text not in the list (loaded from a document) shows as it is.
        combo->setEditText(text);
        // As in a text cell: the first key typed replaces the text.
        combo->lineEdit()->selectAll();
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void Grid_Cell_Delegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const QString typed = combo->currentText();
        // Left as it was: a text not in the list (loaded from a document)
        // stays until the user picks an item.
        if (typed == index.data(Qt::EditRole).toString())
            return;
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
        if (typed.trimmed().isEmpty())
            model->setData(index, QString(), Qt::EditRole);
        else if (const std::optional<QString> item = Typed_List_Item(items, typed))
            model->setData(index, *item, Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

bool Grid_Cell_Delegate::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && qobject_cast<QComboBox*>(object)) {
        // Alt+Down opens the list here; the grid's own Alt+Down (move the
        // row) waits until the cell is left.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier) {
            event->accept();
            return true;
        }
    }
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
