#include "config/general_params_dialog.h"

#include "base/app_state.h"
#include "base/dialog_services_gui.h"
#include "base/kc_error.h"
#include "base/text_table.h"
#include "base/ui_services.h"
#include "config/collapsible_panel_widget.h"
#include "document/general_params_check.h"
#include "document/general_params_fields.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cstring>

namespace {

constexpr int Client_Width = 460;
constexpr int Client_Height = 700;
constexpr int Label_Width = 150;
constexpr int List_Width = 190;
constexpr int Edit_Width = 90;
constexpr int Side_Edit_Width = 50;
constexpr int Octet_Width = 44;

// A list shows the stored index when it lies inside the list; otherwise no
// item is selected and the stored index is kept here, so that confirming
// without touching the list writes it back unchanged.
const char* const Kept_Index = "kc_kept_index";

void Select_Index(QComboBox* list, int index) {
    list->setProperty(Kept_Index, index);
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

int Selected_Index(const QComboBox* list) {
    if (list->currentIndex() >= 0)
        return list->currentIndex();
    return list->property(Kept_Index).toInt();
}

QLabel* New_Label(QWidget* parent, const QString& name, int width = Label_Width) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    if (width > 0)
        label->setFixedWidth(width);
    return label;
}

QComboBox* New_List(QWidget* parent, const QString& name, const QStringList& items) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(items);
    list->setFixedWidth(List_Width);
    return list;
}

QLineEdit* New_Edit(QWidget* parent, const QString& name, int width = Edit_Width) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setFixedWidth(width);
    return edit;
}

QCheckBox* New_Check(QWidget* parent, const QString& name) {
    auto* check = new QCheckBox(parent);
    check->setObjectName(name);
    return check;
}

// One row of a panel: its widgets from the left, the rest of the width empty.
// Hiding the row hides its label with its field and gives back its height.
QWidget* Add_Row(Collapsible_Panel* panel, const std::vector<QWidget*>& widgets) {
    auto* row = new QWidget(panel->Content());
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    for (QWidget* widget : widgets) {
        widget->setParent(row);
        layout->addWidget(widget);
    }
    layout->addStretch(1);
    panel->Content_Layout()->addWidget(row);
    return row;
}

void Set_Label(QLabel* label, const Text_Table& texts, int index) {
    label->setText(texts.Text(index));
}

// Shows or hides a widget only when that changes it: showing a widget of a
// dialog not yet shown polishes and lays out its whole tree at once.
void Set_Shown(QWidget* widget, bool shown) {
    if (widget->isHidden() == shown)
        widget->setVisible(shown);
}

// The position of the field with this object name in Par_Field::Fields().
size_t Field_Index(const char* name) {
    const auto& table = Par_Field::Fields();
    for (size_t i = 0; i < table.size(); ++i) {
        if (std::strcmp(table[i].name, name) == 0)
            return i;
    }
    qFatal("no general parameter field %s", name);
}

} // namespace

TFParGen::TFParGen(App_State& app_state, const Text_Table& text_table, Ui_Services& ui_services,
                   QWidget* parent)
    : Frame_Dialog(app_state, text_table, ui_services, parent) {
    setObjectName(QStringLiteral("FParGen"));
    discard_question = Par_Field::Text::Discard_Question;

    CPG = new QScrollArea(Body());
    CPG->setObjectName(QStringLiteral("CPG"));
    CPG->setWidgetResizable(true);
    CPG->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CPG->setFrameShape(QFrame::NoFrame);
    auto* group = new QWidget(CPG);
    group->setObjectName(QStringLiteral("CPG_Content"));
    auto* group_layout = new QVBoxLayout(group);
    group_layout->setContentsMargins(4, 4, 4, 4);
    group_layout->setSpacing(4);
    CPG->setWidget(group);
    Body_Layout()->setContentsMargins(0, 0, 0, 0);
    Body_Layout()->addWidget(CPG);

    // Panels are not hidden and shown again while the dialog is built:
    // showing a child widget polishes and lays out its whole tree at once,
    // which its first showing does anyway.
    auto new_panel = [group](const QString& name) {
        auto* panel = new Collapsible_Panel(group);
        panel->setObjectName(name);
        return panel;
    };
    CP_Hardware_Type = new_panel(QStringLiteral("CP_Hardware_Type"));
    CP_Modbus_Master = new_panel(QStringLiteral("CP_Modbus_Master"));
    CP_PROFIBUS = new_panel(QStringLiteral("CP_PROFIBUS"));
    CP_Ethernet = new_panel(QStringLiteral("CP_Ethernet"));

    Build_Fields();

    setFixedWidth(Client_Width);
    resize(Client_Width, Client_Height);

    Order_TAB_Panels();

    CPG->viewport()->installEventFilter(this);
    Install_Wheel_Filter(group);

    for (const Field_Widgets& field : fields) {
        if (field.list)
            connect(field.list, &QComboBox::currentIndexChanged, this, &TFParGen::On_Change);
        if (field.edit)
            connect(field.edit, &QLineEdit::textChanged, this, &TFParGen::On_Change);
        for (QLineEdit* edit : field.octets) {
            if (edit)
                connect(edit, &QLineEdit::textChanged, this, &TFParGen::On_Change);
        }
        if (field.check)
            connect(field.check, &QCheckBox::clicked, this, &TFParGen::On_Click);
    }

    Move_GroupBoxs();
    Set_Lang();
}

