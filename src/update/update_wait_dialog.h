#pragma once

#include "update/updater_output.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// Shown while the configurator waits for an updater program: the program's
// name, the seconds elapsed and, under them, what the program writes as it
// arrives, in a read-only text area. It is modal, so the windows below it
// take no input while they stay painted, and it cannot be closed by the user;
// the wait alone ends it.
class Update_Wait_Dialog : public QDialog {
    Q_OBJECT
public:
    // The time line reads "<elapsed_text> N <of_text> L <unit_text>", L being
    // the seconds of `limit_ms` after which the wait ends.
    Update_Wait_Dialog(const QString& title, const QString& waiting_text, const QString& program_name,
                       const QString& elapsed_text, const QString& output_text, QWidget* parent = nullptr);
    void Set_Limit(qint64 limit_ms, const QString& of_text, const QString& unit_text);
    // Shows Btn_Stop with this caption; a click on it emits Stop_Clicked.
    void Offer_Stop(const QString& caption);

    // Adds what the program wrote, shows the indicator (on the first call)
    // and the seconds elapsed, then lets the window system repaint.
    void Tick(qint64 elapsed_ms, const QByteArray& output = {});
    int Seconds_Shown() const { return seconds_shown_; }
    // Everything shown in the output area.
    QString Output_Shown() const;

Q_SIGNALS:
    void Stop_Clicked();

public Q_SLOTS:
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* L_Elapsed = nullptr;
    QPlainTextEdit* M_Output = nullptr;
    QPushButton* Btn_Stop = nullptr;
    Updater_Output_Decoder decoder_;
    QString elapsed_text_;
    QString limit_text_; // " of 150 s", empty until a limit is set
    int seconds_shown_ = -1;
};
