#include "base/frame_dialog.h"

#include "base/app_state.h"
#include "base/elided_label_widget.h"
#include "base/text_table.h"
#include "base/ui_services.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

Frame_Dialog::Frame_Dialog(App_State& app_state, const Text_Table& text_table, Ui_Services& ui_services,
                           QWidget* parent, Buttons buttons)
    : QDialog(parent), state(app_state), texts(text_table), ui(ui_services) {
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    P_Title = new QFrame(this);
    P_Title->setObjectName(QStringLiteral("P_Title"));
    P_Title->setAutoFillBackground(true);
    P_Title->setBackgroundRole(QPalette::Base);
    auto* title_layout = new QVBoxLayout(P_Title);
    L_SW_Code = new QLabel(P_Title);
    L_SW_Code->setObjectName(QStringLiteral("L_SW_Code"));
    L_SW_Code->setTextFormat(Qt::PlainText);
    QFont code_font = L_SW_Code->font();
    code_font.setPointSizeF(code_font.pointSizeF() * 1.8);
    code_font.setBold(true);
    L_SW_Code->setFont(code_font);
    // Grey code text through the palette: a style sheet would put the whole
    // dialog under the style sheet style, costly to create and to show.
    QPalette grey = L_SW_Code->palette();
    grey.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    L_SW_Code->setPalette(grey);
    // The heading comes from the text table: cut with "…" when the dialog
    // is narrower than it.
    L_SW_Desc = new Elided_Label(P_Title);
    L_SW_Desc->setObjectName(QStringLiteral("L_SW_Desc"));
    title_layout->addWidget(L_SW_Code);
    title_layout->addWidget(L_SW_Desc);
    outer->addWidget(P_Title);

    body_ = new QWidget(this);
    body_layout_ = new QVBoxLayout(body_);
    outer->addWidget(body_, 1);

    if (buttons == Buttons::Ok_Cancel) {
        P_Button = new QFrame(this);
        P_Button->setObjectName(QStringLiteral("P_Button"));
        auto* button_layout = new QHBoxLayout(P_Button);
        button_layout->addStretch(1);
        Btn_OK = new QPushButton(P_Button);
        Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
        Btn_OK->setAutoDefault(false);
        Btn_Cancel = new QPushButton(P_Button);
        Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
        Btn_Cancel->setAutoDefault(false);
        button_layout->addWidget(Btn_OK);
        button_layout->addWidget(Btn_Cancel);
        outer->addWidget(P_Button);
        connect(Btn_OK, &QPushButton::clicked, this, &Frame_Dialog::Btn_OKClick);
        connect(Btn_Cancel, &QPushButton::clicked, this, &Frame_Dialog::Btn_CancelClick);
    }
    Show_Soft_Code();
}

void Frame_Dialog::Show_Soft_Code() {
    L_SW_Code->setText(state.Soft_Code);
}

void Frame_Dialog::reject() {
    if (isVisible() && discard_question > 0 && Has_Unsaved_Changes() &&
        !ui.Question_Box(texts[discard_question], Ui_Services::Default_Answer::No))
        return;
    QDialog::reject();
}