Collapsible_Panel* TFParGen::Panel_Of(Par_Field::Panel panel) const {
    switch (panel) {
    case Par_Field::Panel::Hardware_Type:
        return CP_Hardware_Type;
    case Par_Field::Panel::Modbus_Master:
        return CP_Modbus_Master;
    case Par_Field::Panel::PROFIBUS:
        return CP_PROFIBUS;
    case Par_Field::Panel::Ethernet:
        return CP_Ethernet;
    }
    return CP_Hardware_Type;
}

// Each row's widgets are created from the left (a caption label, then the
// control; the fields beside it after), then the row that holds them: the
// order of creation is the tab order.
void TFParGen::Build_Fields() {
    using Par_Field::Kind;
    const std::vector<Par_Field::Field>& table = Par_Field::Fields();
    fields.assign(table.size(), Field_Widgets{});
    Collapsible_Panel* panel = nullptr;
    std::vector<QWidget*> row_widgets;
    std::vector<size_t> row_fields;
    auto close_row = [&] {
        if (row_widgets.empty())
            return;
        QWidget* row = Add_Row(panel, row_widgets);
        for (size_t i : row_fields)
            fields[i].row = row;
        row_widgets.clear();
        row_fields.clear();
    };
    for (size_t i = 0; i < table.size(); ++i) {
        const Par_Field::Field& field = table[i];
        if (!field.beside)
            close_row();
        panel = Panel_Of(field.panel);
        QWidget* c = panel->Content();
        const QString name = QString::fromLatin1(field.name);
        Field_Widgets& w = fields[i];
        if (field.label) {
            w.label = New_Label(c, QString::fromLatin1(field.label));
            row_widgets.push_back(w.label);
        }
        switch (field.kind) {
        case Kind::List:
            w.list = New_List(c, name, field.items);
            if (field.fixed_index >= 0) {
                w.list->setCurrentIndex(field.fixed_index);
                w.list->setEnabled(false);
            }
            row_widgets.push_back(w.list);
            break;
        case Kind::Edit:
            w.edit = New_Edit(c, name, field.beside ? Side_Edit_Width : Edit_Width);
            row_widgets.push_back(w.edit);
            break;
        case Kind::Check:
            w.check = New_Check(c, name);
            // A check box heading a row of octets lines them up with the labelled rows.
            if (i + 1 < table.size() && table[i + 1].beside && table[i + 1].kind == Kind::Octets)
                w.check->setFixedWidth(Label_Width);
            row_widgets.push_back(w.check);
            break;
        case Kind::Octets:
            for (int j = 0; j < 4; ++j) {
                if (j > 0) {
                    auto* dot = new QLabel(QStringLiteral("."), c);
                    dot->setTextFormat(Qt::PlainText);
                    row_widgets.push_back(dot);
                }
                w.octets[j] = New_Edit(c, name + QString::number(j + 1), Octet_Width);
                row_widgets.push_back(w.octets[j]);
            }
            break;
        }
        row_fields.push_back(i);
    }
    close_row();

    CB_HardwareType_HardwareType = fields[Field_Index("CB_HardwareType_HardwareType")].list;
    CB_PROFIBUS_Err_En_Diagnosis = fields[Field_Index("CB_PROFIBUS_Err_En_Diagnosis")].check;
    E_PROFIBUS_Diagnosis_Address = fields[Field_Index("E_PROFIBUS_Diagnosis_Address")].edit;

    // The octet rows in the table's order: IP, subnet mask, gateway.
    size_t next = 0;
    for (const Field_Widgets& w : fields) {
        if (!w.octets[0])
            continue;
        for (QLineEdit* edit : w.octets)
            octet_chain[next++] = edit;
    }
    for (QLineEdit* edit : octet_chain)
        edit->installEventFilter(this);
}

