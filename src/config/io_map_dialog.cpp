#include "config/io_map_dialog.h"

#include "base/text_table.h"
#include "config/io_area_widget.h"
#include "document/io_map_text.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int Text_Read_Page = 614;  // "PROFIBUS In --> Modbus Read"
constexpr int Text_Write_Page = 615; // "Modbus Write --> PROFIBUS Out"

QLabel* New_Label(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

TFIOMap::TFIOMap(App_State& app_state, const Text_Table& text_table, Ui_Services& ui_services,
                 QWidget* parent)
    : Frame_Dialog(app_state, text_table, ui_services, parent, Buttons::None) {
    setObjectName(QStringLiteral("FIOMap"));
    // A window of its own beside the editor, not blocking it.
    setModal(false);

    auto* scroll = new QScrollArea(Body());
    scroll->setObjectName(QStringLiteral("P_Areas"));
    scroll->setWidgetResizable(true);
    auto* areas = new QWidget(scroll);
    auto* layout = new QVBoxLayout(areas);
    L_Hint = New_Label(areas, "L_Hint");
    L_Hint->setWordWrap(true);
    L_Input_Area = New_Label(areas, "L_Input_Area");
    P_Input_Area = new Io_Area_Widget(texts, Io_Area::Input, areas);
    P_Input_Area->setObjectName(QStringLiteral("P_Input_Area"));
    L_Output_Area = New_Label(areas, "L_Output_Area");
    P_Output_Area = new Io_Area_Widget(texts, Io_Area::Output, areas);
    P_Output_Area->setObjectName(QStringLiteral("P_Output_Area"));
    layout->addWidget(L_Hint);
    layout->addWidget(L_Input_Area);
    layout->addWidget(P_Input_Area);
    layout->addWidget(L_Output_Area);
    layout->addWidget(P_Output_Area);
    layout->addStretch(1);
    scroll->setWidget(areas);
    Body_Layout()->addWidget(scroll);

    for (Io_Area_Widget* area : {P_Input_Area, P_Output_Area})
        connect(area, &Io_Area_Widget::Rule_Chosen, this, &TFIOMap::Rule_Chosen);

    resize(P_Input_Area->sizeHint().width() + 60, 640);
    Set_Lang();
}

Io_Area_Widget* TFIOMap::Area_Widget(Io_Area area) const {
    return area == Io_Area::Input ? P_Input_Area : P_Output_Area;
}

void TFIOMap::Set_Map(const Io_Map& map) {
    P_Input_Area->Set_Map(map);
    P_Output_Area->Set_Map(map);
}

void TFIOMap::Set_Lang() {
    setWindowTitle(texts[Io_Text::Caption]);
    L_SW_Desc->setText(texts[Io_Text::Caption]);
    L_Hint->setText(texts[Io_Text::Map_Hint]);
    L_Input_Area->setText(texts[Text_Read_Page]);
    L_Output_Area->setText(texts[Text_Write_Page]);
}
