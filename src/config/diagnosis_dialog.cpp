#include "config/diagnosis_dialog.h"

#include "base/app_state.h"
#include "base/kc_error.h"
#include "base/text_table.h"
#include "base/ui_services.h"
#include "config/grid_editing_gui.h"
#include "config/grid_view_widget.h"
#include "config/text_grid_model.h"
#include "csv/table_csv_step.h"
#include "document/diagnosis_check.h"
#include "document/diagnosis_list.h"
#include "document/diagnosis_text.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int mapping_column = 0;
constexpr int id_column = 1;

namespace T = Diagnosis_Text;

} // namespace

TFSetDiagnosis::TFSetDiagnosis(App_State& app_state, const Text_Table& text_table, Ui_Services& ui_services,
                               QWidget* parent)
    : Frame_Dialog(app_state, text_table, ui_services, parent) {
    setObjectName(QStringLiteral("FSetDiagnosis"));
    discard_question = Grid_Editing::Discard_Question;

    model = new Text_Grid_Model(this);
    model->Set_Table(Grid_Texts(Entry_Rows, 2));
    // The row header is hidden before the rows come: a visible one would
    // size itself from every row.
    ASG = new Grid_Table_View(Body());
    ASG->setObjectName(QStringLiteral("ASG"));
    ASG->verticalHeader()->hide();
    ASG->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ASG->verticalHeader()->setDefaultSectionSize(ASG->fontMetrics().height() + 6);
    ASG->setModel(model);
    ASG->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    editing = new Grid_Editing(*ASG, *model, texts, ui);
    Body_Layout()->setContentsMargins(4, 4, 4, 4);
    Body_Layout()->addWidget(ASG);
    auto* csv_row = new QHBoxLayout;
    Btn_Export = new QPushButton(Body());
    Btn_Export->setObjectName(QStringLiteral("Btn_Export"));
    Btn_Import = new QPushButton(Body());
    Btn_Import->setObjectName(QStringLiteral("Btn_Import"));
    Btn_Move_Up = new QPushButton(Body());
    Btn_Move_Up->setObjectName(QStringLiteral("Btn_Move_Up"));
    Btn_Move_Down = new QPushButton(Body());
    Btn_Move_Down->setObjectName(QStringLiteral("Btn_Move_Down"));
    for (QPushButton* button : {Btn_Export, Btn_Import, Btn_Move_Up, Btn_Move_Down}) {
        button->setAutoDefault(false);
        csv_row->addWidget(button);
    }
    csv_row->addStretch();
    Body_Layout()->addLayout(csv_row);
    connect(Btn_Export, &QPushButton::clicked, this, &TFSetDiagnosis::Btn_ExportClick);
    connect(Btn_Import, &QPushButton::clicked, this, &TFSetDiagnosis::Btn_ImportClick);
    for (QPushButton* button : {Btn_Move_Up, Btn_Move_Down}) {
        QAction* move = button == Btn_Move_Up ? editing->Move_Up_Action() : editing->Move_Down_Action();
        connect(button, &QPushButton::clicked, this, [this, move] {
            move->trigger();
            ASG->setFocus();
        });
    }

    Show_Soft_Code();
    Set_Lang();
    // The column sizing comes after the header texts: a column sized to its
    // contents measures every row again at each header text set.
    ASG->horizontalHeader()->setSectionResizeMode(mapping_column, QHeaderView::ResizeToContents);
    ASG->horizontalHeader()->setStretchLastSection(true);
    ASG->Freeze_First_Column();
    // Wide enough for the buttons, high enough for 16 entries; the user may
    // make it larger.
    const int rows_height = 16 * ASG->verticalHeader()->defaultSectionSize() + 2 * ASG->frameWidth() +
                            ASG->horizontalHeader()->sizeHint().height();
    resize(std::max(310, sizeHint().width()),
           std::max(337, sizeHint().height() - ASG->sizeHint().height() + rows_height));
}

QStringList TFSetDiagnosis::Cells() const {
    QStringList cells;
    cells.reserve(Entry_Rows);
    for (int row = 1; row <= Entry_Rows; ++row)
        cells.append(model->Table().Cell(row, id_column));
    return cells;
}

