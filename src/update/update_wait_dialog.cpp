#include "update/update_wait_dialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// Lines kept in the output area; older ones scroll away for good.
constexpr int Output_Lines_Kept = 2000;

} // namespace

Update_Wait_Dialog::Update_Wait_Dialog(const QString& title, const QString& waiting_text,
                                       const QString& program_name, const QString& elapsed_text,
                                       const QString& output_text, QWidget* parent)
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
    auto* output_label = new QLabel(output_text, this);
    output_label->setObjectName(QStringLiteral("L_Output"));
    output_label->setTextFormat(Qt::PlainText);
    M_Output = new QPlainTextEdit(this);
    M_Output->setObjectName(QStringLiteral("M_Output"));
    M_Output->setReadOnly(true);
    M_Output->setLineWrapMode(QPlainTextEdit::NoWrap);
    M_Output->setMaximumBlockCount(Output_Lines_Kept);
    M_Output->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    M_Output->setFixedSize(560, 220);
    layout->addWidget(waiting);
    layout->addWidget(name);
    layout->addWidget(L_Elapsed);
    layout->addWidget(output_label);
    layout->addWidget(M_Output);
    Btn_Stop = new QPushButton(this);
    Btn_Stop->setObjectName(QStringLiteral("Btn_Stop"));
    Btn_Stop->setAutoDefault(false);
    Btn_Stop->hide();
    connect(Btn_Stop, &QPushButton::clicked, this, &Update_Wait_Dialog::Stop_Clicked);
    layout->addWidget(Btn_Stop, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void Update_Wait_Dialog::Tick(qint64 elapsed_ms, const QByteArray& output) {
    if (!output.isEmpty()) {
        const QString text = decoder_.Decode(output);
        if (!text.isEmpty()) {
            M_Output->moveCursor(QTextCursor::End);
            M_Output->insertPlainText(text);
            M_Output->verticalScrollBar()->setValue(M_Output->verticalScrollBar()->maximum());
        }
    }
    const int seconds = static_cast<int>(elapsed_ms / 1000);
    if (seconds != seconds_shown_) {
        seconds_shown_ = seconds;
        L_Elapsed->setText(elapsed_text_ + QLatin1Char(' ') + QString::number(seconds) + limit_text_);
    }
    if (!isVisible())
        show();
    // Input to every other window is blocked by this modal window, so only
    // painting and this window's own events are served here.
    QCoreApplication::processEvents();
}

void Update_Wait_Dialog::Set_Limit(qint64 limit_ms, const QString& of_text, const QString& unit_text) {
    limit_text_ = QLatin1Char(' ') + of_text.trimmed() + QLatin1Char(' ') + QString::number(limit_ms / 1000) +
                  QLatin1Char(' ') + unit_text.trimmed();
}

void Update_Wait_Dialog::Offer_Stop(const QString& caption) {
    Btn_Stop->setText(caption);
    Btn_Stop->show();
}

QString Update_Wait_Dialog::Output_Shown() const {
    return M_Output->toPlainText();
}

void Update_Wait_Dialog::closeEvent(QCloseEvent* event) {
    event->ignore();
}
