#include "document/pargen_view.h"

#include "base/file_lookup.h"
#include "base/int_conversion.h"
#include "base/xml_document.h"

#include <QFileInfo>

ParGen_View ParGen_View::Read(const QString& path) {
    ParGen_View view;
    if (path.isEmpty())
        return view;
    view.path_ = Resolve_File_No_Case(path);
    if (!QFileInfo(view.path_).isFile())
        return view;
    view.document_ = Load_Xml_File(view.path_);
    view.container_ = First_Top_Node(view.document_);
    view.exists_ = true;
    return view;
}

ParGen_View ParGen_View::Read_In(const QString& conf_dir) {
    return Read(Find_File_No_Case(conf_dir, Par_Gen::File_Name));
}

bool ParGen_View::Text(QLatin1StringView name, QString& text) const {
    return exists_ && Child_Text(container_, name, text);
}

bool ParGen_View::Has_Element(QLatin1StringView name) const {
    return exists_ && !Child_Element(container_, name).isNull();
}

int ParGen_View::Number(QLatin1StringView name, int default_value) const {
    QString text;
    return Text(name, text) ? Str_To_Int_Def(text, default_value) : default_value;
}

bool ParGen_View::Try_Number(QLatin1StringView name, int& value) const {
    QString text;
    int number = 0;
    if (!Text(name, text) || !Try_Str_To_Int(text, number))
        return false;
    value = number;
    return true;
}

bool ParGen_View::Flag(QLatin1StringView name) const {
    QString text;
    return Text(name, text) && text == u"1";
}
