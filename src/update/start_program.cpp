#include "update/start_program.h"

Program_Run_Result Start_Program(Program_Starter& starter, Update_Clock& clock, const Update_Timing& timing,
                                 const QString& NomeSW, const Program_Arguments& Parameter, int tipo,
                                 const std::function<void(qint64, const QByteArray&)>& on_wait,
                                 const std::function<bool()>& stop_requested) {
    Program_Run_Result result;
    const qint64 start = clock.Now_Ms();
    std::unique_ptr<Started_Program> program = starter.Start(NomeSW, Parameter, tipo == 0, result.error);
    if (!program)
        return result;
    for (;;) {
        if (program->Has_Ended()) {
            result.run = Program_Run::Ended;
            result.end = program->End();
            // What it wrote just before it ended.
            const QByteArray last = program->Read_Output();
            if (on_wait && !last.isEmpty())
                on_wait(clock.Now_Ms() - start, last);
            break;
        }
        const qint64 elapsed = clock.Now_Ms() - start;
        if (elapsed >= timing.wait_limit_ms) {
            result.run = Program_Run::Still_Running;
            result.program = std::move(program);
            break;
        }
        clock.Sleep_Ms(timing.wait_step_ms);
        const QByteArray output = program->Read_Output();
        if (on_wait)
            on_wait(clock.Now_Ms() - start, output);
        if (!result.stopped && stop_requested && stop_requested()) {
            program->Stop();
            result.stopped = true;
        }
    }
    return result;
}
