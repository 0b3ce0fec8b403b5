#pragma once

#include "update/updater_output.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;

// Shown while the configurator waits for an updater program: the program's
// name, the seconds elapsed and, under them, what the program writes as it
// arrives, in a read-only text area. It is modal, so the windows below it
// take no input while they stay painted, and it cannot be closed by the user;
// the wait alone ends it.
class Update_Wait_Dialog : public QDialog {
    Q_OBJECT
public:
    Update_Wait_Dialog(const QString& title, const QString& waiting_text, const QString& program_name,
                       const QString& elapsed_text, const QString& output_text, QWidget* parent = nullptr);

    // Adds what the program wrote, shows the indicator (on the first call)
    // and the seconds elapsed, then lets the window system repaint.
    void Tick(qint64 elapsed_ms, const QByteArray& output = {});
    int Seconds_Shown() const { return seconds_shown_; }
    // Everything shown in the output area.
    QString Output_Shown() const;

public Q_SLOTS:
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* L_Elapsed = nullptr;
    QPlainTextEdit* M_Output = nullptr;
    Updater_Output_Decoder decoder_;
    QString elapsed_text_;
    int seconds_shown_ = -1;
};
