#include "app/new_project_dialog.h"

#include "app/new_project.h"
#include "app/new_project_text.h"
#include "base/plain_hint.h"
#include "base/text_table.h"
#include "base/ui_services.h"

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFNew_Project::TFNew_Project(App_State& app_state, const Text_Table& text_table, Ui_Services& ui_services,
                             QWidget* parent)
    : Frame_Dialog(app_state, text_table, ui_services, parent) {
    setObjectName(QStringLiteral("FNew_Project"));
    Label1 = new QLabel(Body());
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    E_New_Proj = new QLineEdit(Body());
    E_New_Proj->setObjectName(QStringLiteral("E_New_Proj"));
    E_New_Proj->setMinimumWidth(320);
    Body_Layout()->addWidget(Label1);
    Body_Layout()->addWidget(E_New_Proj);
    Body_Layout()->addStretch(1);
    connect(E_New_Proj, &QLineEdit::returnPressed, this, &TFNew_Project::E_New_ProjKeyPress);
    // Fixed size, following the texts of the language in use.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Set_Lang();
}

void TFNew_Project::FormShow() {
    E_New_Proj->clear();
    E_New_Proj->setFocus();
}

void TFNew_Project::E_New_ProjKeyPress() {
    Btn_OKClick();
}

void TFNew_Project::Btn_OKClick() {
    if (const auto failure = Create_Configuration(state, E_New_Proj->text())) {
        ui.Error_Box(Create_Failure_Message(texts, *failure));
        return;
    }
    accept();
}

void TFNew_Project::Set_Lang() {
    setWindowTitle(texts[New_Project_Text::Caption]);
    L_SW_Desc->setText(texts[New_Project_Text::Description]);
    Label1->setText(texts[New_Project_Text::Name]);
    E_New_Proj->setToolTip(Plain_Hint(texts[New_Project_Text::Name_Hint]));
    Btn_OK->setText(texts[New_Project_Text::Ok]);
    Btn_OK->setToolTip(Plain_Hint(texts[New_Project_Text::Ok_Hint]));
    Btn_Cancel->setText(texts[New_Project_Text::Cancel]);
    Btn_Cancel->setToolTip(Plain_Hint(texts[New_Project_Text::Cancel_Hint]));
}