void TFParGen::Install_Wheel_Filter(QWidget* widget) {
    widget->installEventFilter(this);
    for (QWidget* child : widget->findChildren<QWidget*>())
        child->installEventFilter(this);
}

// Shows the first three panels and stacks the four in their order; the order
// of creation is also their tab order. The Ethernet panel stays hidden until
// the layout asks for it.
void TFParGen::Order_TAB_Panels() {
    auto* layout = static_cast<QVBoxLayout*>(CPG->widget()->layout());
    for (Collapsible_Panel* panel : {CP_Hardware_Type, CP_Modbus_Master, CP_PROFIBUS, CP_Ethernet})
        layout->addWidget(panel);
    layout->addStretch(1);
    CP_Ethernet->hide();
    setTabOrder(CP_Hardware_Type, CP_Modbus_Master);
    setTabOrder(CP_Modbus_Master, CP_PROFIBUS);
    setTabOrder(CP_PROFIBUS, CP_Ethernet);
}

bool TFParGen::With_Ethernet() const {
    return CB_HardwareType_HardwareType->currentIndex() == 1;
}

void TFParGen::Move_GroupBoxs() {
    RePosition_Object_Hardware_Type();
    RePosition_Object_Modbus_Master();
    RePosition_Object_PROFIBUS();
    RePosition_Object_Ethernet();
}

void TFParGen::RePosition_Object_Hardware_Type() {
    // The one field of the panel is always shown.
}

void TFParGen::Show_Fields_Of(Par_Field::Panel panel) {
    const bool ethernet = With_Ethernet();
    const std::vector<Par_Field::Field>& table = Par_Field::Fields();
    for (size_t i = 0; i < table.size(); ++i) {
        const Par_Field::Field& field = table[i];
        if (field.panel != panel || field.shown == Par_Field::Shown::Always)
            continue;
        // A field beside another is shown or hidden alone, any other with its row.
        const Field_Widgets& w = fields[i];
        QWidget* control = w.list    ? static_cast<QWidget*>(w.list)
                           : w.edit  ? static_cast<QWidget*>(w.edit)
                           : w.check ? static_cast<QWidget*>(w.check)
                                     : static_cast<QWidget*>(w.octets[0]->parentWidget());
        QWidget* target = field.beside ? control : w.row;
        Set_Shown(target, Par_Field::Field_Shown(field, ethernet));
    }
}

void TFParGen::RePosition_Object_Modbus_Master() {
    Show_Fields_Of(Par_Field::Panel::Modbus_Master);
}

void TFParGen::RePosition_Object_PROFIBUS() {
    Show_Fields_Of(Par_Field::Panel::PROFIBUS);
    E_PROFIBUS_Diagnosis_Address->setEnabled(!CB_PROFIBUS_Err_En_Diagnosis->isChecked());
}

void TFParGen::RePosition_Object_Ethernet() {
    Set_Shown(CP_Ethernet, Par_Field::Panel_Shown(Par_Field::Panel::Ethernet, With_Ethernet()));
}

void TFParGen::On_Change() {
    if (sender() == CB_HardwareType_HardwareType)
        Move_GroupBoxs();
}

void TFParGen::On_Click() {
    if (sender() == CB_PROFIBUS_Err_En_Diagnosis)
        Move_GroupBoxs();
}

void TFParGen::Set_Lang() {
    namespace T = Par_Field::Text;
    setWindowTitle(texts[T::Caption]);
    L_SW_Desc->setText(texts[T::Description]);
    Btn_OK->setText(texts[T::Ok]);
    Btn_OK->setToolTip(texts[T::Ok_Hint]);
    Btn_Cancel->setText(texts[T::Cancel]);
    Btn_Cancel->setToolTip(texts[T::Cancel_Hint]);
    for (Par_Field::Panel panel : Par_Field::Panels)
        Panel_Of(panel)->Set_Caption(Par_Field::Panel_Number(panel) + texts[Par_Field::Panel_Caption(panel)]);

    using Par_Field::Kind;
    const std::vector<Par_Field::Field>& table = Par_Field::Fields();
    for (size_t i = 0; i < table.size(); ++i) {
        const Par_Field::Field& field = table[i];
        const Field_Widgets& w = fields[i];
        if (w.label)
            Set_Label(w.label, texts, field.caption);
        switch (field.kind) {
        case Kind::List:
            if (!field.item_texts.empty()) {
                QStringList items;
                for (int index : field.item_texts)
                    items.append(texts.Text(index));
                w.list->clear();
                w.list->addItems(items);
                w.list->setCurrentIndex(0);
            }
            w.list->setToolTip(texts.Text(field.hint));
            break;
        case Kind::Edit:
            w.edit->setToolTip(texts.Text(field.hint));
            break;
        case Kind::Check:
            w.check->setText(texts.Text(field.caption));
            w.check->setToolTip(texts.Text(field.hint));
            break;
        case Kind::Octets:
            for (int j = 0; j < 4; ++j)
                w.octets[j]->setToolTip(texts.Text(field.hint + j));
            break;
        }
    }
}

