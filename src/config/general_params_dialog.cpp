#include "config/general_params_dialog.h"

#include "base/app_state.h"
#include "base/dialog_services_gui.h"
#include "base/kc_error.h"
#include "base/text_table.h"
#include "base/ui_services.h"
#include "config/collapsible_panel_widget.h"
#include "config/general_params_check.h"

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
QWidget* Add_Row(Collapsible_Panel* panel, std::initializer_list<QWidget*> widgets) {
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

} // namespace

TFParGen::TFParGen(App_State& app_state, const Text_Table& text_table, Ui_Services& ui_services,
                   QWidget* parent)
    : Frame_Dialog(app_state, text_table, ui_services, parent) {
    setObjectName(QStringLiteral("FParGen"));
    discard_question = 504;

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

    Build_Hardware_Panel();
    Build_Modbus_Panel();
    Build_PROFIBUS_Panel();
    Build_Ethernet_Panel();

    setFixedWidth(Client_Width);
    resize(Client_Width, Client_Height);

    Order_TAB_Panels();

    CPG->viewport()->installEventFilter(this);
    Install_Wheel_Filter(group);

    connect(CB_HardwareType_HardwareType, &QComboBox::currentIndexChanged, this, &TFParGen::On_Change);
    for (QComboBox* list :
         {CB_ModbusMaster_Serial, CB_ModbusMaster_Baudrate, CB_ModbusMaster_Parity, CB_ModbusMaster_StopBits,
          CB_ModbusMaster_DataBits, CB_ModbusMaster_Protocol, CB_ModbusMaster_WriteType, CB_PROFIBUS_Baud})
        connect(list, &QComboBox::currentIndexChanged, this, &TFParGen::On_Change);
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        if (edit->objectName().startsWith(QLatin1String("E_")))
            connect(edit, &QLineEdit::textChanged, this, &TFParGen::On_Change);
    }
    for (QCheckBox* check : findChildren<QCheckBox*>())
        connect(check, &QCheckBox::clicked, this, &TFParGen::On_Click);

    Move_GroupBoxs();
    Set_Lang();
}

void TFParGen::Build_Hardware_Panel() {
    QWidget* content = CP_Hardware_Type->Content();
    L_HardwareType_HardwareType = New_Label(content, QStringLiteral("L_HardwareType_HardwareType"));
    CB_HardwareType_HardwareType = New_List(content, QStringLiteral("CB_HardwareType_HardwareType"), {});
    Add_Row(CP_Hardware_Type, {L_HardwareType_HardwareType, CB_HardwareType_HardwareType});
}

