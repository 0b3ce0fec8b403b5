// The elements of ParGen.xml, one entry each, in document order: the one
// place an element is described. Each entry gives the element's name, the
// kind and default of its value, and the rest of its ParGen_Schema::Row (the
// value list, the caption and hint texts, where the editor shows it).
//
// A list of the elements is made by defining the three macros and including
// this file (no include guard: every inclusion makes one list):
//   PARGEN_INDEX(Name, Default, ...)  a position in a fixed list (int)
//   PARGEN_FLAG(Name, Default, ...)   on or off (bool)
//   PARGEN_TEXT(Name, "Default", ...) a number kept as the user typed it (QString)
// general_params.h makes the record's members from it, pargen_names.h the
// element names, pargen_schema.cpp the schema rows.

// 0 without Ethernet, 1 with Ethernet.
PARGEN_INDEX(Hardware_Type, 0, .Value_Texts = {408, 409}, .Caption = 407, .Hint = 410,
             .Control = "CB_HardwareType_HardwareType", .Panel = Panel::Hardware_Type,
             .Label = "L_HardwareType_HardwareType")

PARGEN_INDEX(Ser_Type, 0, .Values = {"RS232", "RS485"}, .Caption = 412, .Hint = 413,
             .Control = "CB_ModbusMaster_Serial", .Panel = Panel::Modbus_Master,
             .Label = "L_ModbusMaster_Serial")
