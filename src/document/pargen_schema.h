#pragma once

#include "document/general_params.h"

#include <QLatin1StringView>
#include <QStringList>

#include <vector>

// Where the general parameters editor shows an element.
namespace Par_Field {

enum class Kind {
    List,   // a list of fixed items; the member is the selected index
    Edit,   // one line of text
    Check,  // a check box carrying its own caption
    Octets, // four edits of an address separated by dots
};

enum class Panel { Hardware_Type, Modbus_Master, PROFIBUS, Ethernet };

// Which hardware type shows the field's row (or, for a list, edit or check box beside
// another, the field alone). A hidden field keeps its value and is saved.
enum class Shown { Always, Without_Ethernet, With_Ethernet };

} // namespace Par_Field

// The general parameters document ParGen.xml described once, element by
// element: the record member that holds it, its value list, its caption and
// hint texts, and where the editor shows it. The reader, the writer, the
// editor (whose field table is made from these rows), the poll's serial
// settings, the image build and decoder, the report and the compare all take
// what they need of an element from its row here. An element's default is
// the initial value of its member in General_Params.
namespace ParGen_Schema {

struct Row {
    QLatin1StringView Element;
    ParGen_Member Member;
    QStringList Values{};           // an index element's fixed value list: item i is index i
    std::vector<int> Value_Texts{}; // or its value list from the text table
    int Fixed_Index = -1;           // an index the device decides: always stored and shown as this
    int Caption = 0;                // the editor's caption (0: the element shares another's row)
    int Hint = 0;                   // the editor's tooltip

    // The editor's control: a list for an index, a check box for a flag, an
    // edit for a text, four edits for the first of four address octets (the
    // three after it have no control of their own).
    const char* Control = nullptr; // object name; for four octets the edits' prefix (1 to 4 appended)
    Par_Field::Panel Panel = Par_Field::Panel::Hardware_Type;
    const char* Label = nullptr; // object name of the caption label in front, if any
    QLatin1StringView Beside{};  // shown in the row of this element, right after it
    Par_Field::Shown Shown = Par_Field::Shown::Always;
    bool Octets = false; // the first of four elements edited as one address
};

// The 40 elements in document order.
const std::vector<Row>& Rows();

// The row of an element of the document; nothing for any other name.
const Row* Find_Row(QStringView element);

// The row of one of the Par_Gen names (a name that is no element stops the
// program: it is a fault of the code, not of a file).
const Row& Row_Of(QLatin1StringView element);

// The serial baud rates of Ser_Baud, index by index (list A).
int Serial_Baud_Rate(int index);
int Serial_Baud_Rate_Count();

} // namespace ParGen_Schema
