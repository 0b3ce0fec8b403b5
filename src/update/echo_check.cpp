#include "update/echo_client.h"

#include "base/kc_error.h"

bool Echo_Check(Echo_Client& client, Update_Clock& clock, const Update_Timing& timing, const QString& host,
                int& ping_res, const std::function<void(int)>& ping_reply,
                const std::function<void()>& process_events) {
    ping_res = 0;
    const qint64 start = clock.Now_Ms();
    const QByteArray data = host.toUtf8();
    int answered = 0;
    try {
        for (;;) {
            const qint64 attempt = clock.Now_Ms();
            ping_reply(client.Send_Echo(host, data, timing.echo_reply_timeout_ms));
            do {
                clock.Sleep_Ms(timing.echo_step_ms);
                if (process_events)
                    process_events();
            } while (ping_res == 0 && clock.Now_Ms() - attempt <= timing.echo_attempt_ms);
            if (ping_res == 1)
                ++answered;
            if (answered >= 2 || clock.Now_Ms() - start > timing.echo_limit_ms)
                break;
        }
    } catch (const Kc_Error&) {
        return false;
    }
    return ping_res == 1;
}
