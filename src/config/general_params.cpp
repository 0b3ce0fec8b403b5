#include "config/general_params.h"

#include "base/file_lookup.h"
#include "base/int_conversion.h"
#include "base/xml_document.h"

#include <QFileInfo>
#include <QXmlStreamWriter>
#include <variant>

namespace {

// One element of Par_Gen: its name and the field that holds its value. The
// kind of the field (index, flag, number) decides how the text is read and
// written.
struct Par_Gen_Element {
    const char* name;
    std::variant<int General_Params::*, bool General_Params::*, QString General_Params::*> field;
};

// The 40 elements in document order.
const Par_Gen_Element par_gen_elements[] = {
    {"Hardware_Type", &General_Params::Hardware_Type},
    {"Ser_Type", &General_Params::Ser_Type},
    {"Ser_Baud", &General_Params::Ser_Baud},
    {"Ser_Par", &General_Params::Ser_Par},
    {"Ser_StopBits", &General_Params::Ser_StopBits},
    {"Ser_DataBits", &General_Params::Ser_DataBits},
    {"Ser_TO", &General_Params::Ser_TO},
    {"Ser_CD", &General_Params::Ser_CD},
    {"Ser_Prot", &General_Params::Ser_Prot},
    {"Ser_Write_Mode", &General_Params::Ser_Write_Mode},
    {"Ser_Enable_Modbus_PROFIBUS_Active", &General_Params::Ser_Enable_Modbus_PROFIBUS_Active},
    {"Profi_ID", &General_Params::Profi_ID},
    {"Profi_Baud", &General_Params::Profi_Baud},
    {"Profi_NB_IN", &General_Params::Profi_NB_IN},
    {"Profi_NB_OUT", &General_Params::Profi_NB_OUT},
    {"Profi_Enable_Error", &General_Params::Profi_Enable_Error},
    {"Profi_Num_Cont_Err", &General_Params::Profi_Num_Cont_Err},
    {"Profi_Enable_Diagnosis", &General_Params::Profi_Enable_Diagnosis},
    {"Profi_Enable_Cancel_Data", &General_Params::Profi_Enable_Cancel_Data},
    {"Profi_Diagnosis_Zero", &General_Params::Profi_Diagnosis_Zero},
    {"Profi_Diagnosis_Copy_Array", &General_Params::Profi_Diagnosis_Copy_Array},
    {"Profi_Diagnosis_Copy_Array_Position", &General_Params::Profi_Diagnosis_Copy_Array_Position},
    {"Profi_Enable_Async_Mod_Req", &General_Params::Profi_Enable_Async_Mod_Req},
    {"Profi_Async_Req_Start_IN", &General_Params::Profi_Async_Req_Start_IN},
    {"Profi_Async_Req_Start_OUT", &General_Params::Profi_Async_Req_Start_OUT},
    {"Del_Modbus_on_PROFI_error", &General_Params::Del_Modbus_on_PROFI_error},
    {"Profi_Enable_Error_Address", &General_Params::Profi_Enable_Error_Address},
    {"Ethernet_IP1", &General_Params::Ethernet_IP1},
    {"Ethernet_IP2", &General_Params::Ethernet_IP2},
    {"Ethernet_IP3", &General_Params::Ethernet_IP3},
    {"Ethernet_IP4", &General_Params::Ethernet_IP4},
    {"Ethernet_SM1", &General_Params::Ethernet_SM1},
    {"Ethernet_SM2", &General_Params::Ethernet_SM2},
    {"Ethernet_SM3", &General_Params::Ethernet_SM3},
    {"Ethernet_SM4", &General_Params::Ethernet_SM4},
    {"Ethernet_GAT1", &General_Params::Ethernet_GAT1},
    {"Ethernet_GAT2", &General_Params::Ethernet_GAT2},
    {"Ethernet_GAT3", &General_Params::Ethernet_GAT3},
    {"Ethernet_GAT4", &General_Params::Ethernet_GAT4},
    {"Ethernet_EN_GAT", &General_Params::Ethernet_EN_GAT},
};

// The baud rate of the PROFIBUS side is always detected by the device.
constexpr int auto_baudrate = 10;

// Reads one element's text into its field; the field keeps its default when
// the text is no valid value of its kind.
struct Read_Value {
    General_Params& params;
    const QString& text;

    void operator()(int General_Params::*field) const {
        int value = 0;
        if (Try_Str_To_Int(text, value))
            params.*field = value;
    }
    void operator()(bool General_Params::*field) const { params.*field = text == QLatin1String("1"); }
    void operator()(QString General_Params::*field) const { params.*field = text; }
};

struct Write_Value {
    const General_Params& params;

    QString operator()(int General_Params::*field) const { return QString::number(params.*field); }
    QString operator()(bool General_Params::*field) const {
        return params.*field ? QStringLiteral("1") : QStringLiteral("0");
    }
    QString operator()(QString General_Params::*field) const { return params.*field; }
};

} // namespace

General_Params Load_ParGen(const QString& path) {
    General_Params params;
    const QString file = Resolve_File_No_Case(path);
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return params;

    const QDomDocument document = Load_Xml_File(file);
    const QDomNode container = First_Top_Node(document);
    for (const Par_Gen_Element& element : par_gen_elements) {
        QString text;
        if (Child_Text(container, QLatin1String(element.name), text))
            std::visit(Read_Value{params, text}, element.field);
    }
    params.Profi_Baud = auto_baudrate;
    return params;
}

void Save_ParGen(const QString& path, const General_Params& params) {
    General_Params stored = params;
    stored.Profi_Baud = auto_baudrate;
    // An existing file is replaced under its own spelling; a new one gets the
    // caller's spelling (ParGen.xml).
    Save_Xml_Document(Resolve_File_No_Case(path), QStringLiteral("Par_Gen"), [&](QXmlStreamWriter& writer) {
        for (const Par_Gen_Element& element : par_gen_elements)
            writer.writeTextElement(QLatin1String(element.name),
                                    std::visit(Write_Value{stored}, element.field));
    });
}
