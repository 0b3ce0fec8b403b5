#include "document/general_params_check.h"

#include "base/int_conversion.h"
#include "base/text_table.h"

#include <array>

namespace {

// The conversion every check uses: a text that is no integer counts as -1.
int Value(const QString& text) {
    return Str_To_Int_Def(text, -1);
}

bool In_Range(const QString& text, int low, int high) {
    const int value = Value(text);
    return value >= low && value <= high;
}

// Message texts of the checks, in the order they run.
namespace Text {
constexpr int Timeout = 474;
constexpr int Cyclic_Delay = 475;
constexpr int Profibus_Id = 476;
constexpr int Bytes_In = 477;
constexpr int Bytes_Out = 478;
constexpr int Continuous_Errors = 479;
constexpr int Copy_Position = 503;   // + bound
constexpr int Error_Address = 495;   // + bound
constexpr int Async_Start_In = 480;  // + bound
constexpr int Async_Start_Out = 481; // + bound
constexpr int Ip_Address_1 = 482;    // to 485
constexpr int Subnet_Mask_1 = 486;   // to 489
constexpr int Gateway_1 = 490;       // to 493
} // namespace Text

// The special pair of asynchronous start addresses the device accepts
// whatever the byte counts.
constexpr int Special_Async_In = 31862;
constexpr int Special_Async_Out = 40571;

// A parameter's failure: no row, the bound if the check computes one.
Check_Failure Failure(int text_index, std::optional<int> bound = std::nullopt) {
    Check_Failure failure;
    failure.Text_Index = text_index;
    failure.Bound = bound;
    return failure;
}

} // namespace

std::optional<Check_Failure> Check_General_Params(const General_Params& v) {
    if (!In_Range(v.Ser_TO, 0, 60000))
        return Failure(Text::Timeout);
    if (!In_Range(v.Ser_CD, 0, 60000))
        return Failure(Text::Cyclic_Delay);
    if (!In_Range(v.Profi_ID, 1, 125))
        return Failure(Text::Profibus_Id);
    if (!In_Range(v.Profi_NB_IN, 0, 244))
        return Failure(Text::Bytes_In);
    if (!In_Range(v.Profi_NB_OUT, 0, 244))
        return Failure(Text::Bytes_Out);

    // Both counts are now between 0 and 244, so the bounds below cannot overflow.
    const int nb_in = Value(v.Profi_NB_IN);
    const int nb_out = Value(v.Profi_NB_OUT);

    if (v.Hardware_Type == 0 && v.Profi_Enable_Error) {
        if (!In_Range(v.Profi_Num_Cont_Err, 1, 250))
            return Failure(Text::Continuous_Errors);
        if (v.Profi_Diagnosis_Copy_Array && !In_Range(v.Profi_Diagnosis_Copy_Array_Position, 0, nb_in - 8))
            return Failure(Text::Copy_Position, nb_in - 8);
    }

    if (v.Hardware_Type != 0 && v.Profi_Enable_Error && !v.Profi_Enable_Diagnosis &&
        !In_Range(v.Profi_Enable_Error_Address, 0, nb_in - 1))
        return Failure(Text::Error_Address, nb_in - 1);

    if (v.Profi_Enable_Async_Mod_Req) {
        const int in = Value(v.Profi_Async_Req_Start_IN);
        const int out = Value(v.Profi_Async_Req_Start_OUT);
        if (!(in == Special_Async_In && out == Special_Async_Out)) {
            // Written as comparisons against the bound so that a large start
            // address cannot overflow the sum.
            if (in < 0 || in > nb_in - 4)
                return Failure(Text::Async_Start_In, nb_in - 4);
            if (out < 0 || out > nb_out - 8)
                return Failure(Text::Async_Start_Out, nb_out - 8);
        }
    }

    const std::array<const QString*, 4> ip = {&v.Ethernet_IP1, &v.Ethernet_IP2, &v.Ethernet_IP3,
                                              &v.Ethernet_IP4};
    for (int i = 0; i < 4; ++i)
        if (!In_Range(*ip[i], 0, 255))
            return Failure(Text::Ip_Address_1 + i);

    const std::array<const QString*, 4> sm = {&v.Ethernet_SM1, &v.Ethernet_SM2, &v.Ethernet_SM3,
                                              &v.Ethernet_SM4};
    for (int i = 0; i < 4; ++i)
        if (!In_Range(*sm[i], 0, 255))
            return Failure(Text::Subnet_Mask_1 + i);

    if (v.Ethernet_EN_GAT) {
        const std::array<const QString*, 4> gat = {&v.Ethernet_GAT1, &v.Ethernet_GAT2, &v.Ethernet_GAT3,
                                                   &v.Ethernet_GAT4};
        for (int i = 0; i < 4; ++i)
            if (!In_Range(*gat[i], 0, 255))
                return Failure(Text::Gateway_1 + i);
    }
    return std::nullopt;
}
