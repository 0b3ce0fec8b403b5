#pragma once

#include "base/frame_dialog.h"
#include "poll/rule_poll.h"

#include <QList>
#include <memory>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class Rules_Poller;
class Serial_Port_Source;

// The test of the Modbus rules against the slaves on the line: the serial
// port (one of the list or any device path typed in), the results of the
// rules one row each (row, mnemonic, status, values), the progress, Start and
// Cancel. It stays open beside the rules editor while the slaves are asked;
// a double click on a result makes that rule the editor's current row.
class TFRules_Test : public Frame_Dialog {
    Q_OBJECT
public:
    TFRules_Test(App_State& state, const Text_Table& texts, Ui_Services& ui, QWidget* parent = nullptr);
    ~TFRules_Test() override;

    // The rules the next Start asks for; a run in progress is cancelled.
    void Set_Rules(const QList<Poll_Request>& requests);
    const QList<Poll_Request>& Rules() const { return requests_; }
    Rules_Poller& Poller() const { return *poller_; }
    // Where the port list comes from (the system's ports unless replaced).
    void Set_Port_Source(std::unique_ptr<Serial_Port_Source> source);

public Q_SLOTS:
    // Fills the port list and puts the port of the last test in the port box.
    void FormShow() override;
    void Set_Lang() override;
    // Start: reads the serial settings of ParGen.xml, opens the port and asks
    // the slaves. Every failure to start is shown in an error box.
    void Btn_OKClick() override;
    // Cancels a run in progress; otherwise closes the window.
    void Btn_CancelClick() override;
    void Btn_Test_Port_ListClick();
    void ASG_Test_ResultsDblClick(int result_row);
    void reject() override;

Q_SIGNALS:
    void Row_Chosen(Rule_Table table, int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Clear_Results();
    void Show_Result(int index);
    void Run_Finished();
    void Set_Running(bool running);

    QLabel* L_Test_Port = nullptr;
    QComboBox* CB_Test_Port = nullptr;
    QPushButton* Btn_Test_Port_List = nullptr;
    QTableWidget* ASG_Test_Results = nullptr;
    QProgressBar* PB_Test_Progress = nullptr;

    Rules_Poller* poller_ = nullptr;
    std::unique_ptr<Serial_Port_Source> ports_;
    QList<Poll_Request> requests_;
    bool showing_run_ = false; // the poller's results belong to the rows shown
};
