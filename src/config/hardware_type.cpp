#include "config/hardware_type.h"

#include "base/file_lookup.h"
#include "base/int_conversion.h"
#include "base/xml_document.h"

#include <QFileInfo>

int Read_Hardware_Type(const QString& pargen_file) {
    if (pargen_file.isEmpty())
        return 0;
    const QString path = Resolve_File_No_Case(pargen_file);
    if (!QFileInfo(path).isFile())
        return 0;
    const QDomDocument document = Load_Xml_File(path);
    QString text;
    if (!Child_Text(First_Top_Node(document), QStringLiteral("Hardware_Type"), text))
        return 0;
    return Str_To_Int_Def(text, 0);
}
