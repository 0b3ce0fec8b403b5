#include "update/boot_dialog.h"

#include "base/app_state.h"
#include "base/com_ports.h"
#include "base/file_lookup.h"
#include "base/kc_error.h"
#include "base/plain_hint.h"
#include "base/program_folder.h"
#include "base/shown_text.h"
#include "base/standard_icon_gui.h"
#include "base/text_table.h"
#include "base/ui_services.h"
#include "base/xml_text.h"
#include "update/boot_text.h"
#include "update/echo_client.h"
#include "update/ip_address.h"
#include "update/start_program.h"
#include "update/update_options.h"
#include "update/update_wait_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLabel* New_Label(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QFrame* New_Panel(const char* name, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    return panel;
}

} // namespace

TFBoot::TFBoot(App_State& app_state, const Text_Table& text_table, Ui_Services& ui_services,
               const Update_Services& services, QWidget* parent)
    : Frame_Dialog(app_state, text_table, ui_services, parent, Buttons::None), services_(services) {
    setObjectName(QStringLiteral("FBoot"));

    // Address panel: four edits, one per byte, with dots between them.
    P_IP_Address = New_Panel("P_IP_Address", Body());
    auto* ip_layout = new QVBoxLayout(P_IP_Address);
    L_IP_Address = New_Label("L_IP_Address", P_IP_Address);
    ip_layout->addWidget(L_IP_Address);
    auto* edits_layout = new QHBoxLayout;
    QLineEdit** edits[] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
    for (int i = 0; i < 4; ++i) {
        auto* edit = new QLineEdit(QStringLiteral("0"), P_IP_Address);
        edit->setObjectName(QStringLiteral("E_IP%1").arg(i + 1));
        edit->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
        edit->installEventFilter(this);
        *edits[i] = edit;
        if (i > 0) {
            QLabel* dot = New_Label("", P_IP_Address);
            dot->setText(QStringLiteral("."));
            edits_layout->addWidget(dot);
        }
        edits_layout->addWidget(edit);
    }
    edits_layout->addStretch(1);
    ip_layout->addLayout(edits_layout);
    // Shown while the echo check runs: what is checked, and its Cancel.
    P_Check = New_Panel("P_Check", P_IP_Address);
    auto* check_layout = new QHBoxLayout(P_Check);
    check_layout->setContentsMargins(0, 0, 0, 0);
    L_Check = New_Label("L_Check", P_Check);
    Btn_Check_Cancel = new QPushButton(P_Check);
    Btn_Check_Cancel->setObjectName(QStringLiteral("Btn_Check_Cancel"));
    Btn_Check_Cancel->setAutoDefault(false);
    check_layout->addWidget(L_Check, 1);
    check_layout->addWidget(Btn_Check_Cancel);
    P_Check->hide();
    ip_layout->addWidget(P_Check);
    Body_Layout()->addWidget(P_IP_Address);

    // Serial panel: the port list and the button that refreshes it.
    P_Serial = New_Panel("P_Serial", Body());
    auto* serial_layout = new QVBoxLayout(P_Serial);
    L_COM_Port = New_Label("L_COM_Port", P_Serial);
    serial_layout->addWidget(L_COM_Port);
    auto* port_layout = new QHBoxLayout;
    CB_COM_Port = new QComboBox(P_Serial);
    CB_COM_Port->setObjectName(QStringLiteral("CB_COM_Port"));
    CB_COM_Port->setEditable(false);
    CB_COM_Port->setMinimumContentsLength(12);
    Btn_COM_List = new QPushButton(P_Serial);
    Btn_COM_List->setObjectName(QStringLiteral("Btn_COM_List"));
    Btn_COM_List->setIcon(Standard_Icon(this, QStyle::SP_BrowserReload));
    Btn_COM_List->setAutoDefault(false);
    port_layout->addWidget(CB_COM_Port, 1);
    port_layout->addWidget(Btn_COM_List);
    serial_layout->addLayout(port_layout);
    Body_Layout()->addWidget(P_Serial);

    // Options panel: what is loaded and whether it is read back.
    P_Options = New_Panel("P_Options", Body());
    auto* options_layout = new QVBoxLayout(P_Options);
    L_Update_Option = New_Label("L_Update_Option", P_Options);
    CB_Update_Options = new QComboBox(P_Options);
    CB_Update_Options->setObjectName(QStringLiteral("CB_Update_Options"));
    CB_Update_Options->setEditable(false);
    CB_Update_Option_Read_Back = new QCheckBox(P_Options);
    CB_Update_Option_Read_Back->setObjectName(QStringLiteral("CB_Update_Option_Read_Back"));
    CB_Update_Option_Read_Back->setChecked(true);
    options_layout->addWidget(L_Update_Option);
    options_layout->addWidget(CB_Update_Options);
    options_layout->addWidget(CB_Update_Option_Read_Back);
    Body_Layout()->addWidget(P_Options);

    // Button panel: cancel closes, update starts and keeps the dialog open.
    P_Button = New_Panel("P_Button", this);
    auto* button_layout = new QHBoxLayout(P_Button);
    button_layout->addStretch(1);
    Btn_Cancel = new QPushButton(P_Button);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    Btn_Cancel->setAutoDefault(false);
    Btn_Update = new QPushButton(P_Button);
    Btn_Update->setObjectName(QStringLiteral("Btn_Update"));
    Btn_Update->setAutoDefault(false);
    button_layout->addWidget(Btn_Cancel);
    button_layout->addWidget(Btn_Update);
    layout()->addWidget(P_Button);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(Btn_COM_List, &QPushButton::clicked, this, &TFBoot::Btn_COM_ListClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFBoot::Btn_CancelClick);
    connect(Btn_Update, &QPushButton::clicked, this, &TFBoot::Btn_UpdateClick);
    connect(Btn_Check_Cancel, &QPushButton::clicked, this, &TFBoot::Btn_Check_CancelClick);

    echo_check_ = new Echo_Check(services_.echo, services_.lookup, services_.timing, this);
    connect(echo_check_, &Echo_Check::Finished, this, &TFBoot::Ping_Finished);
    watch_timer_ = new QTimer(this);
    watch_timer_->setInterval(250);
    connect(watch_timer_, &QTimer::timeout, this, &TFBoot::Watch_Updater);

    Set_Lang();
}

