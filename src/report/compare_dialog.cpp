#include "report/compare_dialog.h"

#include "base/app_state.h"
#include "base/kc_error.h"
#include "base/text_table.h"
#include "base/ui_services.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TFCompare::TFCompare(App_State& app_state, const Text_Table& text_table, Ui_Services& ui_services,
                     QWidget* parent)
    : Frame_Dialog(app_state, text_table, ui_services, parent) {
    setObjectName(QStringLiteral("FCompare"));
    auto* choice_layout = new QHBoxLayout;
    L_Compare_With = new QLabel(Body());
    L_Compare_With->setObjectName(QStringLiteral("L_Compare_With"));
    L_Compare_With->setTextFormat(Qt::PlainText);
    CB_Compare_With = new QComboBox(Body());
    CB_Compare_With->setObjectName(QStringLiteral("CB_Compare_With"));
    CB_Compare_With->setMinimumContentsLength(40);
    choice_layout->addWidget(L_Compare_With);
    choice_layout->addWidget(CB_Compare_With, 1);
    Body_Layout()->addLayout(choice_layout);
    L_Result = new QLabel(Body());
    L_Result->setObjectName(QStringLiteral("L_Result"));
    L_Result->setTextFormat(Qt::PlainText);
    Body_Layout()->addWidget(L_Result);
    ASG_Differences = new QTableWidget(0, 6, Body());
    ASG_Differences->setObjectName(QStringLiteral("ASG_Differences"));
    ASG_Differences->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ASG_Differences->setSelectionBehavior(QAbstractItemView::SelectRows);
    ASG_Differences->verticalHeader()->hide();
    ASG_Differences->horizontalHeader()->setStretchLastSection(true);
    ASG_Differences->setMinimumSize(720, 360);
    Body_Layout()->addWidget(ASG_Differences, 1);
    Btn_Cancel->hide();
    connect(CB_Compare_With, &QComboBox::currentIndexChanged, this, &TFCompare::CB_Compare_WithChange);
    Set_Lang();
}

void TFCompare::Set_Lang() {
    setWindowTitle(texts[Compare_Text::Caption]);
    L_SW_Desc->setText(texts[Compare_Text::Description]);
    L_Compare_With->setText(texts[Compare_Text::With]);
    ASG_Differences->setHorizontalHeaderLabels({texts[Compare_Text::Document], texts[Compare_Text::Table],
                                                texts[Compare_Text::Row], texts[Compare_Text::Field],
                                                texts[Compare_Text::Before], texts[Compare_Text::After]});
    Fill_Table();
}

void TFCompare::FormShow() {
    Show_Soft_Code();
    Set_Lang();
    choices_ = Compare_Choices(state.Projects_Dir, state.Conf_Dir, texts);
    const QSignalBlocker blocker(CB_Compare_With);
    CB_Compare_With->clear();
    for (const Compare_Choice& choice : choices_)
        CB_Compare_With->addItem(choice.Label);
    differences_.clear();
    if (!choices_.isEmpty()) {
        CB_Compare_With->setCurrentIndex(0);
        CB_Compare_WithChange(0);
    }
    Fill_Table();
}

void TFCompare::CB_Compare_WithChange(int index) {
    differences_.clear();
    if (index >= 0 && index < choices_.size()) {
        try {
            differences_ =
                Compare_Sides(Read_Diff_Side(state.Conf_Dir), Read_Diff_Side(choices_[index].Path));
        } catch (const Kc_Error& error) {
            Fill_Table();
            L_Result->clear();
            ui.Error_Box(error.Message());
            return;
        }
    }
    Fill_Table();
}

void TFCompare::Fill_Table() {
    ASG_Differences->setRowCount(int(differences_.size()));
    const QPalette colours = palette();
    const QBrush shades[2] = {colours.base(), colours.alternateBase()};
    QString group;
    int shade = 1;
    for (int r = 0; r < int(differences_.size()); ++r) {
        const QString this_group = Difference_Group(differences_[r]);
        if (this_group != group) {
            group = this_group;
            shade = 1 - shade;
        }
        const QStringList cells = Difference_Cells(differences_[r], texts);
        for (int c = 0; c < int(cells.size()); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setBackground(shades[shade]);
            ASG_Differences->setItem(r, c, item);
        }
    }
    ASG_Differences->resizeColumnsToContents();
    if (CB_Compare_With->count() == 0 || CB_Compare_With->currentIndex() < 0)
        L_Result->clear();
    else if (differences_.isEmpty())
        L_Result->setText(texts[Compare_Text::Equal]);
    else
        L_Result->setText(texts[Compare_Text::Count].trimmed() + QLatin1Char(' ') +
                          QString::number(differences_.size()));
}
