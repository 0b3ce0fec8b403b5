#include "document/pargen_schema.h"

#include "document/pargen_names.h"

#include <QtGlobal>

namespace ParGen_Schema {

namespace {

using P = General_Params;
namespace N = Par_Gen;

std::vector<Row> Build_Rows() {
    using Par_Field::Panel;
    using Par_Field::Shown;
    return {
        {.Element = N::Hardware_Type,
         .Member = &P::Hardware_Type,
         .Value_Texts = {408, 409},
         .Caption = 407,
         .Hint = 410,
         .Control = "CB_HardwareType_HardwareType",
         .Panel = Panel::Hardware_Type,
         .Label = "L_HardwareType_HardwareType"},

        {.Element = N::Ser_Type,
         .Member = &P::Ser_Type,
         .Values = {"RS232", "RS485"},
         .Caption = 412,
         .Hint = 413,
         .Control = "CB_ModbusMaster_Serial",
         .Panel = Panel::Modbus_Master,
         .Label = "L_ModbusMaster_Serial"},
        {.Element = N::Ser_Baud,
         .Member = &P::Ser_Baud,
         .Values = {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"},
         .Caption = 414,
         .Hint = 415,
         .Control = "CB_ModbusMaster_Baudrate",
         .Panel = Panel::Modbus_Master,
         .Label = "L_ModbusMaster_Baudrate"},
        {.Element = N::Ser_Par,
         .Member = &P::Ser_Par,
         .Values = {"NONE", "EVEN", "ODD"},
         .Caption = 416,
         .Hint = 417,
         .Control = "CB_ModbusMaster_Parity",
         .Panel = Panel::Modbus_Master,
         .Label = "L_ModbusMaster_Parity"},
        {.Element = N::Ser_StopBits,
         .Member = &P::Ser_StopBits,
         .Values = {"1 Stop Bit", "2 Stop Bits"},
         .Caption = 418,
         .Hint = 419,
         .Control = "CB_ModbusMaster_StopBits",
         .Panel = Panel::Modbus_Master,
         .Label = "L_ModbusMaster_StopBits"},
        {.Element = N::Ser_DataBits,
         .Member = &P::Ser_DataBits,
         .Values = {"7 Data Bits", "8 Data Bits"},
         .Caption = 498,
         .Hint = 499,
         .Control = "CB_ModbusMaster_DataBits",
         .Panel = Panel::Modbus_Master,
         .Label = "L_ModbusMaster_DataBits",
         .Shown = Shown::Without_Ethernet},
        {.Element = N::Ser_TO,
         .Member = &P::Ser_TO,
         .Caption = 420,
         .Hint = 421,
         .Control = "E_ModbusMaster_TimeOut",
         .Panel = Panel::Modbus_Master,
         .Label = "L_ModbusMaster_TimeOut"},
        {.Element = N::Ser_CD,
         .Member = &P::Ser_CD,
         .Caption = 422,
         .Hint = 423,
         .Control = "E_ModbusMaster_CyclicDelay",
         .Panel = Panel::Modbus_Master,
         .Label = "L_ModbusMaster_CyclicDelay"},
        {.Element = N::Ser_Prot,
         .Member = &P::Ser_Prot,
         .Values = {"Modbus RTU", "Modbus ASCII", "JBUS", "Binary", "ASCII"},
         .Caption = 424,
         .Hint = 425,
         .Control = "CB_ModbusMaster_Protocol",
         .Panel = Panel::Modbus_Master,
         .Label = "L_ModbusMaster_Protocol",
         .Shown = Shown::Without_Ethernet},
        {.Element = N::Ser_Write_Mode,
         .Member = &P::Ser_Write_Mode,
         .Value_Texts = {427, 428},
         .Caption = 426,
         .Hint = 429,
         .Control = "CB_ModbusMaster_WriteType",
         .Panel = Panel::Modbus_Master,
         .Label = "L_ModbusMaster_WriteType",
         .Shown = Shown::Without_Ethernet},
        {.Element = N::Ser_Enable_Modbus_PROFIBUS_Active,
         .Member = &P::Ser_Enable_Modbus_PROFIBUS_Active,
         .Caption = 496,
         .Hint = 497,
         .Control = "CB_ModbusMaster_En_Modbus_On_PROFIBUS",
         .Panel = Panel::Modbus_Master},

        {.Element = N::Profi_ID,
         .Member = &P::Profi_ID,
         .Caption = 431,
         .Hint = 432,
         .Control = "E_PROFIBUS_ID_Device",
         .Panel = Panel::PROFIBUS,
         .Label = "L_PROFIBUS_ID_Device"},
        // The device finds the PROFIBUS baud rate by itself: the list only
        // shows it, whatever the document holds.
        {.Element = N::Profi_Baud,
         .Member = &P::Profi_Baud,
         .Values = {"9600", "19200", "45.45K", "93.75K", "187.5K", "500K", "1.5M", "3.0M", "6.0M", "12M",
                    "Auto Baudrate"},
         .Fixed_Index = 10,
         .Caption = 433,
         .Hint = 434,
         .Control = "CB_PROFIBUS_Baud",
         .Panel = Panel::PROFIBUS,
         .Label = "L_PROFIBUS_Baud"},
        {.Element = N::Profi_NB_IN,
         .Member = &P::Profi_NB_IN,
         .Caption = 435,
         .Hint = 436,
         .Control = "E_PROFIBUS_NByte_In",
         .Panel = Panel::PROFIBUS,
         .Label = "L_PROFIBUS_NByte_In"},
        {.Element = N::Profi_NB_OUT,
         .Member = &P::Profi_NB_OUT,
         .Caption = 437,
         .Hint = 438,
         .Control = "E_PROFIBUS_NByte_Out",
         .Panel = Panel::PROFIBUS,
         .Label = "L_PROFIBUS_NByte_Out"},
        {.Element = N::Profi_Enable_Error,
         .Member = &P::Profi_Enable_Error,
         .Caption = 439,
         .Hint = 440,
         .Control = "CB_PROFIBUS_En_Err_Diagnosis",
         .Panel = Panel::PROFIBUS},
        {.Element = N::Profi_Num_Cont_Err,
         .Member = &P::Profi_Num_Cont_Err,
         .Caption = 441,
         .Hint = 442,
         .Control = "E_PROFIBUS_Err_Num_Count",
         .Panel = Panel::PROFIBUS,
         .Label = "L_PROFIBUS_Err_Num_Count",
         .Shown = Shown::Without_Ethernet},
        {.Element = N::Profi_Enable_Diagnosis,
         .Member = &P::Profi_Enable_Diagnosis,
         .Caption = 443,
         .Hint = 444,
         .Control = "CB_PROFIBUS_Err_En_Diagnosis",
         .Panel = Panel::PROFIBUS},
        {.Element = N::Profi_Enable_Cancel_Data,
         .Member = &P::Profi_Enable_Cancel_Data,
         .Caption = 445,
         .Hint = 446,
         .Control = "CB_PROFIBUS_Err_En_Cancel_Data",
         .Panel = Panel::PROFIBUS,
         .Shown = Shown::Without_Ethernet},
        {.Element = N::Profi_Diagnosis_Zero,
         .Member = &P::Profi_Diagnosis_Zero,
         .Caption = 447,
         .Hint = 448,
         .Control = "CB_PROFIBUS_Err_En_Set_To_Zero",
         .Panel = Panel::PROFIBUS,
         .Shown = Shown::Without_Ethernet},
        {.Element = N::Profi_Diagnosis_Copy_Array,
         .Member = &P::Profi_Diagnosis_Copy_Array,
         .Caption = 500,
         .Hint = 501,
         .Control = "CB_PROFIBUS_Err_En_Copy_Data",
         .Panel = Panel::PROFIBUS,
         .Shown = Shown::Without_Ethernet},
        {.Element = N::Profi_Diagnosis_Copy_Array_Position,
         .Member = &P::Profi_Diagnosis_Copy_Array_Position,
         .Hint = 502,
         .Control = "E_PROFIBUS_Err_En_Copy_Pos",
         .Panel = Panel::PROFIBUS,
         .Beside = N::Profi_Diagnosis_Copy_Array},
        {.Element = N::Profi_Enable_Async_Mod_Req,
         .Member = &P::Profi_Enable_Async_Mod_Req,
         .Caption = 449,
         .Hint = 450,
         .Control = "CB_PROFIBUS_En_Async_Req",
         .Panel = Panel::PROFIBUS},
        {.Element = N::Profi_Async_Req_Start_IN,
         .Member = &P::Profi_Async_Req_Start_IN,
         .Caption = 451,
         .Hint = 452,
         .Control = "E_PROFIBUS_Async_Add_In",
         .Panel = Panel::PROFIBUS,
         .Label = "L_PROFIBUS_Async_Add_In"},
        {.Element = N::Profi_Async_Req_Start_OUT,
         .Member = &P::Profi_Async_Req_Start_OUT,
         .Caption = 453,
         .Hint = 454,
         .Control = "E_PROFIBUS_Async_Add_Out",
         .Panel = Panel::PROFIBUS,
         .Label = "L_PROFIBUS_Async_Add_Out"},
        {.Element = N::Del_Modbus_on_PROFI_error,
         .Member = &P::Del_Modbus_on_PROFI_error,
         .Caption = 455,
         .Hint = 456,
         .Control = "CB_PROFIBUS_Del_Modbus",
         .Panel = Panel::PROFIBUS,
         .Shown = Shown::Without_Ethernet},
        {.Element = N::Profi_Enable_Error_Address,
         .Member = &P::Profi_Enable_Error_Address,
         .Hint = 494,
         .Control = "E_PROFIBUS_Diagnosis_Address",
         .Panel = Panel::PROFIBUS,
         .Beside = N::Profi_Enable_Error,
         .Shown = Shown::With_Ethernet},

        {.Element = N::Ethernet_IP1,
         .Member = &P::Ethernet_IP1,
         .Caption = 458,
         .Hint = 459,
         .Control = "E_Ethernet_IP",
         .Panel = Panel::Ethernet,
         .Label = "L_Ethernet_IP",
         .Octets = true},
        {.Element = N::Ethernet_IP2, .Member = &P::Ethernet_IP2, .Caption = 458, .Hint = 460},
        {.Element = N::Ethernet_IP3, .Member = &P::Ethernet_IP3, .Caption = 458, .Hint = 461},
        {.Element = N::Ethernet_IP4, .Member = &P::Ethernet_IP4, .Caption = 458, .Hint = 462},
        {.Element = N::Ethernet_SM1,
         .Member = &P::Ethernet_SM1,
         .Caption = 463,
         .Hint = 464,
         .Control = "E_Ethernet_SM",
         .Panel = Panel::Ethernet,
         .Label = "L_Ethernet_SM",
         .Octets = true},
        {.Element = N::Ethernet_SM2, .Member = &P::Ethernet_SM2, .Caption = 463, .Hint = 465},
        {.Element = N::Ethernet_SM3, .Member = &P::Ethernet_SM3, .Caption = 463, .Hint = 466},
        {.Element = N::Ethernet_SM4, .Member = &P::Ethernet_SM4, .Caption = 463, .Hint = 467},
        {.Element = N::Ethernet_GAT1,
         .Member = &P::Ethernet_GAT1,
         .Hint = 470,
         .Control = "E_Ethernet_GAT",
         .Panel = Panel::Ethernet,
         .Beside = N::Ethernet_EN_GAT,
         .Octets = true},
        {.Element = N::Ethernet_GAT2, .Member = &P::Ethernet_GAT2, .Hint = 471},
        {.Element = N::Ethernet_GAT3, .Member = &P::Ethernet_GAT3, .Hint = 472},
        {.Element = N::Ethernet_GAT4, .Member = &P::Ethernet_GAT4, .Hint = 473},
        {.Element = N::Ethernet_EN_GAT,
         .Member = &P::Ethernet_EN_GAT,
         .Caption = 468,
         .Hint = 469,
         .Control = "CB_Ethernet_En_GAT",
         .Panel = Panel::Ethernet},
    };
}

} // namespace

const std::vector<Row>& Rows() {
    static const std::vector<Row> rows = Build_Rows();
    return rows;
}

const Row* Find_Row(QStringView element) {
    for (const Row& row : Rows())
        if (row.Element == element)
            return &row;
    return nullptr;
}

const Row* Find_Row(QLatin1StringView element) {
    for (const Row& row : Rows())
        if (row.Element == element)
            return &row;
    return nullptr;
}

const Row& Row_Of(QLatin1StringView element) {
    const Row* row = Find_Row(element);
    if (!row)
        qFatal("%s is no element of the general parameters", element.data());
    return *row;
}

int Serial_Baud_Rate(int index) {
    return Row_Of(Par_Gen::Ser_Baud).Values.value(index).toInt();
}

int Serial_Baud_Rate_Count() {
    return int(Row_Of(Par_Gen::Ser_Baud).Values.size());
}

} // namespace ParGen_Schema
