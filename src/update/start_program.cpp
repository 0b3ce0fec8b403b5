#include "update/start_program.h"

Program_Run_Result Start_Program(Program_Starter& starter, Update_Clock& clock, const Update_Timing& timing,
                                 const QString& NomeSW, const QString& Parameter, int tipo,
                                 const std::function<void(qint64)>& on_wait) {
    Program_Run_Result result;
    const qint64 start = clock.Now_Ms();
    std::unique_ptr<Started_Program> program = starter.Start(NomeSW, Parameter, tipo == 0, result.error);
    if (!program)
        return result;
    for (;;) {
        if (program->Has_Ended()) {
            result.run = Program_Run::Ended;
            break;
        }
        const qint64 elapsed = clock.Now_Ms() - start;
        if (elapsed >= timing.wait_limit_ms) {
            result.run = Program_Run::Still_Running;
            break;
        }
        clock.Sleep_Ms(timing.wait_step_ms);
        if (on_wait)
            on_wait(clock.Now_Ms() - start);
    }
    return result;
}
