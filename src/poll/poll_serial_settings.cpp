#include "poll/poll_serial_settings.h"

#include "base/int_conversion.h"
#include "base/text_table.h"
#include "document/general_params.h"
#include "document/pargen_names.h"
#include "document/pargen_schema.h"

#include <QStringList>

namespace {

QString Value_Name(QLatin1StringView element, int index) {
    const QStringList& values = ParGen_Schema::Row_Of(element).Values;
    return index >= 0 && index < values.size() ? values[index] : QString();
}

Poll_Settings_Failure Bad_Setting(QLatin1StringView element, const QString& text) {
    return {998, element + QStringLiteral(" = ") + text};
}

} // namespace

QString Protocol_Name(int ser_prot) {
    return Value_Name(Par_Gen::Ser_Prot, ser_prot);
}

QString Parity_Name(int parity) {
    return Value_Name(Par_Gen::Ser_Par, parity);
}

std::optional<Poll_Settings_Failure> Poll_Settings_From(const General_Params& params,
                                                        Poll_Serial_Settings& settings) {
    if (params.Ser_Prot == 1 || params.Ser_Prot == 3 || params.Ser_Prot == 4)
        return Poll_Settings_Failure{994, Protocol_Name(params.Ser_Prot)};
    if (params.Ser_Prot != 0 && params.Ser_Prot != 2)
        return Bad_Setting(Par_Gen::Ser_Prot, QString::number(params.Ser_Prot));
    if (params.Ser_Baud < 0 || params.Ser_Baud >= ParGen_Schema::Serial_Baud_Rate_Count())
        return Bad_Setting(Par_Gen::Ser_Baud, QString::number(params.Ser_Baud));
    if (params.Ser_Par < 0 || params.Ser_Par > 2)
        return Bad_Setting(Par_Gen::Ser_Par, QString::number(params.Ser_Par));
    if (params.Ser_StopBits < 0 || params.Ser_StopBits > 1)
        return Bad_Setting(Par_Gen::Ser_StopBits, QString::number(params.Ser_StopBits));
    const int timeout = Str_To_Int_Def(params.Ser_TO, -1);
    if (timeout < 0 || timeout > 60000)
        return Bad_Setting(Par_Gen::Ser_TO, params.Ser_TO);
    const int pause = Str_To_Int_Def(params.Ser_CD, -1);
    if (pause < 0 || pause > 60000)
        return Bad_Setting(Par_Gen::Ser_CD, params.Ser_CD);
    settings.Baud_Rate = ParGen_Schema::Serial_Baud_Rate(params.Ser_Baud);
    settings.Parity = params.Ser_Par;
    settings.Stop_Bits = params.Ser_StopBits + 1;
    settings.Timeout_Ms = timeout;
    settings.Pause_Ms = pause;
    return std::nullopt;
}

QString Poll_Settings_Message(const Text_Table& texts, const Poll_Settings_Failure& failure) {
    return texts[failure.Text_Index] + failure.Detail;
}