void TFParGen::Build_Modbus_Panel() {
    QWidget* c = CP_Modbus_Master->Content();
    L_ModbusMaster_Serial = New_Label(c, QStringLiteral("L_ModbusMaster_Serial"));
    CB_ModbusMaster_Serial = New_List(c, QStringLiteral("CB_ModbusMaster_Serial"), {"RS232", "RS485"});
    Add_Row(CP_Modbus_Master, {L_ModbusMaster_Serial, CB_ModbusMaster_Serial});

    L_ModbusMaster_Baudrate = New_Label(c, QStringLiteral("L_ModbusMaster_Baudrate"));
    CB_ModbusMaster_Baudrate =
        New_List(c, QStringLiteral("CB_ModbusMaster_Baudrate"),
                 {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"});
    Add_Row(CP_Modbus_Master, {L_ModbusMaster_Baudrate, CB_ModbusMaster_Baudrate});

    L_ModbusMaster_Parity = New_Label(c, QStringLiteral("L_ModbusMaster_Parity"));
    CB_ModbusMaster_Parity = New_List(c, QStringLiteral("CB_ModbusMaster_Parity"), {"NONE", "EVEN", "ODD"});
    Add_Row(CP_Modbus_Master, {L_ModbusMaster_Parity, CB_ModbusMaster_Parity});

    L_ModbusMaster_StopBits = New_Label(c, QStringLiteral("L_ModbusMaster_StopBits"));
    CB_ModbusMaster_StopBits =
        New_List(c, QStringLiteral("CB_ModbusMaster_StopBits"), {"1 Stop Bit", "2 Stop Bits"});
    Add_Row(CP_Modbus_Master, {L_ModbusMaster_StopBits, CB_ModbusMaster_StopBits});

    // The device's own captions for the data bits list.
    L_ModbusMaster_DataBits = New_Label(c, QStringLiteral("L_ModbusMaster_DataBits"));
    CB_ModbusMaster_DataBits =
        New_List(c, QStringLiteral("CB_ModbusMaster_DataBits"), {"7 Stop Bits", "8 Stop Bits"});
    row_data_bits = Add_Row(CP_Modbus_Master, {L_ModbusMaster_DataBits, CB_ModbusMaster_DataBits});

    L_ModbusMaster_TimeOut = New_Label(c, QStringLiteral("L_ModbusMaster_TimeOut"));
    E_ModbusMaster_TimeOut = New_Edit(c, QStringLiteral("E_ModbusMaster_TimeOut"));
    Add_Row(CP_Modbus_Master, {L_ModbusMaster_TimeOut, E_ModbusMaster_TimeOut});

    L_ModbusMaster_CyclicDelay = New_Label(c, QStringLiteral("L_ModbusMaster_CyclicDelay"));
    E_ModbusMaster_CyclicDelay = New_Edit(c, QStringLiteral("E_ModbusMaster_CyclicDelay"));
    Add_Row(CP_Modbus_Master, {L_ModbusMaster_CyclicDelay, E_ModbusMaster_CyclicDelay});

    L_ModbusMaster_Protocol = New_Label(c, QStringLiteral("L_ModbusMaster_Protocol"));
    CB_ModbusMaster_Protocol = New_List(c, QStringLiteral("CB_ModbusMaster_Protocol"),
                                        {"Modbus RTU", "Modbus ASCII", "JBUS", "Binary", "ASCII"});
    row_protocol = Add_Row(CP_Modbus_Master, {L_ModbusMaster_Protocol, CB_ModbusMaster_Protocol});

    L_ModbusMaster_WriteType = New_Label(c, QStringLiteral("L_ModbusMaster_WriteType"));
    CB_ModbusMaster_WriteType = New_List(c, QStringLiteral("CB_ModbusMaster_WriteType"), {});
    row_write_type = Add_Row(CP_Modbus_Master, {L_ModbusMaster_WriteType, CB_ModbusMaster_WriteType});

    CB_ModbusMaster_En_Modbus_On_PROFIBUS =
        New_Check(c, QStringLiteral("CB_ModbusMaster_En_Modbus_On_PROFIBUS"));
    Add_Row(CP_Modbus_Master, {CB_ModbusMaster_En_Modbus_On_PROFIBUS});
}

void TFParGen::Build_PROFIBUS_Panel() {
    QWidget* c = CP_PROFIBUS->Content();
    L_PROFIBUS_ID_Device = New_Label(c, QStringLiteral("L_PROFIBUS_ID_Device"));
    E_PROFIBUS_ID_Device = New_Edit(c, QStringLiteral("E_PROFIBUS_ID_Device"));
    Add_Row(CP_PROFIBUS, {L_PROFIBUS_ID_Device, E_PROFIBUS_ID_Device});

    // The device finds the PROFIBUS baud rate by itself: the list only shows it.
    L_PROFIBUS_Baud = New_Label(c, QStringLiteral("L_PROFIBUS_Baud"));
    CB_PROFIBUS_Baud = New_List(c, QStringLiteral("CB_PROFIBUS_Baud"),
                                {"9600", "19200", "45.45K", "93.75K", "187.5K", "500K", "1.5M", "3.0M",
                                 "6.0M", "12M", "Auto Baudrate"});
    CB_PROFIBUS_Baud->setCurrentIndex(10);
    CB_PROFIBUS_Baud->setEnabled(false);
    Add_Row(CP_PROFIBUS, {L_PROFIBUS_Baud, CB_PROFIBUS_Baud});

    L_PROFIBUS_NByte_In = New_Label(c, QStringLiteral("L_PROFIBUS_NByte_In"));
    E_PROFIBUS_NByte_In = New_Edit(c, QStringLiteral("E_PROFIBUS_NByte_In"));
    Add_Row(CP_PROFIBUS, {L_PROFIBUS_NByte_In, E_PROFIBUS_NByte_In});

    L_PROFIBUS_NByte_Out = New_Label(c, QStringLiteral("L_PROFIBUS_NByte_Out"));
    E_PROFIBUS_NByte_Out = New_Edit(c, QStringLiteral("E_PROFIBUS_NByte_Out"));
    Add_Row(CP_PROFIBUS, {L_PROFIBUS_NByte_Out, E_PROFIBUS_NByte_Out});

    CB_PROFIBUS_En_Err_Diagnosis = New_Check(c, QStringLiteral("CB_PROFIBUS_En_Err_Diagnosis"));
    E_PROFIBUS_Diagnosis_Address =
        New_Edit(c, QStringLiteral("E_PROFIBUS_Diagnosis_Address"), Side_Edit_Width);
    Add_Row(CP_PROFIBUS, {CB_PROFIBUS_En_Err_Diagnosis, E_PROFIBUS_Diagnosis_Address});

    L_PROFIBUS_Err_Num_Count = New_Label(c, QStringLiteral("L_PROFIBUS_Err_Num_Count"));
    E_PROFIBUS_Err_Num_Count = New_Edit(c, QStringLiteral("E_PROFIBUS_Err_Num_Count"));
    row_err_num_count = Add_Row(CP_PROFIBUS, {L_PROFIBUS_Err_Num_Count, E_PROFIBUS_Err_Num_Count});

    CB_PROFIBUS_Err_En_Diagnosis = New_Check(c, QStringLiteral("CB_PROFIBUS_Err_En_Diagnosis"));
    Add_Row(CP_PROFIBUS, {CB_PROFIBUS_Err_En_Diagnosis});

    CB_PROFIBUS_Err_En_Cancel_Data = New_Check(c, QStringLiteral("CB_PROFIBUS_Err_En_Cancel_Data"));
    Add_Row(CP_PROFIBUS, {CB_PROFIBUS_Err_En_Cancel_Data});

    CB_PROFIBUS_Err_En_Set_To_Zero = New_Check(c, QStringLiteral("CB_PROFIBUS_Err_En_Set_To_Zero"));
    Add_Row(CP_PROFIBUS, {CB_PROFIBUS_Err_En_Set_To_Zero});

    CB_PROFIBUS_Err_En_Copy_Data = New_Check(c, QStringLiteral("CB_PROFIBUS_Err_En_Copy_Data"));
    E_PROFIBUS_Err_En_Copy_Pos = New_Edit(c, QStringLiteral("E_PROFIBUS_Err_En_Copy_Pos"), Side_Edit_Width);
    row_copy_data = Add_Row(CP_PROFIBUS, {CB_PROFIBUS_Err_En_Copy_Data, E_PROFIBUS_Err_En_Copy_Pos});

    CB_PROFIBUS_En_Async_Req = New_Check(c, QStringLiteral("CB_PROFIBUS_En_Async_Req"));
    Add_Row(CP_PROFIBUS, {CB_PROFIBUS_En_Async_Req});

    L_PROFIBUS_Async_Add_In = New_Label(c, QStringLiteral("L_PROFIBUS_Async_Add_In"));
    E_PROFIBUS_Async_Add_In = New_Edit(c, QStringLiteral("E_PROFIBUS_Async_Add_In"));
    Add_Row(CP_PROFIBUS, {L_PROFIBUS_Async_Add_In, E_PROFIBUS_Async_Add_In});

    L_PROFIBUS_Async_Add_Out = New_Label(c, QStringLiteral("L_PROFIBUS_Async_Add_Out"));
    E_PROFIBUS_Async_Add_Out = New_Edit(c, QStringLiteral("E_PROFIBUS_Async_Add_Out"));
    Add_Row(CP_PROFIBUS, {L_PROFIBUS_Async_Add_Out, E_PROFIBUS_Async_Add_Out});

    CB_PROFIBUS_Del_Modbus = New_Check(c, QStringLiteral("CB_PROFIBUS_Del_Modbus"));
    Add_Row(CP_PROFIBUS, {CB_PROFIBUS_Del_Modbus});
}

void TFParGen::Build_Ethernet_Panel() {
    QWidget* c = CP_Ethernet->Content();
    auto octet_row = [&](QWidget* head, const QString& prefix, std::array<QLineEdit*, 4>& edits) {
        std::vector<QWidget*> widgets{head};
        for (int i = 0; i < 4; ++i) {
            if (i > 0) {
                auto* dot = new QLabel(QStringLiteral("."), c);
                dot->setTextFormat(Qt::PlainText);
                widgets.push_back(dot);
            }
            edits[i] = New_Edit(c, prefix + QString::number(i + 1), Octet_Width);
            widgets.push_back(edits[i]);
        }
        auto* row = new QWidget(c);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(4);
        for (QWidget* widget : widgets) {
            widget->setParent(row);
            layout->addWidget(widget);
        }
        layout->addStretch(1);
        CP_Ethernet->Content_Layout()->addWidget(row);
    };

    L_Ethernet_IP = New_Label(c, QStringLiteral("L_Ethernet_IP"));
    octet_row(L_Ethernet_IP, QStringLiteral("E_Ethernet_IP"), E_Ethernet_IP);
    L_Ethernet_SM = New_Label(c, QStringLiteral("L_Ethernet_SM"));
    octet_row(L_Ethernet_SM, QStringLiteral("E_Ethernet_SM"), E_Ethernet_SM);
    CB_Ethernet_En_GAT = New_Check(c, QStringLiteral("CB_Ethernet_En_GAT"));
    CB_Ethernet_En_GAT->setFixedWidth(Label_Width);
    octet_row(CB_Ethernet_En_GAT, QStringLiteral("E_Ethernet_GAT"), E_Ethernet_GAT);

    for (int i = 0; i < 4; ++i) {
        octet_chain[i] = E_Ethernet_IP[i];
        octet_chain[4 + i] = E_Ethernet_SM[i];
        octet_chain[8 + i] = E_Ethernet_GAT[i];
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

void TFParGen::RePosition_Object_Modbus_Master() {
    const bool serial_options = !With_Ethernet();
    Set_Shown(row_data_bits, serial_options);
    Set_Shown(row_protocol, serial_options);
    Set_Shown(row_write_type, serial_options);
}

void TFParGen::RePosition_Object_PROFIBUS() {
    const bool ethernet = With_Ethernet();
    Set_Shown(E_PROFIBUS_Diagnosis_Address, ethernet);
    E_PROFIBUS_Diagnosis_Address->setEnabled(!CB_PROFIBUS_Err_En_Diagnosis->isChecked());
    Set_Shown(row_err_num_count, !ethernet);
    Set_Shown(CB_PROFIBUS_Err_En_Cancel_Data->parentWidget(), !ethernet);
    Set_Shown(CB_PROFIBUS_Err_En_Set_To_Zero->parentWidget(), !ethernet);
    Set_Shown(row_copy_data, !ethernet);
    Set_Shown(CB_PROFIBUS_Del_Modbus->parentWidget(), !ethernet);
}

void TFParGen::RePosition_Object_Ethernet() {
    Set_Shown(CP_Ethernet, With_Ethernet());
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
    setWindowTitle(texts.Text(400));
    L_SW_Desc->setText(texts.Text(401));
    Btn_OK->setText(texts.Text(402));
    Btn_OK->setToolTip(texts.Text(404));
    Btn_Cancel->setText(texts.Text(403));
    Btn_Cancel->setToolTip(texts.Text(405));

    CP_Hardware_Type->Set_Caption(QStringLiteral("1. ") + texts.Text(406));
    CP_Modbus_Master->Set_Caption(QStringLiteral("2. ") + texts.Text(411));
    CP_PROFIBUS->Set_Caption(QStringLiteral("3. ") + texts.Text(430));
    CP_Ethernet->Set_Caption(QStringLiteral("4. ") + texts.Text(457));

    Set_Label(L_HardwareType_HardwareType, texts, 407);
    CB_HardwareType_HardwareType->clear();
    CB_HardwareType_HardwareType->addItems({texts.Text(408), texts.Text(409)});
    CB_HardwareType_HardwareType->setCurrentIndex(0);
    CB_HardwareType_HardwareType->setToolTip(texts.Text(410));

    Set_Label(L_ModbusMaster_Serial, texts, 412);
    CB_ModbusMaster_Serial->setToolTip(texts.Text(413));
    Set_Label(L_ModbusMaster_Baudrate, texts, 414);
    CB_ModbusMaster_Baudrate->setToolTip(texts.Text(415));
    Set_Label(L_ModbusMaster_Parity, texts, 416);
    CB_ModbusMaster_Parity->setToolTip(texts.Text(417));
    Set_Label(L_ModbusMaster_StopBits, texts, 418);
    CB_ModbusMaster_StopBits->setToolTip(texts.Text(419));
    Set_Label(L_ModbusMaster_DataBits, texts, 498);
    CB_ModbusMaster_DataBits->setToolTip(texts.Text(499));
    Set_Label(L_ModbusMaster_TimeOut, texts, 420);
    E_ModbusMaster_TimeOut->setToolTip(texts.Text(421));
    Set_Label(L_ModbusMaster_CyclicDelay, texts, 422);
    E_ModbusMaster_CyclicDelay->setToolTip(texts.Text(423));
    Set_Label(L_ModbusMaster_Protocol, texts, 424);
    CB_ModbusMaster_Protocol->setToolTip(texts.Text(425));
    Set_Label(L_ModbusMaster_WriteType, texts, 426);
    CB_ModbusMaster_WriteType->clear();
    CB_ModbusMaster_WriteType->addItems({texts.Text(427), texts.Text(428)});
    CB_ModbusMaster_WriteType->setCurrentIndex(0);
    CB_ModbusMaster_WriteType->setToolTip(texts.Text(429));
    CB_ModbusMaster_En_Modbus_On_PROFIBUS->setText(texts.Text(496));
    CB_ModbusMaster_En_Modbus_On_PROFIBUS->setToolTip(texts.Text(497));

    Set_Label(L_PROFIBUS_ID_Device, texts, 431);
    E_PROFIBUS_ID_Device->setToolTip(texts.Text(432));
    Set_Label(L_PROFIBUS_Baud, texts, 433);
    CB_PROFIBUS_Baud->setToolTip(texts.Text(434));
    Set_Label(L_PROFIBUS_NByte_In, texts, 435);
    E_PROFIBUS_NByte_In->setToolTip(texts.Text(436));
    Set_Label(L_PROFIBUS_NByte_Out, texts, 437);
    E_PROFIBUS_NByte_Out->setToolTip(texts.Text(438));
    CB_PROFIBUS_En_Err_Diagnosis->setText(texts.Text(439));
    CB_PROFIBUS_En_Err_Diagnosis->setToolTip(texts.Text(440));
    E_PROFIBUS_Diagnosis_Address->setToolTip(texts.Text(494));
    Set_Label(L_PROFIBUS_Err_Num_Count, texts, 441);
    E_PROFIBUS_Err_Num_Count->setToolTip(texts.Text(442));
    CB_PROFIBUS_Err_En_Diagnosis->setText(texts.Text(443));
    CB_PROFIBUS_Err_En_Diagnosis->setToolTip(texts.Text(444));
    CB_PROFIBUS_Err_En_Cancel_Data->setText(texts.Text(445));
    CB_PROFIBUS_Err_En_Cancel_Data->setToolTip(texts.Text(446));
    CB_PROFIBUS_Err_En_Set_To_Zero->setText(texts.Text(447));
    CB_PROFIBUS_Err_En_Set_To_Zero->setToolTip(texts.Text(448));
    CB_PROFIBUS_Err_En_Copy_Data->setText(texts.Text(500));
    CB_PROFIBUS_Err_En_Copy_Data->setToolTip(texts.Text(501));
    E_PROFIBUS_Err_En_Copy_Pos->setToolTip(texts.Text(502));
    CB_PROFIBUS_En_Async_Req->setText(texts.Text(449));
    CB_PROFIBUS_En_Async_Req->setToolTip(texts.Text(450));
    Set_Label(L_PROFIBUS_Async_Add_In, texts, 451);
    E_PROFIBUS_Async_Add_In->setToolTip(texts.Text(452));
    Set_Label(L_PROFIBUS_Async_Add_Out, texts, 453);
    E_PROFIBUS_Async_Add_Out->setToolTip(texts.Text(454));
    CB_PROFIBUS_Del_Modbus->setText(texts.Text(455));
    CB_PROFIBUS_Del_Modbus->setToolTip(texts.Text(456));

    Set_Label(L_Ethernet_IP, texts, 458);
    Set_Label(L_Ethernet_SM, texts, 463);
    CB_Ethernet_En_GAT->setText(texts.Text(468));
    CB_Ethernet_En_GAT->setToolTip(texts.Text(469));
    for (int i = 0; i < 4; ++i) {
        E_Ethernet_IP[i]->setToolTip(texts.Text(459 + i));
        E_Ethernet_SM[i]->setToolTip(texts.Text(464 + i));
        E_Ethernet_GAT[i]->setToolTip(texts.Text(470 + i));
    }
}

void TFParGen::Fill_Controls(const General_Params& p) {
    Select_Index(CB_HardwareType_HardwareType, p.Hardware_Type);
    Select_Index(CB_ModbusMaster_Serial, p.Ser_Type);
    Select_Index(CB_ModbusMaster_Baudrate, p.Ser_Baud);
    Select_Index(CB_ModbusMaster_Parity, p.Ser_Par);
    Select_Index(CB_ModbusMaster_StopBits, p.Ser_StopBits);
    Select_Index(CB_ModbusMaster_DataBits, p.Ser_DataBits);
    E_ModbusMaster_TimeOut->setText(p.Ser_TO);
    E_ModbusMaster_CyclicDelay->setText(p.Ser_CD);
    Select_Index(CB_ModbusMaster_Protocol, p.Ser_Prot);
    Select_Index(CB_ModbusMaster_WriteType, p.Ser_Write_Mode);
    CB_ModbusMaster_En_Modbus_On_PROFIBUS->setChecked(p.Ser_Enable_Modbus_PROFIBUS_Active);

    E_PROFIBUS_ID_Device->setText(p.Profi_ID);
    // Always "Auto Baudrate", whatever the document holds.
    Select_Index(CB_PROFIBUS_Baud, 10);
    E_PROFIBUS_NByte_In->setText(p.Profi_NB_IN);
    E_PROFIBUS_NByte_Out->setText(p.Profi_NB_OUT);
    CB_PROFIBUS_En_Err_Diagnosis->setChecked(p.Profi_Enable_Error);
    E_PROFIBUS_Err_Num_Count->setText(p.Profi_Num_Cont_Err);
    CB_PROFIBUS_Err_En_Diagnosis->setChecked(p.Profi_Enable_Diagnosis);
    CB_PROFIBUS_Err_En_Cancel_Data->setChecked(p.Profi_Enable_Cancel_Data);
    CB_PROFIBUS_Err_En_Set_To_Zero->setChecked(p.Profi_Diagnosis_Zero);
    CB_PROFIBUS_Err_En_Copy_Data->setChecked(p.Profi_Diagnosis_Copy_Array);
    E_PROFIBUS_Err_En_Copy_Pos->setText(p.Profi_Diagnosis_Copy_Array_Position);
    CB_PROFIBUS_En_Async_Req->setChecked(p.Profi_Enable_Async_Mod_Req);
    E_PROFIBUS_Async_Add_In->setText(p.Profi_Async_Req_Start_IN);
    E_PROFIBUS_Async_Add_Out->setText(p.Profi_Async_Req_Start_OUT);
    CB_PROFIBUS_Del_Modbus->setChecked(p.Del_Modbus_on_PROFI_error);
    E_PROFIBUS_Diagnosis_Address->setText(p.Profi_Enable_Error_Address);

    const std::array<QString, 4> ip = {p.Ethernet_IP1, p.Ethernet_IP2, p.Ethernet_IP3, p.Ethernet_IP4};
    const std::array<QString, 4> sm = {p.Ethernet_SM1, p.Ethernet_SM2, p.Ethernet_SM3, p.Ethernet_SM4};
    const std::array<QString, 4> gat = {p.Ethernet_GAT1, p.Ethernet_GAT2, p.Ethernet_GAT3, p.Ethernet_GAT4};
    for (int i = 0; i < 4; ++i) {
        E_Ethernet_IP[i]->setText(ip[i]);
        E_Ethernet_SM[i]->setText(sm[i]);
        E_Ethernet_GAT[i]->setText(gat[i]);
    }
    CB_Ethernet_En_GAT->setChecked(p.Ethernet_EN_GAT);
}

General_Params TFParGen::Values() const {
    General_Params p;
    p.Hardware_Type = Selected_Index(CB_HardwareType_HardwareType);
    p.Ser_Type = Selected_Index(CB_ModbusMaster_Serial);
    p.Ser_Baud = Selected_Index(CB_ModbusMaster_Baudrate);
    p.Ser_Par = Selected_Index(CB_ModbusMaster_Parity);
    p.Ser_StopBits = Selected_Index(CB_ModbusMaster_StopBits);
    p.Ser_DataBits = Selected_Index(CB_ModbusMaster_DataBits);
    p.Ser_TO = E_ModbusMaster_TimeOut->text();
    p.Ser_CD = E_ModbusMaster_CyclicDelay->text();
    p.Ser_Prot = Selected_Index(CB_ModbusMaster_Protocol);
    p.Ser_Write_Mode = Selected_Index(CB_ModbusMaster_WriteType);
    p.Ser_Enable_Modbus_PROFIBUS_Active = CB_ModbusMaster_En_Modbus_On_PROFIBUS->isChecked();

    p.Profi_ID = E_PROFIBUS_ID_Device->text();
    p.Profi_Baud = Selected_Index(CB_PROFIBUS_Baud);
    p.Profi_NB_IN = E_PROFIBUS_NByte_In->text();
    p.Profi_NB_OUT = E_PROFIBUS_NByte_Out->text();
    p.Profi_Enable_Error = CB_PROFIBUS_En_Err_Diagnosis->isChecked();
    p.Profi_Num_Cont_Err = E_PROFIBUS_Err_Num_Count->text();
    p.Profi_Enable_Diagnosis = CB_PROFIBUS_Err_En_Diagnosis->isChecked();
    p.Profi_Enable_Cancel_Data = CB_PROFIBUS_Err_En_Cancel_Data->isChecked();
    p.Profi_Diagnosis_Zero = CB_PROFIBUS_Err_En_Set_To_Zero->isChecked();
    p.Profi_Diagnosis_Copy_Array = CB_PROFIBUS_Err_En_Copy_Data->isChecked();
    p.Profi_Diagnosis_Copy_Array_Position = E_PROFIBUS_Err_En_Copy_Pos->text();
    p.Profi_Enable_Async_Mod_Req = CB_PROFIBUS_En_Async_Req->isChecked();
    p.Profi_Async_Req_Start_IN = E_PROFIBUS_Async_Add_In->text();
    p.Profi_Async_Req_Start_OUT = E_PROFIBUS_Async_Add_Out->text();
    p.Del_Modbus_on_PROFI_error = CB_PROFIBUS_Del_Modbus->isChecked();
    p.Profi_Enable_Error_Address = E_PROFIBUS_Diagnosis_Address->text();

    p.Ethernet_IP1 = E_Ethernet_IP[0]->text();
    p.Ethernet_IP2 = E_Ethernet_IP[1]->text();
    p.Ethernet_IP3 = E_Ethernet_IP[2]->text();
    p.Ethernet_IP4 = E_Ethernet_IP[3]->text();
    p.Ethernet_SM1 = E_Ethernet_SM[0]->text();
    p.Ethernet_SM2 = E_Ethernet_SM[1]->text();
    p.Ethernet_SM3 = E_Ethernet_SM[2]->text();
    p.Ethernet_SM4 = E_Ethernet_SM[3]->text();
    p.Ethernet_GAT1 = E_Ethernet_GAT[0]->text();
    p.Ethernet_GAT2 = E_Ethernet_GAT[1]->text();
    p.Ethernet_GAT3 = E_Ethernet_GAT[2]->text();
    p.Ethernet_GAT4 = E_Ethernet_GAT[3]->text();
    p.Ethernet_EN_GAT = CB_Ethernet_En_GAT->isChecked();
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
