#include "update/update_wait_dialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

Update_Wait_Dialog::Update_Wait_Dialog(const QString& title, const QString& waiting_text,
                                       const QString& program_name, const QString& elapsed_text,
                                       QWidget* parent)
    : QDialog(parent), elapsed_text_(elapsed_text) {
    setObjectName(QStringLiteral("FUpdate_Wait"));
    setWindowTitle(title);
    setWindowModality(Qt::ApplicationModal);
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint) &
                   ~(Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint));
    auto* layout = new QVBoxLayout(this);
    auto* waiting = new QLabel(waiting_text, this);
    waiting->setTextFormat(Qt::PlainText);
    auto* name = new QLabel(program_name, this);
    name->setObjectName(QStringLiteral("L_Program"));
    name->setTextFormat(Qt::PlainText);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    L_Elapsed = new QLabel(this);
    L_Elapsed->setObjectName(QStringLiteral("L_Elapsed"));
    L_Elapsed->setTextFormat(Qt::PlainText);
    layout->addWidget(waiting);
    layout->addWidget(name);
    layout->addWidget(L_Elapsed);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void Update_Wait_Dialog::Tick(qint64 elapsed_ms) {
    const int seconds = static_cast<int>(elapsed_ms / 1000);
    if (seconds != seconds_shown_) {
        seconds_shown_ = seconds;
        L_Elapsed->setText(elapsed_text_ + QLatin1Char(' ') + QString::number(seconds));
    }
    if (!isVisible())
        show();
    // Input to every other window is blocked by this modal window, so only
    // painting and this window's own events are served here.
    QCoreApplication::processEvents();
}

void Update_Wait_Dialog::closeEvent(QCloseEvent* event) {
    event->ignore();
}