TFBoot::~TFBoot() = default;

void TFBoot::Set_Lang() {
    const bool ethernet = form_type_ == 1;
    setWindowTitle(texts[ethernet ? Boot_Text::Ethernet_Caption : Boot_Text::Serial_Caption]);
    L_SW_Desc->setText(texts[ethernet ? Boot_Text::Ethernet_Description : Boot_Text::Serial_Description]);
    L_IP_Address->setText(texts[Boot_Text::Ip_Address]);
    E_IP1->setToolTip(texts[Boot_Text::Ip_Byte_1_Hint]);
    E_IP2->setToolTip(texts[Boot_Text::Ip_Byte_2_Hint]);
    E_IP3->setToolTip(texts[Boot_Text::Ip_Byte_3_Hint]);
    E_IP4->setToolTip(texts[Boot_Text::Ip_Byte_4_Hint]);
    L_COM_Port->setText(texts[Boot_Text::Com_Port]);
    CB_COM_Port->setToolTip(texts[Boot_Text::Com_Port_Hint]);
    Btn_COM_List->setToolTip(texts[Boot_Text::Com_List_Hint]);
    L_Update_Option->setText(texts[Boot_Text::Update_Option]);
    CB_Update_Options->setToolTip(texts[Boot_Text::Update_Option_Hint]);
    CB_Update_Option_Read_Back->setText(texts[Boot_Text::Read_Back]);
    CB_Update_Option_Read_Back->setToolTip(texts[Boot_Text::Read_Back_Hint]);
    Btn_Cancel->setText(texts[Boot_Text::Cancel]);
    Btn_Cancel->setToolTip(texts[Boot_Text::Cancel_Hint]);
    Btn_Update->setText(texts[Boot_Text::Update]);
    Btn_Update->setToolTip(texts[Boot_Text::Update_Hint]);
    L_Check->setText(texts[Boot_Text::Checking] + QLatin1Char(' ') + checking_host_ + QStringLiteral(" ..."));
    Btn_Check_Cancel->setText(texts[Boot_Text::Check_Cancel]);
    Btn_Check_Cancel->setToolTip(Plain_Hint(texts[Boot_Text::Check_Cancel_Hint]));
    CB_Update_Options->clear();
    CB_Update_Options->addItems({texts[Boot_Text::Option_Firmware_And_Configuration],
                                 texts[Boot_Text::Option_Firmware], texts[Boot_Text::Option_Configuration]});
    CB_Update_Options->setCurrentIndex(0);
}