void TFParGen::Fill_Controls(const General_Params& p) {
    using Par_Field::Kind;
    const std::vector<Par_Field::Field>& table = Par_Field::Fields();
    for (size_t i = 0; i < table.size(); ++i) {
        const Par_Field::Field& field = table[i];
        const Field_Widgets& w = fields[i];
        switch (field.kind) {
        case Kind::List:
            Select_Index(w.list, field.fixed_index >= 0 ? field.fixed_index : p.*field.index);
            break;
        case Kind::Edit:
            w.edit->setText(p.*field.text);
            break;
        case Kind::Check:
            w.check->setChecked(p.*field.flag);
            break;
        case Kind::Octets:
            for (int j = 0; j < 4; ++j)
                w.octets[j]->setText(p.*field.octets[j]);
            break;
        }
    }
}

General_Params TFParGen::Values() const {
    using Par_Field::Kind;
    General_Params p;
    const std::vector<Par_Field::Field>& table = Par_Field::Fields();
    for (size_t i = 0; i < table.size(); ++i) {
        const Par_Field::Field& field = table[i];
        const Field_Widgets& w = fields[i];
        switch (field.kind) {
        case Kind::List:
            p.*field.index = Selected_Index(w.list);
            break;
        case Kind::Edit:
            p.*field.text = w.edit->text();
            break;
        case Kind::Check:
            p.*field.flag = w.check->isChecked();
            break;
        case Kind::Octets:
            for (int j = 0; j < 4; ++j)
                p.*field.octets[j] = w.octets[j]->text();
            break;
        }
    }
    return p;
}

void TFParGen::FormShow() {
    const General_Params params = Load_ParGen(state.ParGen_File);
    Fill_Controls(params);
    Move_GroupBoxs();
    CPG->verticalScrollBar()->setValue(0);
    shown_values = Values();
}

bool TFParGen::Has_Unsaved_Changes() {
    return Values() != shown_values;
}

bool TFParGen::Controllo_Dati() {
    const auto failure = Check_General_Params(Values());
    if (!failure)
        return true;
    ui.Error_Box(Check_Failure_Message(texts, *failure));
    return false;
}

void TFParGen::Btn_OKClick() {
    if (!Controllo_Dati())
        return;
    try {
        Save_ParGen(state.ParGen_File, Values());
    } catch (const Kc_Error& error) {
        ui.Error_Box(error.Message());
        return;
    }
    accept();
}

bool TFParGen::KeyPress(QLineEdit* edit, QKeyEvent* event) {
    if (event->text() != QLatin1String("."))
        return false;
    const auto it = std::find(octet_chain.begin(), octet_chain.end(), edit);
    if (it != octet_chain.end() && it + 1 != octet_chain.end()) {
        QLineEdit* next = *(it + 1);
        if (next->isVisible() && next->isEnabled())
            next->setFocus(Qt::TabFocusReason);
    }
    return true;
}

bool TFParGen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (edit && std::find(octet_chain.begin(), octet_chain.end(), edit) != octet_chain.end())
            return KeyPress(edit, static_cast<QKeyEvent*>(event));
        return Frame_Dialog::eventFilter(watched, event);
    }
    if (event->type() == QEvent::Wheel) {
        // An open list's popup is a window of its own and scrolls itself.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() != this)
            return Frame_Dialog::eventFilter(watched, event);
        // Anywhere over the panel group the wheel scrolls the group, also over
        // its lists, which would otherwise change their item.
        auto* wheel = static_cast<QWheelEvent*>(event);
        QScrollBar* bar = CPG->verticalScrollBar();
        const int step = bar->singleStep() * QApplication::wheelScrollLines();
        bar->setValue(bar->value() + (wheel->angleDelta().y() > 0 ? -step : step));
        return true;
    }
    return Frame_Dialog::eventFilter(watched, event);
}

int Show_General_Params(TFParGen& dialog, Dialog_Services& ui) {
    try {
        dialog.FormShow();
    } catch (const Kc_Error& error) {
        ui.Error_Box(error.Message());
        return QDialog::Rejected;
    }
    return ui.Show_Modal(dialog);
}
