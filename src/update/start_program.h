#pragma once

#include "update/update_clock.h"

#include <QString>
#include <functional>
#include <memory>

// A program the configurator has started.
class Started_Program {
public:
    virtual ~Started_Program() = default;
    // Reads the exit status: true once the program has ended.
    virtual bool Has_Ended() = 0;
    // The system's id of the process.
    virtual qint64 Process_Id() const = 0;
};

// Starts programs; tests replace it.
class Program_Starter {
public:
    virtual ~Program_Starter() = default;
    // Starts `program` with `command_line` (split into arguments the way the
    // platform does: quotes group words). The program's console output goes
    // to the configurator's when `show_window` is true, nowhere otherwise.
    // Gives null and the reason in `error` when the program cannot be started.
    virtual std::unique_ptr<Started_Program> Start(const QString& program, const QString& command_line,
                                                   bool show_window, QString& error) = 0;
};

// The system's process start. A program that outlives the configurator's wait
// keeps running, also after the configurator has ended.
class System_Program_Starter : public Program_Starter {
public:
    ~System_Program_Starter() override;
    std::unique_ptr<Started_Program> Start(const QString& program, const QString& command_line,
                                           bool show_window, QString& error) override;
};

enum class Program_Run {
    Not_Started,  // the program could not be started
    Ended,        // the program ended within the wait
    Still_Running // the wait ran out; the program goes on
};

struct Program_Run_Result {
    Program_Run run = Program_Run::Not_Started;
    QString error; // why the start failed
};

// Starts NomeSW with Parameter as its command line (window shown when tipo is
// 0) and waits for it: reads its exit status, and while it runs pauses
// timing.wait_step_ms and calls `on_wait` with the milliseconds elapsed; gives
// up once timing.wait_limit_ms have passed, leaving the program running.
Program_Run_Result Start_Program(Program_Starter& starter, Update_Clock& clock, const Update_Timing& timing,
                                 const QString& NomeSW, const QString& Parameter, int tipo,
                                 const std::function<void(qint64)>& on_wait = {});
