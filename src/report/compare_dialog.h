#pragma once

#include "base/frame_dialog.h"
#include "report/compare_choices.h"

class QComboBox;
class QTableWidget;

// The differences between the open configuration (A) and another
// configuration or an image sent to the device (B), laid out as the diff
// command's JSON: document, table, row, field, before, after. The
// differences of one rule row or entry share a shade, so a changed row reads
// as one block. It changes nothing; OK closes it.
class TFCompare : public Frame_Dialog {
    Q_OBJECT
public:
    TFCompare(App_State& state, const Text_Table& texts, Ui_Services& ui, QWidget* parent = nullptr);

    // The comparison shown, for tests.
    const QList<Conf_Difference>& Differences() const { return differences_; }

public Q_SLOTS:
    // Lists what the open configuration can be compared with and compares
    // it with the first.
    void FormShow() override;
    void Set_Lang() override;
    // Compares with the choice at `index` of CB_Compare_With; a side that
    // cannot be read or built is said in an error box and the table emptied.
    void CB_Compare_WithChange(int index);

private:
    void Fill_Table();

    QList<Compare_Choice> choices_;
    QList<Conf_Difference> differences_;
    QLabel* L_Compare_With = nullptr;
    QComboBox* CB_Compare_With = nullptr;
    QLabel* L_Result = nullptr;
    QTableWidget* ASG_Differences = nullptr;
};