void TFBoot::FormShow() {
    Set_Lang();
    Show_Soft_Code();
    P_IP_Address->hide();
    P_Serial->hide();
    P_Options->hide();
    if (form_type_ == 0) {
        P_Serial->show();
        P_Options->show();
        setTabOrder(CB_COM_Port, Btn_COM_List);
        setTabOrder(Btn_COM_List, CB_Update_Options);
    } else {
        P_IP_Address->show();
        P_Options->show();
        setTabOrder(E_IP1, E_IP2);
        setTabOrder(E_IP2, E_IP3);
        setTabOrder(E_IP3, E_IP4);
        setTabOrder(E_IP4, CB_Update_Options);
        QStringList parts;
        if (!state.Last_IP_Address.isEmpty() && Split_IP_Address(state.Last_IP_Address, parts)) {
            E_IP1->setText(parts[0]);
            E_IP2->setText(parts[1]);
            E_IP3->setText(parts[2]);
            E_IP4->setText(parts[3]);
        }
    }
    setTabOrder(CB_Update_Options, CB_Update_Option_Read_Back);
    setTabOrder(CB_Update_Option_Read_Back, Btn_Cancel);
    setTabOrder(Btn_Cancel, Btn_Update);
    CB_Update_Options->setCurrentIndex(state.Update_Option_Index);
    CB_Update_Option_Read_Back->setChecked(state.Read_Back);
    if (form_type_ == 0) {
        update_ComPort();
        CB_COM_Port->setFocus();
    } else {
        E_IP1->setFocus();
    }
    adjustSize();
}

void TFBoot::update_ComPort() {
    CB_COM_Port->clear();
    for (const Serial_Port& port : List_COM_Ports(services_.ports))
        CB_COM_Port->addItem(port.name);
    CB_COM_Port->setCurrentIndex(CB_COM_Port->count() > 0 ? 0 : -1);
}

bool TFBoot::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        for (QLineEdit* edit : {E_IP1, E_IP2, E_IP3, E_IP4})
            if (watched == edit)
                return KeyPress(edit, static_cast<QKeyEvent*>(event));
    }
    return Frame_Dialog::eventFilter(watched, event);
}

bool TFBoot::KeyPress(QLineEdit* edit, QKeyEvent* event) {
    if (event->text() != QLatin1String("."))
        return false;
    QLineEdit* next = edit == E_IP1 ? E_IP2 : edit == E_IP2 ? E_IP3 : edit == E_IP3 ? E_IP4 : nullptr;
    if (next && next->isVisible() && next->isEnabled() && (next->focusPolicy() & Qt::TabFocus))
        next->setFocus(Qt::TabFocusReason);
    return true;
}

QString TFBoot::IP_Text() const {
    return QStringList{E_IP1->text(), E_IP2->text(), E_IP3->text(), E_IP4->text()}.join(QLatin1Char('.'));
}

void TFBoot::PingReply(int bytes_received) {
    ping_res = bytes_received > 0 ? 1 : 2;
}

bool TFBoot::Echo_Check_Running() const {
    return echo_check_->Running();
}

void TFBoot::Send_Ping() {
    checking_host_ = IP_Text();
    echo_check_->Start(checking_host_, ping_res, [this](int bytes_received) { PingReply(bytes_received); });
    Set_Busy(true);
    Show_Check(true);
}

void TFBoot::Show_Check(bool shown) {
    L_Check->setText(texts[Boot_Text::Checking] + QLatin1Char(' ') + checking_host_ + QStringLiteral(" ..."));
    P_Check->setVisible(shown);
    Btn_Check_Cancel->setEnabled(shown);
    if (shown)
        Btn_Check_Cancel->setFocus();
}

void TFBoot::Btn_Check_CancelClick() {
    if (!echo_check_->Running())
        return;
    echo_check_->Cancel();
    Show_Check(false);
    Set_Busy(false);
}

void TFBoot::Set_Busy(bool busy) {
    // While the echo check or an update runs, the buttons take no second
    // click and the dialog does not close.
    busy_ = busy;
    for (QWidget* control : std::initializer_list<QWidget*>{Btn_Update, Btn_Cancel, Btn_COM_List})
        control->setEnabled(!busy);
    // The address the echo is checking cannot be changed under it: what the
    // updater is handed is what answered.
    for (QLineEdit* edit : {E_IP1, E_IP2, E_IP3, E_IP4})
        edit->setReadOnly(busy);
}

void TFBoot::reject() {
    if (echo_check_->Running()) {
        Btn_Check_CancelClick();
        return;
    }
    if (!busy_)
        Frame_Dialog::reject();
}

void TFBoot::Btn_UpdateClick() {
    if (busy_)
        return;
    if (Updater_Running()) {
        ui.Error_Box(texts[Boot_Text::Already_Running] + QLatin1Char(' ') + running_name_);
        return;
    }
    if (form_type_ == 1) {
        Update_Ethernet();
        return;
    }
    if (CB_COM_Port->count() == 0 || CB_COM_Port->currentText().isEmpty()) {
        ui.Error_Box(texts[Boot_Text::No_Serial_Port]);
        return;
    }
    Set_Busy(true);
    try {
        Update_Serial();
    } catch (const Kc_Error& error) {
        Set_Busy(false);
        ui.Error_Box(error.Message());
        return;
    }
    Set_Busy(false);
}

