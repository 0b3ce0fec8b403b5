#include "config/poll_serial_settings.h"

#include "base/int_conversion.h"
#include "base/text_table.h"
#include "config/general_params.h"
#include "config/pargen_names.h"

#include <QStringList>
#include <iterator>

namespace {

// List A.
constexpr int baud_rates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

const QStringList protocol_names = {QStringLiteral("Modbus RTU"), QStringLiteral("Modbus ASCII"),
                                    QStringLiteral("JBUS"), QStringLiteral("Binary"),
                                    QStringLiteral("ASCII")};

const QStringList parity_names = {QStringLiteral("NONE"), QStringLiteral("EVEN"), QStringLiteral("ODD")};

Poll_Settings_Failure Bad_Setting(QLatin1StringView element, const QString& text) {
    return {998, element + QStringLiteral(" = ") + text};
}

} // namespace

QString Protocol_Name(int ser_prot) {
    return ser_prot >= 0 && ser_prot < protocol_names.size() ? protocol_names[ser_prot] : QString();
}

QString Parity_Name(int parity) {
    return parity >= 0 && parity < parity_names.size() ? parity_names[parity] : QString();
}

std::optional<Poll_Settings_Failure> Poll_Settings_From(const General_Params& params,
                                                        Poll_Serial_Settings& settings) {
    if (params.Ser_Prot == 1 || params.Ser_Prot == 3 || params.Ser_Prot == 4)
        return Poll_Settings_Failure{994, Protocol_Name(params.Ser_Prot)};
    if (params.Ser_Prot != 0 && params.Ser_Prot != 2)
        return Bad_Setting(Par_Gen::Ser_Prot, QString::number(params.Ser_Prot));
    if (params.Ser_Baud < 0 || params.Ser_Baud >= int(std::size(baud_rates)))
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
    settings.Baud_Rate = baud_rates[params.Ser_Baud];
    settings.Parity = params.Ser_Par;
    settings.Stop_Bits = params.Ser_StopBits + 1;
    settings.Timeout_Ms = timeout;
    settings.Pause_Ms = pause;
    return std::nullopt;
}

QString Poll_Settings_Message(const Text_Table& texts, const Poll_Settings_Failure& failure) {
    return texts[failure.Text_Index] + failure.Detail;
}
