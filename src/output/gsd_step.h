#pragma once

#include <QString>

struct App_State;
class ParGen_View;
class Text_Table;
class Ui_Services;

// Texts of the GSD step; the commissioning report borrows them too.
namespace Gsd_Text {
inline constexpr int Step = 29;            // the main window's GSD File button
inline constexpr int Overwrite_File = 903; // before replacing an existing file
inline constexpr int Pargen_Missing = 904; // no general parameters document
} // namespace Gsd_Text

// The sizes of the PROFIBUS areas the GSD file describes.
struct GSD_Areas {
    int In_Bytes = 0;  // Profi_NB_IN
    int Out_Bytes = 0; // Profi_NB_OUT
};

// Profi_NB_IN and Profi_NB_OUT of the general parameters. A missing or
// unreadable element gives 0 for that value alone (callers first make sure
// the document exists). Throws Kc_Error naming the file when the areas need
// more modules than a GSD file can number.
GSD_Areas GSD_Areas_Of(const ParGen_View& pargen);

// Writes the GSD file for `areas` to `path` atomically (the path is used as
// given). Throws Kc_Error naming the file when it is a folder or cannot be
// written; an existing file then stays whole.
void Save_GSD_File(const QString& path, const GSD_Areas& areas);

// The main window's GSD step: Pargen_Missing without a general parameters document
// in the open configuration, otherwise asks where to save (in Conf_Dir, .gsd
// appended unless the name ends in it), asks Overwrite_File before replacing an
// existing file, and writes it. Every error ends in an error box naming the
// file; nothing escapes, so a slot may call it directly.
void Create_GSD_File(App_State& state, const Text_Table& texts, Ui_Services& ui);
