#include "document/general_params_fields.h"

#include "document/pargen_names.h"
#include "document/pargen_schema.h"

#include <QtGlobal>

namespace Par_Field {

namespace {

namespace N = Par_Gen;

// Fills in what the element's schema row says: the member (for Octets the
// members of the element and the three after it), the texts and the list.
Field Completed(Field field) {
    const std::vector<ParGen_Schema::Row>& rows = ParGen_Schema::Rows();
    const ParGen_Schema::Row* row = ParGen_Schema::Find_Row(field.element);
    if (!row)
        qFatal("the general parameters editor shows %s, which is no element", field.element.data());
    field.caption = row->Caption;
    field.hint = row->Hint;
    field.items = row->Values;
    field.item_texts = row->Value_Texts;
    field.fixed_index = row->Fixed_Index;
    switch (field.kind) {
    case Kind::List:
        field.index = std::get<int General_Params::*>(row->Member);
        break;
    case Kind::Edit:
        field.text = std::get<QString General_Params::*>(row->Member);
        break;
    case Kind::Check:
        field.flag = std::get<bool General_Params::*>(row->Member);
        break;
    case Kind::Octets: {
        const std::size_t first = std::size_t(row - rows.data());
        for (std::size_t j = 0; j < field.octets.size(); ++j)
            field.octets[j] = std::get<QString General_Params::*>(rows.at(first + j).Member);
        break;
    }
    }
    return field;
}

std::vector<Field> Build_Fields() {
    const std::vector<Field> layout = {
        {"CB_HardwareType_HardwareType", Kind::List, Panel::Hardware_Type, N::Hardware_Type,
         "L_HardwareType_HardwareType"},

        {"CB_ModbusMaster_Serial", Kind::List, Panel::Modbus_Master, N::Ser_Type, "L_ModbusMaster_Serial"},
        {"CB_ModbusMaster_Baudrate", Kind::List, Panel::Modbus_Master, N::Ser_Baud,
         "L_ModbusMaster_Baudrate"},
        {"CB_ModbusMaster_Parity", Kind::List, Panel::Modbus_Master, N::Ser_Par, "L_ModbusMaster_Parity"},
        {"CB_ModbusMaster_StopBits", Kind::List, Panel::Modbus_Master, N::Ser_StopBits,
         "L_ModbusMaster_StopBits"},
        {"CB_ModbusMaster_DataBits", Kind::List, Panel::Modbus_Master, N::Ser_DataBits,
         "L_ModbusMaster_DataBits", false, Shown::Without_Ethernet},
        {"E_ModbusMaster_TimeOut", Kind::Edit, Panel::Modbus_Master, N::Ser_TO, "L_ModbusMaster_TimeOut"},
        {"E_ModbusMaster_CyclicDelay", Kind::Edit, Panel::Modbus_Master, N::Ser_CD,
         "L_ModbusMaster_CyclicDelay"},
        {"CB_ModbusMaster_Protocol", Kind::List, Panel::Modbus_Master, N::Ser_Prot, "L_ModbusMaster_Protocol",
         false, Shown::Without_Ethernet},
        {"CB_ModbusMaster_WriteType", Kind::List, Panel::Modbus_Master, N::Ser_Write_Mode,
         "L_ModbusMaster_WriteType", false, Shown::Without_Ethernet},
        {"CB_ModbusMaster_En_Modbus_On_PROFIBUS", Kind::Check, Panel::Modbus_Master,
         N::Ser_Enable_Modbus_PROFIBUS_Active},

        {"E_PROFIBUS_ID_Device", Kind::Edit, Panel::PROFIBUS, N::Profi_ID, "L_PROFIBUS_ID_Device"},
        // Shows the rate the device finds by itself, whatever the document holds.
        {"CB_PROFIBUS_Baud", Kind::List, Panel::PROFIBUS, N::Profi_Baud, "L_PROFIBUS_Baud"},
        {"E_PROFIBUS_NByte_In", Kind::Edit, Panel::PROFIBUS, N::Profi_NB_IN, "L_PROFIBUS_NByte_In"},
        {"E_PROFIBUS_NByte_Out", Kind::Edit, Panel::PROFIBUS, N::Profi_NB_OUT, "L_PROFIBUS_NByte_Out"},
        {"CB_PROFIBUS_En_Err_Diagnosis", Kind::Check, Panel::PROFIBUS, N::Profi_Enable_Error},
        {"E_PROFIBUS_Diagnosis_Address", Kind::Edit, Panel::PROFIBUS, N::Profi_Enable_Error_Address, nullptr,
         true, Shown::With_Ethernet},
        {"E_PROFIBUS_Err_Num_Count", Kind::Edit, Panel::PROFIBUS, N::Profi_Num_Cont_Err,
         "L_PROFIBUS_Err_Num_Count", false, Shown::Without_Ethernet},
        {"CB_PROFIBUS_Err_En_Diagnosis", Kind::Check, Panel::PROFIBUS, N::Profi_Enable_Diagnosis},
        {"CB_PROFIBUS_Err_En_Cancel_Data", Kind::Check, Panel::PROFIBUS, N::Profi_Enable_Cancel_Data, nullptr,
         false, Shown::Without_Ethernet},
        {"CB_PROFIBUS_Err_En_Set_To_Zero", Kind::Check, Panel::PROFIBUS, N::Profi_Diagnosis_Zero, nullptr,
         false, Shown::Without_Ethernet},
        {"CB_PROFIBUS_Err_En_Copy_Data", Kind::Check, Panel::PROFIBUS, N::Profi_Diagnosis_Copy_Array, nullptr,
         false, Shown::Without_Ethernet},
        {"E_PROFIBUS_Err_En_Copy_Pos", Kind::Edit, Panel::PROFIBUS, N::Profi_Diagnosis_Copy_Array_Position,
         nullptr, true},
        {"CB_PROFIBUS_En_Async_Req", Kind::Check, Panel::PROFIBUS, N::Profi_Enable_Async_Mod_Req},
        {"E_PROFIBUS_Async_Add_In", Kind::Edit, Panel::PROFIBUS, N::Profi_Async_Req_Start_IN,
         "L_PROFIBUS_Async_Add_In"},
        {"E_PROFIBUS_Async_Add_Out", Kind::Edit, Panel::PROFIBUS, N::Profi_Async_Req_Start_OUT,
         "L_PROFIBUS_Async_Add_Out"},
        {"CB_PROFIBUS_Del_Modbus", Kind::Check, Panel::PROFIBUS, N::Del_Modbus_on_PROFI_error, nullptr, false,
         Shown::Without_Ethernet},

        {"E_Ethernet_IP", Kind::Octets, Panel::Ethernet, N::Ethernet_IP1, "L_Ethernet_IP"},
        {"E_Ethernet_SM", Kind::Octets, Panel::Ethernet, N::Ethernet_SM1, "L_Ethernet_SM"},
        {"CB_Ethernet_En_GAT", Kind::Check, Panel::Ethernet, N::Ethernet_EN_GAT},
        {"E_Ethernet_GAT", Kind::Octets, Panel::Ethernet, N::Ethernet_GAT1, nullptr, true},
    };
    std::vector<Field> fields;
    fields.reserve(layout.size());
    for (const Field& field : layout)
        fields.push_back(Completed(field));
    return fields;
}

} // namespace

const std::vector<Field>& Fields() {
    static const std::vector<Field> fields = Build_Fields();
    return fields;
}

QString Panel_Number(Panel panel) {
    return QString::number(static_cast<int>(panel) + 1) + QStringLiteral(". ");
}

int Panel_Caption(Panel panel) {
    switch (panel) {
    case Panel::Hardware_Type:
        return 406;
    case Panel::Modbus_Master:
        return 411;
    case Panel::PROFIBUS:
        return 430;
    case Panel::Ethernet:
        return 457;
    }
    return 406;
}

bool Panel_Shown(Panel panel, bool ethernet) {
    return panel != Panel::Ethernet || ethernet;
}

bool Field_Shown(const Field& field, bool ethernet) {
    switch (field.shown) {
    case Shown::Always:
        return true;
    case Shown::Without_Ethernet:
        return !ethernet;
    case Shown::With_Ethernet:
        return ethernet;
    }
    return true;
}

} // namespace Par_Field
