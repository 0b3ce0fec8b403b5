#include "app/settings_file.h"

#include "base/app_state.h"
#include "base/kc_error.h"
#include "base/save_file.h"
#include "base/xml_document.h"
#include "base/xml_text.h"

#include <QDir>
#include <QFileInfo>
#include <QXmlStreamWriter>

namespace {

const QString root_name = QStringLiteral("Conf_Settings");

// The text of group/value under the root; false when either is missing or the
// value holds more than text.
bool Value_Text(const QDomNode& root, const QString& group, const QString& value, QString& text) {
    const QDomElement group_element = Child_Element(root, group);
    if (group_element.isNull())
        return false;
    return Child_Text(group_element, value, text);
}

void Read_Flag(const QDomNode& root, const QString& value, bool& flag) {
    QString text;
    flag = Value_Text(root, QStringLiteral("lastinternet"), value, text) && text == QLatin1String("1");
}

void Write_Settings(QXmlStreamWriter& writer, const App_State& state) {
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    writer.writeStartElement(QStringLiteral("lastproj"));
    writer.writeTextElement(QStringLiteral("projectname"), state.Conf_Name);
    writer.writeEndElement();
    writer.writeStartElement(QStringLiteral("lastipadd"));
    writer.writeTextElement(QStringLiteral("ipaddress"), state.Last_IP_Address);
    writer.writeEndElement();
    writer.writeStartElement(QStringLiteral("lastlang"));
    writer.writeTextElement(QStringLiteral("language"), state.Language_Name);
    writer.writeEndElement();
    writer.writeStartElement(QStringLiteral("lastinternet"));
    writer.writeTextElement(QStringLiteral("enable_internet"), flag(state.Enable_Internet));
    writer.writeTextElement(QStringLiteral("enable_update"), flag(state.Enable_Update));
    writer.writeTextElement(QStringLiteral("enable_jump_field_tables"), flag(state.Enable_Jump_Field_Tables));
    writer.writeTextElement(QStringLiteral("Double_Click_Auto_Size"), flag(state.Double_Click_Auto_Size));
    writer.writeEndElement();
    if (!state.Last_Test_Port.isEmpty()) {
        writer.writeStartElement(QStringLiteral("lasttestport"));
        writer.writeTextElement(QStringLiteral("portname"), state.Last_Test_Port);
        writer.writeEndElement();
    }
}

} // namespace

QString Settings_File_Path(const App_State& state) {
    return Join_Path(state.Data_Folder(), QStringLiteral("Struttor.xml"));
}

void Set_Default_Settings(App_State& state) {
    state.Conf_Name.clear();
    state.Conf_Dir.clear();
    state.Last_IP_Address = QStringLiteral("192.168.2.205");
    state.Language_Name = QStringLiteral("English");
    state.Enable_Internet = false;
    state.Enable_Update = false;
    state.Enable_Jump_Field_Tables = false;
    state.Double_Click_Auto_Size = false;
    state.Last_Test_Port.clear();
}

void Read_Settings(const QString& path, App_State& state) {
    Set_Default_Settings(state);
    if (!QFileInfo(path).isFile())
        return;
    QDomDocument document;
    try {
        document = Load_Xml_File(path);
    } catch (const Kc_Error&) {
        return; // a broken settings file never stops the program
    }
    const QDomNode root = First_Top_Node(document);
    QString text;
    if (Value_Text(root, QStringLiteral("lastproj"), QStringLiteral("projectname"), text))
        state.Conf_Name = text;
    if (Value_Text(root, QStringLiteral("lastipadd"), QStringLiteral("ipaddress"), text))
        state.Last_IP_Address = text;
    if (Value_Text(root, QStringLiteral("lastlang"), QStringLiteral("language"), text))
        state.Language_Name = text;
    Read_Flag(root, QStringLiteral("enable_internet"), state.Enable_Internet);
    Read_Flag(root, QStringLiteral("enable_update"), state.Enable_Update);
    Read_Flag(root, QStringLiteral("enable_jump_field_tables"), state.Enable_Jump_Field_Tables);
    Read_Flag(root, QStringLiteral("Double_Click_Auto_Size"), state.Double_Click_Auto_Size);
    if (Value_Text(root, QStringLiteral("lasttestport"), QStringLiteral("portname"), text))
        state.Last_Test_Port = text;
}

QByteArray Settings_Bytes(const App_State& state) {
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.setAutoFormatting(false);
    writer.writeStartElement(root_name);
    Write_Settings(writer, state);
    writer.writeEndElement();
    return bytes;
}

void Save_Settings(const QString& path, const App_State& state) {
    for (const QString& text : {state.Conf_Name, state.Last_IP_Address, state.Language_Name})
        if (Xml_Cannot_Keep(text))
            throw Kc_Error(QStringLiteral("Cannot write %1: \"%2\" holds characters an XML file cannot keep")
                               .arg(QDir::toNativeSeparators(path), Visible_Controls(text)));
    Save_File_Atomically(path, Settings_Bytes(state));
}
