#include "config/general_params_fields.h"

namespace Par_Field {

namespace {

using P = General_Params;

std::vector<Field> Build_Fields() {
    return {
        {.name = "CB_HardwareType_HardwareType",
         .kind = Kind::List,
         .panel = Panel::Hardware_Type,
         .label = "L_HardwareType_HardwareType",
         .caption = 407,
         .hint = 410,
         .index = &P::Hardware_Type,
         .item_texts = {Text::Without_Ethernet, Text::With_Ethernet}},

        {.name = "CB_ModbusMaster_Serial",
         .kind = Kind::List,
         .panel = Panel::Modbus_Master,
         .label = "L_ModbusMaster_Serial",
         .caption = 412,
         .hint = 413,
         .index = &P::Ser_Type,
         .items = {"RS232", "RS485"}},
        {.name = "CB_ModbusMaster_Baudrate",
         .kind = Kind::List,
         .panel = Panel::Modbus_Master,
         .label = "L_ModbusMaster_Baudrate",
         .caption = 414,
         .hint = 415,
         .index = &P::Ser_Baud,
         .items = {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"}},
        {.name = "CB_ModbusMaster_Parity",
         .kind = Kind::List,
         .panel = Panel::Modbus_Master,
         .label = "L_ModbusMaster_Parity",
         .caption = 416,
         .hint = 417,
         .index = &P::Ser_Par,
         .items = {"NONE", "EVEN", "ODD"}},
        {.name = "CB_ModbusMaster_StopBits",
         .kind = Kind::List,
         .panel = Panel::Modbus_Master,
         .label = "L_ModbusMaster_StopBits",
         .caption = 418,
         .hint = 419,
         .index = &P::Ser_StopBits,
         .items = {"1 Stop Bit", "2 Stop Bits"}},
        {.name = "CB_ModbusMaster_DataBits",
         .kind = Kind::List,
         .panel = Panel::Modbus_Master,
         .label = "L_ModbusMaster_DataBits",
         .caption = 498,
         .hint = 499,
         .index = &P::Ser_DataBits,
         .items = {"7 Data Bits", "8 Data Bits"},
         .shown = Shown::Without_Ethernet},
        {.name = "E_ModbusMaster_TimeOut",
         .kind = Kind::Edit,
         .panel = Panel::Modbus_Master,
         .label = "L_ModbusMaster_TimeOut",
         .caption = 420,
         .hint = 421,
         .text = &P::Ser_TO},
        {.name = "E_ModbusMaster_CyclicDelay",
         .kind = Kind::Edit,
         .panel = Panel::Modbus_Master,
         .label = "L_ModbusMaster_CyclicDelay",
         .caption = 422,
         .hint = 423,
         .text = &P::Ser_CD},
        {.name = "CB_ModbusMaster_Protocol",
         .kind = Kind::List,
         .panel = Panel::Modbus_Master,
         .label = "L_ModbusMaster_Protocol",
         .caption = 424,
         .hint = 425,
         .index = &P::Ser_Prot,
         .items = {"Modbus RTU", "Modbus ASCII", "JBUS", "Binary", "ASCII"},
         .shown = Shown::Without_Ethernet},
        {.name = "CB_ModbusMaster_WriteType",
         .kind = Kind::List,
         .panel = Panel::Modbus_Master,
         .label = "L_ModbusMaster_WriteType",
         .caption = 426,
         .hint = 429,
         .index = &P::Ser_Write_Mode,
         .item_texts = {427, 428},
         .shown = Shown::Without_Ethernet},
        {.name = "CB_ModbusMaster_En_Modbus_On_PROFIBUS",
         .kind = Kind::Check,
         .panel = Panel::Modbus_Master,
         .caption = 496,
         .hint = 497,
         .flag = &P::Ser_Enable_Modbus_PROFIBUS_Active},

        {.name = "E_PROFIBUS_ID_Device",
         .kind = Kind::Edit,
         .panel = Panel::PROFIBUS,
         .label = "L_PROFIBUS_ID_Device",
         .caption = 431,
         .hint = 432,
         .text = &P::Profi_ID},
        // The device finds the PROFIBUS baud rate by itself: the list only
        // shows it, whatever the document holds.
        {.name = "CB_PROFIBUS_Baud",
         .kind = Kind::List,
         .panel = Panel::PROFIBUS,
         .label = "L_PROFIBUS_Baud",
         .caption = 433,
         .hint = 434,
         .index = &P::Profi_Baud,
         .items = {"9600", "19200", "45.45K", "93.75K", "187.5K", "500K", "1.5M", "3.0M", "6.0M", "12M",
                   "Auto Baudrate"},
         .fixed_index = 10},
        {.name = "E_PROFIBUS_NByte_In",
         .kind = Kind::Edit,
         .panel = Panel::PROFIBUS,
         .label = "L_PROFIBUS_NByte_In",
         .caption = 435,
         .hint = 436,
         .text = &P::Profi_NB_IN},
        {.name = "E_PROFIBUS_NByte_Out",
         .kind = Kind::Edit,
         .panel = Panel::PROFIBUS,
         .label = "L_PROFIBUS_NByte_Out",
         .caption = 437,
         .hint = 438,
         .text = &P::Profi_NB_OUT},
        {.name = "CB_PROFIBUS_En_Err_Diagnosis",
         .kind = Kind::Check,
         .panel = Panel::PROFIBUS,
         .caption = 439,
         .hint = 440,
         .flag = &P::Profi_Enable_Error},
        {.name = "E_PROFIBUS_Diagnosis_Address",
         .kind = Kind::Edit,
         .panel = Panel::PROFIBUS,
         .hint = 494,
         .text = &P::Profi_Enable_Error_Address,
         .beside = true,
         .shown = Shown::With_Ethernet},
        {.name = "E_PROFIBUS_Err_Num_Count",
         .kind = Kind::Edit,
         .panel = Panel::PROFIBUS,
         .label = "L_PROFIBUS_Err_Num_Count",
         .caption = 441,
         .hint = 442,
         .text = &P::Profi_Num_Cont_Err,
         .shown = Shown::Without_Ethernet},
        {.name = "CB_PROFIBUS_Err_En_Diagnosis",
         .kind = Kind::Check,
         .panel = Panel::PROFIBUS,
         .caption = 443,
         .hint = 444,
         .flag = &P::Profi_Enable_Diagnosis},
        {.name = "CB_PROFIBUS_Err_En_Cancel_Data",
         .kind = Kind::Check,
         .panel = Panel::PROFIBUS,
         .caption = 445,
         .hint = 446,
         .flag = &P::Profi_Enable_Cancel_Data,
         .shown = Shown::Without_Ethernet},
        {.name = "CB_PROFIBUS_Err_En_Set_To_Zero",
         .kind = Kind::Check,
         .panel = Panel::PROFIBUS,
         .caption = 447,
         .hint = 448,
         .flag = &P::Profi_Diagnosis_Zero,
         .shown = Shown::Without_Ethernet},
        {.name = "CB_PROFIBUS_Err_En_Copy_Data",
         .kind = Kind::Check,
         .panel = Panel::PROFIBUS,
         .caption = 500,
         .hint = 501,
         .flag = &P::Profi_Diagnosis_Copy_Array,
         .shown = Shown::Without_Ethernet},
        {.name = "E_PROFIBUS_Err_En_Copy_Pos",
         .kind = Kind::Edit,
         .panel = Panel::PROFIBUS,
         .hint = 502,
         .text = &P::Profi_Diagnosis_Copy_Array_Position,
         .beside = true},
        {.name = "CB_PROFIBUS_En_Async_Req",
         .kind = Kind::Check,
         .panel = Panel::PROFIBUS,
         .caption = 449,
         .hint = 450,
         .flag = &P::Profi_Enable_Async_Mod_Req},
        {.name = "E_PROFIBUS_Async_Add_In",
         .kind = Kind::Edit,
         .panel = Panel::PROFIBUS,
         .label = "L_PROFIBUS_Async_Add_In",
         .caption = 451,
         .hint = 452,
         .text = &P::Profi_Async_Req_Start_IN},
        {.name = "E_PROFIBUS_Async_Add_Out",
         .kind = Kind::Edit,
         .panel = Panel::PROFIBUS,
         .label = "L_PROFIBUS_Async_Add_Out",
         .caption = 453,
         .hint = 454,
         .text = &P::Profi_Async_Req_Start_OUT},
        {.name = "CB_PROFIBUS_Del_Modbus",
         .kind = Kind::Check,
         .panel = Panel::PROFIBUS,
         .caption = 455,
         .hint = 456,
         .flag = &P::Del_Modbus_on_PROFI_error,
         .shown = Shown::Without_Ethernet},

        {.name = "E_Ethernet_IP",
         .kind = Kind::Octets,
         .panel = Panel::Ethernet,
         .label = "L_Ethernet_IP",
         .caption = 458,
         .hint = 459,
         .octets = {&P::Ethernet_IP1, &P::Ethernet_IP2, &P::Ethernet_IP3, &P::Ethernet_IP4}},
        {.name = "E_Ethernet_SM",
         .kind = Kind::Octets,
         .panel = Panel::Ethernet,
         .label = "L_Ethernet_SM",
         .caption = 463,
         .hint = 464,
         .octets = {&P::Ethernet_SM1, &P::Ethernet_SM2, &P::Ethernet_SM3, &P::Ethernet_SM4}},
        {.name = "CB_Ethernet_En_GAT",
         .kind = Kind::Check,
         .panel = Panel::Ethernet,
         .caption = 468,
         .hint = 469,
         .flag = &P::Ethernet_EN_GAT},
        {.name = "E_Ethernet_GAT",
         .kind = Kind::Octets,
         .panel = Panel::Ethernet,
         .hint = 470,
         .octets = {&P::Ethernet_GAT1, &P::Ethernet_GAT2, &P::Ethernet_GAT3, &P::Ethernet_GAT4},
         .beside = true},
    };
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
