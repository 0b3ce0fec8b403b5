#pragma once

#include <QDialog>

class QLabel;

// Shown while the configurator waits for an updater program: the program's
// name and the seconds elapsed. It is modal, so the windows below it take no
// input while they stay painted, and it cannot be closed by the user; the
// wait alone ends it.
class Update_Wait_Dialog : public QDialog {
    Q_OBJECT
public:
    Update_Wait_Dialog(const QString& title, const QString& waiting_text, const QString& program_name,
                       const QString& elapsed_text, QWidget* parent = nullptr);

    // Shows the indicator (on the first call) and the seconds elapsed, then
    // lets the window system repaint.
    void Tick(qint64 elapsed_ms);
    int Seconds_Shown() const { return seconds_shown_; }

public Q_SLOTS:
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* L_Elapsed = nullptr;
    QString elapsed_text_;
    int seconds_shown_ = -1;
};