PARGEN_INDEX(Ser_Baud, 7, .Values = {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"},
             .Caption = 414, .Hint = 415, .Control = "CB_ModbusMaster_Baudrate",
             .Panel = Panel::Modbus_Master, .Label = "L_ModbusMaster_Baudrate")
PARGEN_INDEX(Ser_Par, 0, .Values = {"NONE", "EVEN", "ODD"}, .Caption = 416, .Hint = 417,
             .Control = "CB_ModbusMaster_Parity", .Panel = Panel::Modbus_Master,
             .Label = "L_ModbusMaster_Parity")
PARGEN_INDEX(Ser_StopBits, 0, .Values = {"1 Stop Bit", "2 Stop Bits"}, .Caption = 418, .Hint = 419,
             .Control = "CB_ModbusMaster_StopBits", .Panel = Panel::Modbus_Master,
             .Label = "L_ModbusMaster_StopBits")
PARGEN_INDEX(Ser_DataBits, 1, .Values = {"7 Data Bits", "8 Data Bits"}, .Caption = 498, .Hint = 499,
             .Control = "CB_ModbusMaster_DataBits", .Panel = Panel::Modbus_Master,
             .Label = "L_ModbusMaster_DataBits", .Shown = Shown::Without_Ethernet)
PARGEN_TEXT(Ser_TO, "1000", .Caption = 420, .Hint = 421, .Control = "E_ModbusMaster_TimeOut",
            .Panel = Panel::Modbus_Master, .Label = "L_ModbusMaster_TimeOut")
PARGEN_TEXT(Ser_CD, "100", .Caption = 422, .Hint = 423, .Control = "E_ModbusMaster_CyclicDelay",
            .Panel = Panel::Modbus_Master, .Label = "L_ModbusMaster_CyclicDelay")
PARGEN_INDEX(Ser_Prot, 0, .Values = {"Modbus RTU", "Modbus ASCII", "JBUS", "Binary", "ASCII"}, .Caption = 424,
             .Hint = 425, .Control = "CB_ModbusMaster_Protocol", .Panel = Panel::Modbus_Master,
             .Label = "L_ModbusMaster_Protocol", .Shown = Shown::Without_Ethernet)
// 0 write on change, 1 cyclic write.
PARGEN_INDEX(Ser_Write_Mode, 0, .Value_Texts = {427, 428}, .Caption = 426, .Hint = 429,
             .Control = "CB_ModbusMaster_WriteType", .Panel = Panel::Modbus_Master,
             .Label = "L_ModbusMaster_WriteType", .Shown = Shown::Without_Ethernet)
PARGEN_FLAG(Ser_Enable_Modbus_PROFIBUS_Active, false, .Caption = 496, .Hint = 497,
            .Control = "CB_ModbusMaster_En_Modbus_On_PROFIBUS", .Panel = Panel::Modbus_Master)

PARGEN_TEXT(Profi_ID, "1", .Caption = 431, .Hint = 432, .Control = "E_PROFIBUS_ID_Device",
            .Panel = Panel::PROFIBUS, .Label = "L_PROFIBUS_ID_Device")
// The device finds the PROFIBUS baud rate by itself: the list only shows it,
// "Auto Baudrate", whatever the document holds.
PARGEN_INDEX(Profi_Baud, 10,
             .Values = {"9600", "19200", "45.45K", "93.75K", "187.5K", "500K", "1.5M", "3.0M", "6.0M", "12M",
                        "Auto Baudrate"},
             .Fixed_Index = 10, .Caption = 433, .Hint = 434, .Control = "CB_PROFIBUS_Baud",
             .Panel = Panel::PROFIBUS, .Label = "L_PROFIBUS_Baud")
PARGEN_TEXT(Profi_NB_IN, "244", .Caption = 435, .Hint = 436, .Control = "E_PROFIBUS_NByte_In",
            .Panel = Panel::PROFIBUS, .Label = "L_PROFIBUS_NByte_In")
PARGEN_TEXT(Profi_NB_OUT, "244", .Caption = 437, .Hint = 438, .Control = "E_PROFIBUS_NByte_Out",
            .Panel = Panel::PROFIBUS, .Label = "L_PROFIBUS_NByte_Out")
PARGEN_FLAG(Profi_Enable_Error, false, .Caption = 439, .Hint = 440, .Control = "CB_PROFIBUS_En_Err_Diagnosis",
            .Panel = Panel::PROFIBUS)
PARGEN_TEXT(Profi_Num_Cont_Err, "3", .Caption = 441, .Hint = 442, .Control = "E_PROFIBUS_Err_Num_Count",
            .Panel = Panel::PROFIBUS, .Label = "L_PROFIBUS_Err_Num_Count", .Shown = Shown::Without_Ethernet)
PARGEN_FLAG(Profi_Enable_Diagnosis, false, .Caption = 443, .Hint = 444,
            .Control = "CB_PROFIBUS_Err_En_Diagnosis", .Panel = Panel::PROFIBUS)
PARGEN_FLAG(Profi_Enable_Cancel_Data, false, .Caption = 445, .Hint = 446,
            .Control = "CB_PROFIBUS_Err_En_Cancel_Data", .Panel = Panel::PROFIBUS,
            .Shown = Shown::Without_Ethernet)
PARGEN_FLAG(Profi_Diagnosis_Zero, false, .Caption = 447, .Hint = 448,
            .Control = "CB_PROFIBUS_Err_En_Set_To_Zero", .Panel = Panel::PROFIBUS,
            .Shown = Shown::Without_Ethernet)
PARGEN_FLAG(Profi_Diagnosis_Copy_Array, false, .Caption = 500, .Hint = 501,
            .Control = "CB_PROFIBUS_Err_En_Copy_Data", .Panel = Panel::PROFIBUS,
            .Shown = Shown::Without_Ethernet)
PARGEN_TEXT(Profi_Diagnosis_Copy_Array_Position, "100", .Hint = 502, .Control = "E_PROFIBUS_Err_En_Copy_Pos",
            .Panel = Panel::PROFIBUS, .Beside = Par_Gen::Profi_Diagnosis_Copy_Array)
PARGEN_FLAG(Profi_Enable_Async_Mod_Req, false, .Caption = 449, .Hint = 450,
            .Control = "CB_PROFIBUS_En_Async_Req", .Panel = Panel::PROFIBUS)
PARGEN_TEXT(Profi_Async_Req_Start_IN, "0", .Caption = 451, .Hint = 452, .Control = "E_PROFIBUS_Async_Add_In",
            .Panel = Panel::PROFIBUS, .Label = "L_PROFIBUS_Async_Add_In")
PARGEN_TEXT(Profi_Async_Req_Start_OUT, "0", .Caption = 453, .Hint = 454,
            .Control = "E_PROFIBUS_Async_Add_Out", .Panel = Panel::PROFIBUS,
            .Label = "L_PROFIBUS_Async_Add_Out")
PARGEN_FLAG(Del_Modbus_on_PROFI_error, false, .Caption = 455, .Hint = 456,
            .Control = "CB_PROFIBUS_Del_Modbus", .Panel = Panel::PROFIBUS, .Shown = Shown::Without_Ethernet)
PARGEN_TEXT(Profi_Enable_Error_Address, "0", .Hint = 494, .Control = "E_PROFIBUS_Diagnosis_Address",
            .Panel = Panel::PROFIBUS, .Beside = Par_Gen::Profi_Enable_Error, .Shown = Shown::With_Ethernet)

PARGEN_TEXT(Ethernet_IP1, "192", .Caption = 458, .Hint = 459, .Control = "E_Ethernet_IP",
            .Panel = Panel::Ethernet, .Label = "L_Ethernet_IP", .Octets = true)
PARGEN_TEXT(Ethernet_IP2, "168", .Caption = 458, .Hint = 460)
PARGEN_TEXT(Ethernet_IP3, "0", .Caption = 458, .Hint = 461)
PARGEN_TEXT(Ethernet_IP4, "10", .Caption = 458, .Hint = 462)
PARGEN_TEXT(Ethernet_SM1, "255", .Caption = 463, .Hint = 464, .Control = "E_Ethernet_SM",
            .Panel = Panel::Ethernet, .Label = "L_Ethernet_SM", .Octets = true)
PARGEN_TEXT(Ethernet_SM2, "255", .Caption = 463, .Hint = 465)
PARGEN_TEXT(Ethernet_SM3, "255", .Caption = 463, .Hint = 466)
PARGEN_TEXT(Ethernet_SM4, "0", .Caption = 463, .Hint = 467)
PARGEN_TEXT(Ethernet_GAT1, "192", .Hint = 470, .Control = "E_Ethernet_GAT", .Panel = Panel::Ethernet,
            .Beside = Par_Gen::Ethernet_EN_GAT, .Octets = true)
PARGEN_TEXT(Ethernet_GAT2, "168", .Hint = 471)
PARGEN_TEXT(Ethernet_GAT3, "0", .Hint = 472)
PARGEN_TEXT(Ethernet_GAT4, "1", .Hint = 473)
PARGEN_FLAG(Ethernet_EN_GAT, false, .Caption = 468, .Hint = 469, .Control = "CB_Ethernet_En_GAT",
            .Panel = Panel::Ethernet)
