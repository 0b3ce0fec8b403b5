#include "report/device_state.h"

#include "base/kc_error.h"
#include "base/text_table.h"
#include "output/bank_build.h"

Device_State Read_Device_State(const QString& conf_dir) {
    const Update_History history = Read_Update_History(conf_dir);
    std::optional<QByteArray> built;
    try {
        built = Build_Bank(conf_dir).Bytes;
    } catch (const Kc_Error&) {
        // The line says the documents do not build; the build step names why.
    }
    return Device_State_Of(history, built);
}

QString Device_State_Text(const Device_State& device, const Text_Table& texts) {
    namespace T = Device_State_Texts;
    const auto text = [&](int index) { return texts[index].trimmed(); };
    switch (device.Status) {
    case Device_State::Kind::Never_Sent:
        return text(T::Never_Sent);
    case Device_State::Kind::History_Unusable:
        return text(T::Unusable) + QLatin1Char(' ') + device.Problem;
    default:
        break;
    }
    const Update_Entry& sent = *device.Last_Sent;
    QString outcome;
    switch (sent.End) {
    case Update_End::Exit_Status:
        outcome = text(T::Exit_Status) + QLatin1Char(' ') + QString::number(sent.Exit_Code);
        break;
    case Update_End::Crashed:
        outcome = text(T::Crashed) + QLatin1String(" (") + QString::number(sent.Exit_Code) + QLatin1Char(')');
        break;
    case Update_End::Still_Running:
        outcome = text(T::Running);
        break;
    case Update_End::Refused:
        outcome = text(T::Refused);
        break;
    case Update_End::Stopped:
        outcome = text(T::Stopped);
        break;
    }
    const int state_text = device.Status == Device_State::Kind::Up_To_Date ? T::Up_To_Date
                           : device.Status == Device_State::Kind::Changed  ? T::Changed
                                                                           : T::Cannot_Build;
    return text(T::Last_Sent) + QLatin1Char(' ') +
           sent.Time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")) + QLatin1Char(' ') +
           text(T::To) + QLatin1Char(' ') + sent.Target + QLatin1String(", ") + outcome +
           QStringLiteral(" \u2013 ") + text(state_text);
}
