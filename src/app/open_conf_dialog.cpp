#include "app/open_conf_dialog.h"

#include "app/open_conf.h"
#include "app/open_conf_text.h"
#include "base/app_state.h"
#include "base/elided_label_widget.h"
#include "base/plain_hint.h"
#include "base/text_table.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TFOpenConf::TFOpenConf(App_State& app_state, const Text_Table& text_table, Ui_Services& ui_services,
                       QWidget* parent)
    : Frame_Dialog(app_state, text_table, ui_services, parent) {
    setObjectName(QStringLiteral("FOpenConf"));
    Label1 = new Elided_Label(Body());
    Label1->setObjectName(QStringLiteral("Label1"));
    ListBox1 = new QListWidget(Body());
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    Body_Layout()->addWidget(Label1);
    Body_Layout()->addWidget(ListBox1, 1);
    connect(ListBox1, &QListWidget::currentRowChanged, this, &TFOpenConf::ListBox1Click);
    // Enter anywhere in the dialog presses OK, the default button; a double
    // click on a configuration selects it and presses OK.
    Btn_OK->setDefault(true);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TFOpenConf::ListBox1DblClick);
    Set_Lang();
    resize(420, 360);
}

void TFOpenConf::Load_Existing_Configuration() {
    sl = List_Configurations(state.Projects_Dir);
}

void TFOpenConf::FormShow() {
    Load_Existing_Configuration();
    {
        const QSignalBlocker blocker(ListBox1);
        ListBox1->clear();
        ListBox1->addItems(sl);
    }
    if (sl.isEmpty())
        return; // Name_Conf keeps its earlier value
    int index = Search_Open_Conf(sl, Current_Conf_Name(state));
    if (index < 0)
        index = 0;
    ListBox1->setCurrentRow(index);
    name_conf = sl[index];
}

void TFOpenConf::ListBox1Click() {
    const int row = ListBox1->currentRow();
    if (row >= 0 && row < sl.size())
        name_conf = sl[row];
}

void TFOpenConf::ListBox1DblClick() {
    ListBox1Click();
    Btn_OKClick();
}

void TFOpenConf::Set_Lang() {
    setWindowTitle(texts[Open_Conf_Text::Caption]);
    L_SW_Desc->setText(texts[Open_Conf_Text::Description]);
    Label1->setText(texts[Open_Conf_Text::List]);
    ListBox1->setToolTip(Plain_Hint(texts[Open_Conf_Text::List_Hint]));
    Btn_OK->setText(texts[Open_Conf_Text::Ok]);
    Btn_OK->setToolTip(Plain_Hint(texts[Open_Conf_Text::Ok_Hint]));
    Btn_Cancel->setText(texts[Open_Conf_Text::Cancel]);
    Btn_Cancel->setToolTip(Plain_Hint(texts[Open_Conf_Text::Cancel_Hint]));
}
