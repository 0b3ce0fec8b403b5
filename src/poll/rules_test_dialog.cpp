#include "poll/rules_test_dialog.h"

#include "base/app_state.h"
#include "base/com_ports.h"
#include "base/kc_error.h"
#include "base/standard_icon_gui.h"
#include "base/text_table.h"
#include "base/ui_services.h"
#include "document/access_rules_text.h"
#include "document/general_params.h"
#include "poll/poll_serial_settings.h"
#include "poll/rules_poller.h"
#include "poll/rules_test_text.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

namespace Result_Col {
constexpr int Row = 0, Mnemonic = 1, Status = 2, Values = 3, Count = 4;
}

const QColor failure_background(0xFF, 0xD0, 0xD0);
const QColor failure_text(0x90, 0x00, 0x00);

} // namespace

TFRules_Test::TFRules_Test(App_State& app_state, const Text_Table& text_table, Ui_Services& ui_services,
                           QWidget* parent)
    : Frame_Dialog(app_state, text_table, ui_services, parent), poller_(new Rules_Poller(this)),
      ports_(std::make_unique<System_Serial_Port_Source>()) {
    setObjectName(QStringLiteral("FRules_Test"));

    auto* port_layout = new QHBoxLayout;
    L_Test_Port = new QLabel(Body());
    L_Test_Port->setObjectName(QStringLiteral("L_Test_Port"));
    L_Test_Port->setTextFormat(Qt::PlainText);
    CB_Test_Port = new QComboBox(Body());
    CB_Test_Port->setObjectName(QStringLiteral("CB_Test_Port"));
    CB_Test_Port->setEditable(true); // any device path may be typed in
    CB_Test_Port->setInsertPolicy(QComboBox::NoInsert);
    CB_Test_Port->setMinimumContentsLength(20);
    Btn_Test_Port_List = new QPushButton(Body());
    Btn_Test_Port_List->setObjectName(QStringLiteral("Btn_Test_Port_List"));
    Btn_Test_Port_List->setIcon(Standard_Icon(this, QStyle::SP_BrowserReload));
    Btn_Test_Port_List->setAutoDefault(false);
    port_layout->addWidget(L_Test_Port);
    port_layout->addWidget(CB_Test_Port, 1);
    port_layout->addWidget(Btn_Test_Port_List);
    Body_Layout()->addLayout(port_layout);

    ASG_Test_Results = new QTableWidget(0, Result_Col::Count, Body());
    ASG_Test_Results->setObjectName(QStringLiteral("ASG_Test_Results"));
    ASG_Test_Results->verticalHeader()->hide();
    ASG_Test_Results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ASG_Test_Results->setSelectionBehavior(QAbstractItemView::SelectRows);
    ASG_Test_Results->setSelectionMode(QAbstractItemView::SingleSelection);
    ASG_Test_Results->horizontalHeader()->setStretchLastSection(true);
    ASG_Test_Results->setColumnWidth(Result_Col::Row, 40);
    ASG_Test_Results->setColumnWidth(Result_Col::Mnemonic, 160);
    ASG_Test_Results->setColumnWidth(Result_Col::Status, 260);
    Body_Layout()->addWidget(ASG_Test_Results, 1);

    PB_Test_Progress = new QProgressBar(Body());
    PB_Test_Progress->setObjectName(QStringLiteral("PB_Test_Progress"));
    PB_Test_Progress->setFormat(QStringLiteral("%v / %m"));
    PB_Test_Progress->setRange(0, 1);
    PB_Test_Progress->setValue(0);
    Body_Layout()->addWidget(PB_Test_Progress);

    connect(Btn_Test_Port_List, &QPushButton::clicked, this, &TFRules_Test::Btn_Test_Port_ListClick);
    connect(ASG_Test_Results, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { ASG_Test_ResultsDblClick(row); });
    connect(poller_, &Rules_Poller::Rule_Done, this, [this](int index, const Poll_Result&) {
        Show_Result(index);
        PB_Test_Progress->setValue(index + 1);
    });
    connect(poller_, &Rules_Poller::Finished, this, &TFRules_Test::Run_Finished);

    // The test ends with the editor it belongs to.
    if (parent)
        parent->installEventFilter(this);

    resize(760, 420);
    Set_Lang();
}

TFRules_Test::~TFRules_Test() = default;

void TFRules_Test::Set_Port_Source(std::unique_ptr<Serial_Port_Source> source) {
    ports_ = std::move(source);
}

