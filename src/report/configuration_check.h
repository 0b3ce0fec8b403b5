#pragma once

#include "document/access_rules.h"
#include "document/io_map.h"
#include "document/pargen_names.h"

#include <QList>
#include <QString>
#include <array>
#include <optional>

class Text_Table;

// The check of a stored configuration: every check the three editors run on
// OK, what the image build refuses, and the findings of the I/O map, on the
// documents as they are on disk.

enum class Finding_Level { Error, Warning };

// The two occupants and the bytes they share, for an overlap finding.
struct Overlap_Detail {
    Io_Area Area = Io_Area::Input;
    long long First_Byte = 0;
    long long Last_Byte = 0;
    std::array<Io_Occupant, 2> With;
};

// One finding. Codes:
//   errors:   unreadable_document, invalid_parameter, invalid_rule,
//             invalid_diagnosis_id, image_build
//   warnings: overlap, repeated_read, rows_after_table_end, rules_not_kept,
//             diagnosis_rows_after_end, diagnosis_entries_not_kept
struct Conf_Finding {
    Finding_Level Level = Finding_Level::Error;
    QString Code;
    QString Document;                // "ParGen.xml", "sdo.xml", "diagnosis.xml"; empty: none
    std::optional<Rule_Table> Table; // the rule table it concerns
    int Row = 0;                     // grid row or diagnosis entry, from 1; 0: none
    QString Message;                 // as the configurator shows it, from the text table
    std::optional<Overlap_Detail> Overlap;
};

struct Conf_Check {
    QList<Conf_Finding> Errors;
    QList<Conf_Finding> Warnings;
};

// Checks the documents of `conf_dir` (names matched without regard to case;
// a missing document is checked as its defaults, as the editors show it).
// - ParGen.xml: the general parameters editor's validation (its first
//   failure, as the editor shows it);
// - sdo.xml: the rules editor's validation for every enabled rule that fails
//   (its first failing check), with the hardware type and area sizes the
//   editor reads; data after the end of a table; rules beyond the editor's
//   244 rows;
// - diagnosis.xml (unless the hardware type is 1, whose device has no
//   diagnosis list): every entry the diagnosis editor refuses; data after the
//   end of the list; entries beyond 64;
// - the image build, when every document could be read;
// - the I/O map: every overlap, and every repeated Modbus read.
// A document that cannot be read gives an unreadable_document error and the
// checks that need it are left out.
Conf_Check Check_Configuration(const QString& conf_dir, const Text_Table& texts);

// A rule table holding every rule of the list: at least the editor's 244
// rows, more when the list is longer, set up as the editor's reset leaves it.
Grid_Texts Rule_Grid_Of(Rule_Table table, const QList<Access_Rule>& rules);

// The I/O map of rules read from sdo.xml with the general parameters and the
// limits read from ParGen.xml.
Io_Map Io_Map_Of(const General_Params& params, const Rules_Limits& limits, const Access_Rules& rules);

// The I/O map of the stored documents of `conf_dir`. Throws Kc_Error naming
// the file when ParGen.xml or sdo.xml cannot be read.
Io_Map Stored_Io_Map(const QString& conf_dir);
