#pragma once

#include "base/document_files.h"

#include <QString>

// The names of the general parameters document ParGen.xml: the file, its root
// element and its 40 elements, in document order. Every reader and writer of
// the document spells them from here.
namespace Par_Gen {

inline constexpr QLatin1StringView File_Name = Document_File::ParGen;
inline constexpr QLatin1StringView Root{"Par_Gen"};

inline constexpr QLatin1StringView Hardware_Type{"Hardware_Type"};
inline constexpr QLatin1StringView Ser_Type{"Ser_Type"};
inline constexpr QLatin1StringView Ser_Baud{"Ser_Baud"};
inline constexpr QLatin1StringView Ser_Par{"Ser_Par"};
inline constexpr QLatin1StringView Ser_StopBits{"Ser_StopBits"};
inline constexpr QLatin1StringView Ser_DataBits{"Ser_DataBits"};
inline constexpr QLatin1StringView Ser_TO{"Ser_TO"};
inline constexpr QLatin1StringView Ser_CD{"Ser_CD"};
inline constexpr QLatin1StringView Ser_Prot{"Ser_Prot"};
inline constexpr QLatin1StringView Ser_Write_Mode{"Ser_Write_Mode"};
inline constexpr QLatin1StringView Ser_Enable_Modbus_PROFIBUS_Active{"Ser_Enable_Modbus_PROFIBUS_Active"};
inline constexpr QLatin1StringView Profi_ID{"Profi_ID"};
inline constexpr QLatin1StringView Profi_Baud{"Profi_Baud"};
inline constexpr QLatin1StringView Profi_NB_IN{"Profi_NB_IN"};
inline constexpr QLatin1StringView Profi_NB_OUT{"Profi_NB_OUT"};
inline constexpr QLatin1StringView Profi_Enable_Error{"Profi_Enable_Error"};
inline constexpr QLatin1StringView Profi_Num_Cont_Err{"Profi_Num_Cont_Err"};
inline constexpr QLatin1StringView Profi_Enable_Diagnosis{"Profi_Enable_Diagnosis"};
inline constexpr QLatin1StringView Profi_Enable_Cancel_Data{"Profi_Enable_Cancel_Data"};
inline constexpr QLatin1StringView Profi_Diagnosis_Zero{"Profi_Diagnosis_Zero"};
inline constexpr QLatin1StringView Profi_Diagnosis_Copy_Array{"Profi_Diagnosis_Copy_Array"};
inline constexpr QLatin1StringView Profi_Diagnosis_Copy_Array_Position{"Profi_Diagnosis_Copy_Array_Position"};
inline constexpr QLatin1StringView Profi_Enable_Async_Mod_Req{"Profi_Enable_Async_Mod_Req"};
inline constexpr QLatin1StringView Profi_Async_Req_Start_IN{"Profi_Async_Req_Start_IN"};
inline constexpr QLatin1StringView Profi_Async_Req_Start_OUT{"Profi_Async_Req_Start_OUT"};
inline constexpr QLatin1StringView Del_Modbus_on_PROFI_error{"Del_Modbus_on_PROFI_error"};
inline constexpr QLatin1StringView Profi_Enable_Error_Address{"Profi_Enable_Error_Address"};
inline constexpr QLatin1StringView Ethernet_IP1{"Ethernet_IP1"};
inline constexpr QLatin1StringView Ethernet_IP2{"Ethernet_IP2"};
inline constexpr QLatin1StringView Ethernet_IP3{"Ethernet_IP3"};
inline constexpr QLatin1StringView Ethernet_IP4{"Ethernet_IP4"};
inline constexpr QLatin1StringView Ethernet_SM1{"Ethernet_SM1"};
inline constexpr QLatin1StringView Ethernet_SM2{"Ethernet_SM2"};
inline constexpr QLatin1StringView Ethernet_SM3{"Ethernet_SM3"};
inline constexpr QLatin1StringView Ethernet_SM4{"Ethernet_SM4"};
inline constexpr QLatin1StringView Ethernet_GAT1{"Ethernet_GAT1"};
inline constexpr QLatin1StringView Ethernet_GAT2{"Ethernet_GAT2"};
inline constexpr QLatin1StringView Ethernet_GAT3{"Ethernet_GAT3"};
inline constexpr QLatin1StringView Ethernet_GAT4{"Ethernet_GAT4"};
inline constexpr QLatin1StringView Ethernet_EN_GAT{"Ethernet_EN_GAT"};

} // namespace Par_Gen
