#pragma once

#include "document/check_failure.h"
#include "document/diagnosis_list.h"

#include <QStringList>
#include <optional>

// Checks of the diagnosis editor's grid. `cells` holds the ID column, entry
// row 1 first; only the first Diagnosis_List::Max_Entries cells count, and
// missing cells are blank.

// The range a diagnosis ID must lie in.
inline constexpr int Diagnosis_Id_Low = 1;
inline constexpr int Diagnosis_Id_High = 247;

// The list ends at the first row whose cell is blank after trimming. Every
// row before it must hold an integer from 1 to 247 (shared integer
// conversion, so "12 " fails and " 12" passes). Gives the first row that
// fails (message: text 708 + row + text 709), nothing when the list may be
// saved.
std::optional<Check_Failure> Check_Diagnosis_Ids(const QStringList& cells);

// Number of rows before the first blank one (0 to Max_Entries).
int Diagnosis_List_End(const QStringList& cells);

// The list that saving writes: the cells of the rows before the first blank
// one, texts unchanged.
Diagnosis_List Diagnosis_From_Cells(const QStringList& cells);

// The first row after the end of the list whose cell holds a non-blank text,
// which saving would leave out; 0 when there is none.
int First_Row_Left_Out(const QStringList& cells);