void TFSetDiagnosis::Set_Lang() {
    setWindowTitle(texts[T::Caption]);
    L_SW_Desc->setText(texts[T::Heading]);
    Btn_OK->setText(texts[T::Ok]);
    Btn_OK->setToolTip(texts[T::Ok_Hint]);
    Btn_Cancel->setText(texts[T::Cancel]);
    Btn_Cancel->setToolTip(texts[T::Cancel_Hint]);
    model->Set_Header_Text(mapping_column, texts[T::Mapping_Header]);
    model->Set_Header_Text(id_column, texts[T::Id_Header]);
    editing->Set_Lang();
    Btn_Move_Up->setText(texts[Grid_Editing::Move_Up_Text]);
    Btn_Move_Up->setToolTip(texts[Grid_Editing::Move_Up_Hint]);
    Btn_Move_Down->setText(texts[Grid_Editing::Move_Down_Text]);
    Btn_Move_Down->setToolTip(texts[Grid_Editing::Move_Down_Hint]);
    Btn_Export->setText(texts[T::Export]);
    Btn_Export->setToolTip(texts[T::Export_Hint]);
    Btn_Import->setText(texts[T::Import]);
    Btn_Import->setToolTip(texts[T::Import_Hint]);
}

void TFSetDiagnosis::Btn_ExportClick() {
    editing->Commit_Editor();
    const QStringList cells = Cells();
    // Rows the file would leave out: refused in the check's words.
    const QString refusal = Diagnosis_Export_Refusal(texts, cells);
    if (!refusal.isEmpty()) {
        ui.Error_Box(refusal);
        ASG->setFocus(Qt::OtherFocusReason);
        return;
    }
    Export_Csv_File(Diagnosis_To_Csv(Diagnosis_From_Cells(cells)), state.Conf_Dir, texts, ui);
    ASG->setFocus(Qt::OtherFocusReason);
}

void TFSetDiagnosis::Btn_ImportClick() {
    const auto rows = Import_Csv_File(Csv_Table_Kind::Diagnosis, state.Conf_Dir, texts, ui);
    // The keys go to the grid again, whatever came of it: Ctrl+Z undoes the import.
    ASG->setFocus(Qt::OtherFocusReason);
    if (!rows)
        return;
    const QStringList cells = Diagnosis_Cells_From_Csv_Rows(rows->Rows);
    // One change of the grid: one undo step.
    model->Edit_Table([&](Grid_Texts& grid) {
        for (int row = 1; row <= Entry_Rows; ++row)
            grid.Cell(row, id_column) = row <= cells.size() ? cells[row - 1] : QString();
        return true;
    });
    ASG->setCurrentIndex(model->index(0, id_column));
}

void TFSetDiagnosis::FormShow() {
    // Read first: a broken document throws before the grid changes.
    const Diagnosis_List list = Load_Diagnosis(state.Diagnosis_File);

    Show_Soft_Code();
    // A cell editor left open at the last showing (closed with Cancel while
    // typing) is dropped without committing: its text was never confirmed
    // and must not come back into the reloaded grid.
    ASG->reset();
    Grid_Texts grid(Entry_Rows, 2);
    grid.Set_Row(0, model->Table().Row(0));
    for (int entry = 1; entry <= Entry_Rows; ++entry) {
        grid.Cell(entry, mapping_column) = QString::number(entry) + QLatin1Char('/') + ByteBit(entry);
        grid.Cell(entry, id_column) = entry <= list.IDs.size() ? list.IDs[entry - 1] : QString();
    }
    model->Set_Table(std::move(grid));
    editing->Start();
    ASG->setCurrentIndex(model->index(0, id_column));
    ASG->scrollToTop();

    if (list.IDs.size() > Entry_Rows)
        ui.Warning_Box(texts[T::Too_Many_Begin] + QString::number(list.IDs.size()) + texts[T::Too_Many_End]);
}

bool TFSetDiagnosis::Controllo_dati() {
    const std::optional<Check_Failure> failure = Check_Diagnosis_Ids(Cells());
    if (!failure)
        return true;
    ui.Error_Box(Check_Failure_Message(texts, *failure));
    editing->Focus_Cell(failure->Row, id_column);
    return false;
}

void TFSetDiagnosis::Btn_OKClick() {
    editing->Commit_Editor();
    if (!Controllo_dati())
        return;
    const QStringList cells = Cells();
    const int left_out = First_Row_Left_Out(cells);
    if (left_out > 0 &&
        !ui.Question_Box(texts[T::Left_Out_Begin] + QString::number(left_out) + texts[T::Left_Out_End],
                         Ui_Services::Default_Answer::No))
        return;
    try {
        Save_Diagnosis(state.Diagnosis_File, Diagnosis_From_Cells(cells));
    } catch (const Kc_Error& error) {
        ui.Error_Box(error.Message());
        return;
    }
    accept();
}

bool TFSetDiagnosis::Has_Unsaved_Changes() {
    return editing->Changed();
}
