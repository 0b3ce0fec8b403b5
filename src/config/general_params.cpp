#include "config/general_params.h"

#include "base/file_lookup.h"
#include "base/int_conversion.h"
#include "base/xml_document.h"
#include "config/pargen_view.h"

#include <QXmlStreamWriter>
#include <variant>

namespace {

// One element of Par_Gen: its name and the field that holds its value. The
// kind of the field (index, flag, number) decides how the text is read and
// written.
struct Par_Gen_Element {
    QLatin1StringView name;
    ParGen_Member field;
};

// The 40 elements in document order.
const Par_Gen_Element par_gen_elements[] = {
    {Par_Gen::Hardware_Type, &General_Params::Hardware_Type},
    {Par_Gen::Ser_Type, &General_Params::Ser_Type},
    {Par_Gen::Ser_Baud, &General_Params::Ser_Baud},
    {Par_Gen::Ser_Par, &General_Params::Ser_Par},
    {Par_Gen::Ser_StopBits, &General_Params::Ser_StopBits},
    {Par_Gen::Ser_DataBits, &General_Params::Ser_DataBits},
    {Par_Gen::Ser_TO, &General_Params::Ser_TO},
    {Par_Gen::Ser_CD, &General_Params::Ser_CD},
    {Par_Gen::Ser_Prot, &General_Params::Ser_Prot},
    {Par_Gen::Ser_Write_Mode, &General_Params::Ser_Write_Mode},
    {Par_Gen::Ser_Enable_Modbus_PROFIBUS_Active, &General_Params::Ser_Enable_Modbus_PROFIBUS_Active},
    {Par_Gen::Profi_ID, &General_Params::Profi_ID},
    {Par_Gen::Profi_Baud, &General_Params::Profi_Baud},
    {Par_Gen::Profi_NB_IN, &General_Params::Profi_NB_IN},
    {Par_Gen::Profi_NB_OUT, &General_Params::Profi_NB_OUT},
    {Par_Gen::Profi_Enable_Error, &General_Params::Profi_Enable_Error},
    {Par_Gen::Profi_Num_Cont_Err, &General_Params::Profi_Num_Cont_Err},
    {Par_Gen::Profi_Enable_Diagnosis, &General_Params::Profi_Enable_Diagnosis},
    {Par_Gen::Profi_Enable_Cancel_Data, &General_Params::Profi_Enable_Cancel_Data},
    {Par_Gen::Profi_Diagnosis_Zero, &General_Params::Profi_Diagnosis_Zero},
    {Par_Gen::Profi_Diagnosis_Copy_Array, &General_Params::Profi_Diagnosis_Copy_Array},
    {Par_Gen::Profi_Diagnosis_Copy_Array_Position, &General_Params::Profi_Diagnosis_Copy_Array_Position},
    {Par_Gen::Profi_Enable_Async_Mod_Req, &General_Params::Profi_Enable_Async_Mod_Req},
    {Par_Gen::Profi_Async_Req_Start_IN, &General_Params::Profi_Async_Req_Start_IN},
    {Par_Gen::Profi_Async_Req_Start_OUT, &General_Params::Profi_Async_Req_Start_OUT},
    {Par_Gen::Del_Modbus_on_PROFI_error, &General_Params::Del_Modbus_on_PROFI_error},
    {Par_Gen::Profi_Enable_Error_Address, &General_Params::Profi_Enable_Error_Address},
    {Par_Gen::Ethernet_IP1, &General_Params::Ethernet_IP1},
    {Par_Gen::Ethernet_IP2, &General_Params::Ethernet_IP2},
    {Par_Gen::Ethernet_IP3, &General_Params::Ethernet_IP3},
    {Par_Gen::Ethernet_IP4, &General_Params::Ethernet_IP4},
    {Par_Gen::Ethernet_SM1, &General_Params::Ethernet_SM1},
    {Par_Gen::Ethernet_SM2, &General_Params::Ethernet_SM2},
    {Par_Gen::Ethernet_SM3, &General_Params::Ethernet_SM3},
    {Par_Gen::Ethernet_SM4, &General_Params::Ethernet_SM4},
    {Par_Gen::Ethernet_GAT1, &General_Params::Ethernet_GAT1},
    {Par_Gen::Ethernet_GAT2, &General_Params::Ethernet_GAT2},
    {Par_Gen::Ethernet_GAT3, &General_Params::Ethernet_GAT3},
    {Par_Gen::Ethernet_GAT4, &General_Params::Ethernet_GAT4},
    {Par_Gen::Ethernet_EN_GAT, &General_Params::Ethernet_EN_GAT},
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

General_Params General_Params_Of(const ParGen_View& document) {
    General_Params params;
    for (const Par_Gen_Element& element : par_gen_elements) {
        QString text;
        if (document.Text(element.name, text))
            std::visit(Read_Value{params, text}, element.field);
    }
    params.Profi_Baud = auto_baudrate;
    return params;
}

General_Params Load_ParGen(const QString& path) {
    return General_Params_Of(ParGen_View::Read(path));
}

QList<ParGen_Element_Text> ParGen_Element_Texts(const General_Params& params) {
    General_Params stored = params;
    stored.Profi_Baud = auto_baudrate;
    QList<ParGen_Element_Text> texts;
    texts.reserve(std::size(par_gen_elements));
    for (const Par_Gen_Element& element : par_gen_elements)
        texts.append({element.name, std::visit(Write_Value{stored}, element.field)});
    return texts;
}

std::optional<ParGen_Member> ParGen_Member_Of(QStringView element) {
    for (const Par_Gen_Element& known : par_gen_elements)
        if (known.name == element)
            return known.field;
    return std::nullopt;
}

void Save_ParGen(const QString& path, const General_Params& params) {
    General_Params stored = params;
    stored.Profi_Baud = auto_baudrate;
    // An existing file is replaced under its own spelling; a new one gets the
    // caller's spelling (ParGen.xml).
    Save_Xml_Document(Resolve_File_No_Case(path), Par_Gen::Root, [&](QXmlStreamWriter& writer) {
        for (const Par_Gen_Element& element : par_gen_elements)
            writer.writeTextElement(element.name, std::visit(Write_Value{stored}, element.field));
    });
}