void TFBoot::Update_Serial() {
    state.Update_Option_Index = CB_Update_Options->currentIndex();
    state.Read_Back = CB_Update_Option_Read_Back->isChecked();
    Program_Arguments arguments(Serial_Arguments(CB_COM_Port->currentText(), state.Update_Option_Index,
                                                 state.Read_Back, state.Master_Dir, state.Conf_Dir));
    arguments.windows_command_line =
        Serial_Command_Line(CB_COM_Port->currentText(), state.Update_Option_Index, state.Read_Back,
                            state.Master_Dir, state.Conf_Dir);
    Run_Updater(Updater_Program_Path(state.Program_Dir, Serial_Updater_Name), arguments,
                CB_COM_Port->currentText());
}

void TFBoot::Update_Ethernet() {
    // Folders the parameter file cannot hold as they are: refused before
    // anything is checked, written or started.
    Ethernet_Update_Params params;
    params.master_dir = state.Master_Dir;
    params.conf_dir = state.Conf_Dir;
    for (const QString& path : Ethernet_Update_Paths(params)) {
        if (Xml_Cannot_Keep(path)) {
            ui.Error_Box(texts[Boot_Text::Folder_Has_Controls] + QLatin1Char(' ') +
                         QDir::toNativeSeparators(Visible_Controls(path)));
            return;
        }
    }
    // The Ethernet updater reads its parameter file from its own folder: a
    // folder this user cannot write (an all-users install) cannot take it.
    if (!Folder_Writable(state.Program_Dir)) {
        ui.Error_Box(texts[Boot_Text::Program_Folder_Read_Only] + QLatin1Char(' ') +
                     Shown_Path(state.Program_Dir) + QLatin1Char('\n') +
                     texts[Boot_Text::Program_Folder_What_To_Do]);
        return;
    }
    Send_Ping();
}

void TFBoot::Ping_Finished(bool answered) {
    Show_Check(false);
    Set_Busy(false);
    if (!answered) {
        if (ping_res == 2)
            ui.Warning_Box(texts[Boot_Text::Device_Not_Found]);
        else
            ui.Error_Box(texts[Boot_Text::Check_Ip_Address]);
        return;
    }
    state.Last_IP_Address = checking_host_;
    state.Update_Option_Index = CB_Update_Options->currentIndex();
    state.Read_Back = CB_Update_Option_Read_Back->isChecked();
    Ethernet_Update_Params params;
    params.ip_address = state.Last_IP_Address;
    params.option_index = state.Update_Option_Index;
    params.read_back = state.Read_Back;
    params.master_dir = state.Master_Dir;
    params.conf_dir = state.Conf_Dir;
    Set_Busy(true);
    try {
        Compile_XML_Parameter(QDir(state.Program_Dir).filePath(Ethernet_Parameter_File), params);
        Run_Updater(Updater_Program_Path(state.Program_Dir, Ethernet_Updater_Name), {}, params.ip_address);
    } catch (const Kc_Error& error) {
        Set_Busy(false);
        ui.Error_Box(error.Message());
        return;
    }
    Set_Busy(false);
}

Update_Entry TFBoot::New_Entry(const QString& target) const {
    Update_Entry entry;
    entry.Time = QDateTime::currentDateTimeUtc();
    entry.Hardware_Type = form_type_;
    entry.Firmware = state.Update_Option_Index == Option_Firmware_Configuration ||
                     state.Update_Option_Index == Option_Firmware;
    entry.Configuration = state.Update_Option_Index == Option_Firmware_Configuration ||
                          state.Update_Option_Index == Option_Configuration;
    entry.Read_Back = state.Read_Back;
    entry.Target = target;
    return entry;
}

void TFBoot::Record(const Update_Entry& entry, const QByteArray& image, const QString& output) {
    if (state.Conf_Dir.isEmpty())
        return;
    try {
        Record_Update(state.Conf_Dir, entry, image, output);
    } catch (const Kc_Error& error) {
        ui.Error_Box(texts[Boot_Text::History_Not_Written] + QLatin1Char(' ') + error.Message());
    }
}