void TFRules_Test::Set_Lang() {
    setWindowTitle(texts[Poll_Text::Caption]);
    L_SW_Desc->setText(texts[Poll_Text::Caption]);
    L_Test_Port->setText(texts[Poll_Text::Port]);
    CB_Test_Port->setToolTip(texts[Poll_Text::Port]);
    Btn_Test_Port_List->setToolTip(texts[Poll_Text::Port_List_Hint]);
    Btn_OK->setText(texts[Poll_Text::Start]);
    Btn_Cancel->setText(texts[Rules_Text::Cancel]);
    ASG_Test_Results->setHorizontalHeaderLabels({texts[Rules_Text::Read_Header_N],
                                                 texts[Rules_Text::Read_Header_Mnemonic],
                                                 texts[Poll_Text::Status], texts[Poll_Text::Values]});
    if (showing_run_)
        for (int index = 0; index < poller_->Results().size(); ++index)
            Show_Result(index);
}

void TFRules_Test::Set_Rules(const QList<Poll_Request>& requests) {
    poller_->Cancel();
    requests_ = requests;
    showing_run_ = false;
    Clear_Results();
}

void TFRules_Test::Clear_Results() {
    ASG_Test_Results->clearContents();
    ASG_Test_Results->setRowCount(static_cast<int>(requests_.size()));
    for (int index = 0; index < requests_.size(); ++index) {
        const Poll_Request& request = requests_[index];
        ASG_Test_Results->setItem(index, Result_Col::Row, new QTableWidgetItem(QString::number(request.Row)));
        ASG_Test_Results->setItem(index, Result_Col::Mnemonic, new QTableWidgetItem(request.Mnemonic));
        ASG_Test_Results->setItem(index, Result_Col::Status, new QTableWidgetItem);
        ASG_Test_Results->setItem(index, Result_Col::Values, new QTableWidgetItem);
    }
    PB_Test_Progress->setRange(0, std::max<int>(1, static_cast<int>(requests_.size())));
    PB_Test_Progress->setValue(0);
}

void TFRules_Test::FormShow() {
    Btn_Test_Port_ListClick();
    CB_Test_Port->setEditText(state.Last_Test_Port);
    Set_Running(poller_->Running());
}

void TFRules_Test::Btn_Test_Port_ListClick() {
    const QString typed = CB_Test_Port->currentText();
    CB_Test_Port->clear();
    for (const Serial_Port& port : List_COM_Ports(*ports_))
        CB_Test_Port->addItem(port.name);
    CB_Test_Port->setEditText(typed);
}

void TFRules_Test::Btn_OKClick() {
    if (poller_->Running())
        return;
    General_Params params;
    try {
        params = Load_ParGen(state.ParGen_File);
    } catch (const Kc_Error& error) {
        ui.Error_Box(error.Message());
        return;
    }
    Poll_Serial_Settings settings;
    if (const auto failure = Poll_Settings_From(params, settings)) {
        ui.Error_Box(Poll_Settings_Message(texts, *failure));
        return;
    }
    const QString port = CB_Test_Port->currentText().trimmed();
    state.Last_Test_Port = port;
    Clear_Results();
    if (const auto failure = poller_->Start(port, settings, requests_)) {
        ui.Error_Box(Poll_Port_Message(texts, *failure));
        return;
    }
    showing_run_ = true;
    Set_Running(true);
}

void TFRules_Test::Btn_CancelClick() {
    if (poller_->Running())
        poller_->Cancel();
    else
        reject();
}

void TFRules_Test::reject() {
    poller_->Cancel();
    Frame_Dialog::reject();
}

void TFRules_Test::ASG_Test_ResultsDblClick(int result_row) {
    if (result_row < 0 || result_row >= requests_.size())
        return;
    emit Row_Chosen(requests_[result_row].Table, requests_[result_row].Row);
}

bool TFRules_Test::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Hide && isVisible())
        reject();
    return Frame_Dialog::eventFilter(watched, event);
}

void TFRules_Test::Show_Result(int index) {
    if (index < 0 || index >= poller_->Results().size() || index >= ASG_Test_Results->rowCount())
        return;
    const Poll_Result& result = poller_->Results()[index];
    ASG_Test_Results->item(index, Result_Col::Status)->setText(Poll_Result_Message(texts, result));
    ASG_Test_Results->item(index, Result_Col::Values)->setText(Poll_Values_Text(result));
    const bool failed = result.Status != Poll_Status::Ok;
    for (int column = 0; column < Result_Col::Count; ++column) {
        QTableWidgetItem* item = ASG_Test_Results->item(index, column);
        item->setBackground(failed ? QBrush(failure_background) : QBrush());
        item->setForeground(failed ? QBrush(failure_text) : QBrush());
    }
}

void TFRules_Test::Run_Finished() {
    Set_Running(false);
}

void TFRules_Test::Set_Running(bool running) {
    Btn_OK->setEnabled(!running);
    CB_Test_Port->setEnabled(!running);
    Btn_Test_Port_List->setEnabled(!running);
}
