#pragma once

#include "document/general_params.h"
#include "document/pargen_schema.h"

#include <QStringList>

#include <array>
#include <vector>

// The general parameters editor described as a table: one entry per control
// that shows a value of General_Params, in the order of the panels and of
// their rows, which is also the order of creation and so the tab order. The
// editor builds its controls, sets their texts, fills them and reads them
// back from this table only. The table is a view of the document's schema
// (pargen_schema.h), made from its rows in document order, each element
// that sits beside another placed right after that one.
namespace Par_Field {

// The editor's own texts; its fields carry theirs.
namespace Text {
inline constexpr int Caption = 400; // window title
inline constexpr int Description = 401;
inline constexpr int Ok = 402;
inline constexpr int Cancel = 403;
inline constexpr int Ok_Hint = 404;
inline constexpr int Cancel_Hint = 405;
inline constexpr int Without_Ethernet = 408; // the hardware type list's items
inline constexpr int With_Ethernet = 409;
inline constexpr int Discard_Question = 504;
} // namespace Text

struct Field {
    const char* name; // the control's object name; for Octets the edits' prefix (1 to 4 appended)
    Kind kind;
    Panel panel;
    QLatin1StringView element;   // the element shown; for Octets the first of four in a row
    const char* label = nullptr; // object name of the caption label in front, if any
    bool beside = false;         // in the row of the field before it, not a row of its own
    Shown shown = Shown::Always;

    int caption = 0; // text of the label, or of the check box itself
    int hint = 0;    // the control's tooltip; for Octets the first of four
    int General_Params::*index = nullptr;
    QString General_Params::*text = nullptr;
    bool General_Params::*flag = nullptr;
    std::array<QString General_Params::*, 4> octets{};
    QStringList items{};           // a list's fixed items
    std::vector<int> item_texts{}; // a list's items from the text table (set anew with the language)
    int fixed_index = -1;          // a list that always shows this item and cannot be changed
};

// Every field of the editor.
const std::vector<Field>& Fields();

// The panels in the order the editor shows them.
inline constexpr std::array<Panel, 4> Panels = {Panel::Hardware_Type, Panel::Modbus_Master, Panel::PROFIBUS,
                                                Panel::Ethernet};

// A panel's caption: its number, then its text ("2. Modbus Master").
QString Panel_Number(Panel panel);
int Panel_Caption(Panel panel);

// Whether the hardware type shows the panel, and the field in its panel.
// Field_Shown looks at the field alone: a field beside another also goes
// when that one's row goes.
bool Panel_Shown(Panel panel, bool ethernet);
bool Field_Shown(const Field& field, bool ethernet);

} // namespace Par_Field
