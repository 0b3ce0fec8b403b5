#pragma once

#include "document/general_params.h"

#include <QLatin1StringView>
#include <QStringList>

#include <vector>

// The general parameters document ParGen.xml described once, element by
// element: the record member that holds it, its value list, its caption and
// hint texts. The reader, the writer, the editor's field table, the poll's
// serial settings, the image build and decoder, the report and the compare
// all take what they need of an element from its row here. An element's
// default is the initial value of its member in General_Params.
namespace ParGen_Schema {

struct Row {
    QLatin1StringView Element;
    ParGen_Member Member;
    QStringList Values;           // an index element's fixed value list: item i is index i
    std::vector<int> Value_Texts; // or its value list from the text table
    int Fixed_Index = -1;         // an index the device decides: always stored and shown as this
    int Caption = 0;              // the editor's caption (0: the element shares another's row)
    int Hint = 0;                 // the editor's tooltip
};

// The 40 elements in document order.
const std::vector<Row>& Rows();

// The row of an element of the document; nothing for any other name.
const Row* Find_Row(QStringView element);
const Row* Find_Row(QLatin1StringView element);

// The row of one of the Par_Gen names (a name that is no element stops the
// program: it is a fault of the code, not of a file).
const Row& Row_Of(QLatin1StringView element);

// The serial baud rates of Ser_Baud, index by index (list A).
int Serial_Baud_Rate(int index);
int Serial_Baud_Rate_Count();

} // namespace ParGen_Schema