void TFBoot::Complete_Record(const Program_End& end) {
    if (running_conf_dir_.isEmpty())
        return;
    try {
        Complete_Update(running_conf_dir_, running_started_,
                        end.crashed ? Update_End::Crashed : Update_End::Exit_Status, end.code,
                        running_log_.Text());
    } catch (const Kc_Error& error) {
        ui.Error_Box(texts[Boot_Text::History_Not_Written] + QLatin1Char(' ') + error.Message());
    }
}

void TFBoot::Run_Updater(const QString& program, const Program_Arguments& arguments, const QString& target) {
    const QString name = QFileInfo(program).fileName();
    Update_Entry entry = New_Entry(target);
    // The image handed over, as it lies in the bin folder when the updater starts.
    QByteArray image;
    if (entry.Configuration) {
        QFile bank(Find_File_No_Case(QDir(state.Conf_Dir).filePath(QStringLiteral("bin")),
                                     QStringLiteral("bank.bin")));
        if (bank.open(QIODevice::ReadOnly))
            image = bank.read(4 * 1024 * 1024);
    }
    Update_Wait_Dialog indicator(windowTitle(), texts[Boot_Text::Waiting], name,
                                 texts[Boot_Text::Seconds_Elapsed], texts[Boot_Text::Updater_Output], this);
    indicator.Set_Limit(services_.timing.wait_limit_ms, texts[Boot_Text::Seconds_Of],
                        texts[Boot_Text::Seconds_Unit]);
    // A hung updater can be ended, after a question whose Enter keeps it running.
    bool stop_asked = false;
    indicator.Offer_Stop(texts[Boot_Text::Stop]);
    connect(&indicator, &Update_Wait_Dialog::Stop_Clicked, this, [&] {
        if (!stop_asked && ui.Question_Box(texts[Boot_Text::Stop_Question], Ui_Services::Default_Answer::No))
            stop_asked = true;
    });
    running_decoder_ = Updater_Output_Decoder();
    running_tail_.Clear();
    running_log_.Clear();
    Program_Run_Result result = Start_Program(
        services_.starter, services_.clock, services_.timing, program, arguments, 0,
        [&](qint64 elapsed_ms, const QByteArray& output) {
            if (!output.isEmpty()) {
                const QString text = running_decoder_.Decode(output);
                running_tail_.Add(text);
                running_log_.Add(text);
            }
            indicator.Tick(elapsed_ms, output);
        },
        [&] { return stop_asked; });
    indicator.hide();
    switch (result.run) {
    case Program_Run::Not_Started:
        entry.End = Update_End::Refused;
        Record(entry, {}, result.error);
        ui.Error_Box(
            texts[Boot_Text::Cannot_Start] + QLatin1Char(' ') + QDir::toNativeSeparators(program) +
            (result.error.isEmpty() ? QString() : QStringLiteral(" (") + result.error + QLatin1Char(')')));
        break;
    case Program_Run::Ended:
        entry.End = result.stopped       ? Update_End::Stopped
                    : result.end.crashed ? Update_End::Crashed
                                         : Update_End::Exit_Status;
        entry.Exit_Code = result.end.code;
        Record(entry, image, running_log_.Text());
        running_name_ = name;
        if (result.stopped)
            ui.Warning_Box(texts[Boot_Text::Stopped] + QLatin1Char(' ') + name);
        else
            Report_End(result.end);
        break;
    case Program_Run::Still_Running:
        // It stays watched: no second updater while it runs.
        entry.End = Update_End::Still_Running;
        Record(entry, image, running_log_.Text());
        running_conf_dir_ = state.Conf_Dir;
        running_started_ = entry.Time;
        running_ = std::move(result.program);
        running_name_ = name;
        watch_timer_->start();
        ui.Warning_Box(texts[Boot_Text::Still_Running] + QLatin1Char(' ') + name);
        break;
    }
}

void TFBoot::Watch_Updater() {
    if (!running_) {
        watch_timer_->stop();
        return;
    }
    const bool ended = running_->Has_Ended();
    const QByteArray output = running_->Read_Output();
    if (!output.isEmpty()) {
        const QString text = running_decoder_.Decode(output);
        running_tail_.Add(text);
        running_log_.Add(text);
    }
    if (!ended)
        return;
    watch_timer_->stop();
    const Program_End end = running_->End();
    running_.reset();
    Complete_Record(end);
    Report_End(end);
}

void TFBoot::Report_End(const Program_End& end) {
    // Every end is said: a failure with the last lines of the output, a
    // good end with its exit status, also when it comes after the wait.
    if (end.Failed())
        ui.Warning_Box(Updater_End_Message(texts, running_name_, end, running_tail_.Text()));
    else
        ui.Information_Box(texts[Boot_Text::Update_Finished] + QLatin1Char(' ') + QString::number(end.code));
}
