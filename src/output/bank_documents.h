#pragma once

#include "document/access_rules.h"
#include "document/diagnosis_list.h"
#include "document/pargen_view.h"
#include "document/rule_schema.h"

#include <QList>
#include <QString>

// How the image compiler reads the stored documents of a configuration. It
// reads the files itself, as they are on disk, and never an editor's memory.
// A document whose file does not exist is not an error; an existing one that
// is not well-formed XML is. The container of a document is its first
// top-level node, whatever it is.

// Every error of the build starts with this text.
QString Bank_Error_Prefix();

// Integer conversion used for a value: the shared one or the lenient one.
using Bank_Int_Conversion = bool (*)(const QString& text, int& value);

// The general parameters document of `conf_dir` (ParGen_View::Read_In): looked
// up under the name the editor writes, so that a folder holding both
// ParGen.xml and a stale pargen.xml (possible on a case-sensitive file system)
// compiles the document the user edited and the main window reads, and no
// other. Throws Kc_Error naming the file when it cannot be parsed.
ParGen_View Read_Bank_ParGen(const QString& conf_dir);

// A value of the general parameters the image must have: throws Kc_Error
// naming the file, the element and the text when it is missing, not plain
// text, or no integer.
int Mandatory_General(const ParGen_View& general, QLatin1StringView name);

// The rules document of `conf_dir`, read by the editor's reader
// (Read_Sdo_Document). Throws Kc_Error naming the file when it cannot be
// parsed.
Sdo_Document Read_Bank_Sdo(const QString& conf_dir);

// One list of the rules document: every child node of ProfiBUS_IN or
// ProfiBUS_OUT is one rule, in document order.
struct Bank_Rule_List {
    QString Name;
    bool Write = false; // ProfiBUS_OUT
    QList<Access_Rule> Rules;
    QList<Sdo_Rule_Shape> Shapes;
};

// One of the two lists. Throws Kc_Error naming the file when it is missing.
Bank_Rule_List Rule_List(const Sdo_Document& document, bool write_list);

// The attributes of one rule; an attribute the file does not give is missing
// (its text empty), whatever the editor would put in its place.
class Rule_Values {
public:
    Rule_Values(const Sdo_Document& document, const Bank_Rule_List& list, int index,
                Bank_Int_Conversion conversion);
    bool Has(QLatin1StringView name) const;
    QString Text(QLatin1StringView name) const; // empty when missing
    // "Y" after conversion to upper case.
    bool Is_Set(QLatin1StringView name) const;
    // Type, Enable and the like are texts; a missing one stops the build.
    QString Mandatory_Text(QLatin1StringView name) const;
    // Throws Kc_Error naming the file, the list, the rule's position, the
    // attribute and its text when it is missing or no integer.
    int Mandatory(QLatin1StringView name) const;
    int Number(QLatin1StringView name, int default_value) const;

private:
    [[noreturn]] void Fail(const QString& problem) const;
    const Rule_Attribute* Attribute(QLatin1StringView name) const; // nullptr when not given

    const Sdo_Document& document_;
    const Bank_Rule_List& list_;
    int index_;
    Bank_Int_Conversion conversion_;
};

// The diagnosis document of `conf_dir`, read by the editor's reader
// (Read_Diagnosis_Document). Throws Kc_Error naming the file when it cannot be
// parsed.
Diagnosis_Document Read_Bank_Diagnosis(const QString& conf_dir);

// One entry converted (mandatory): throws naming the file, the entry and its text.
int Diagnosis_Entry_Value(const Diagnosis_Document& document, int index);
