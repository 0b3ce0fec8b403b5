#pragma once

#include "update/update_clock.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

// How a program ended.
struct Program_End {
    bool crashed = false; // ended by a signal (Unix) or an unhandled exception (Windows)
    int code = 0;         // the exit code; the signal number when crashed on Unix
    bool Failed() const { return crashed || code != 0; }
};

// A program the configurator has started.
class Started_Program {
public:
    virtual ~Started_Program() = default;
    // Reads the exit status: true once the program has ended.
    virtual bool Has_Ended() = 0;
    // How it ended; meaningful once Has_Ended gave true.
    virtual Program_End End() const = 0;
    // What the program wrote to its output and error channels since the last
    // call (both go to one place, in the order written).
    virtual QByteArray Read_Output() = 0;
    // The system's id of the process.
    virtual qint64 Process_Id() const = 0;
    // Ends the program at once, as the user asked (it gets no chance to
    // finish what it does); Has_Ended then reads its end as any other.
    virtual void Stop() = 0;
};

// What a started program is handed. `list` are its arguments, each reaching
// it as one. A Windows program receives one command line and may take it
// apart itself: `windows_command_line`, when set, is that line exactly as the
// program gets it on Windows; without it the arguments are quoted for the C
// runtime's split there.
struct Program_Arguments {
    Program_Arguments(const QStringList& arguments = {}) : list(arguments) {}
    QStringList list;
    std::optional<QString> windows_command_line;
};

// Starts programs; tests replace it.
class Program_Starter {
public:
    virtual ~Program_Starter() = default;
    // Starts `program` with `arguments` (each reaching the program as one
    // argument exactly as given, or on Windows its own command line). Its output and error channels are kept
    // for Read_Output; `show_window` asks for a visible window where the system has one. Gives null and the
    // reason in `error` when the program cannot be started.
    virtual std::unique_ptr<Started_Program> Start(const QString& program, const Program_Arguments& arguments,
                                                   bool show_window, QString& error) = 0;
};

// The system's process start. The program's output goes to a file of its own
// in the temporary folder, not a pipe: a program that outlives the
// configurator's wait, or the configurator itself, keeps running and writing.
class System_Program_Starter : public Program_Starter {
public:
    ~System_Program_Starter() override;
    std::unique_ptr<Started_Program> Start(const QString& program, const Program_Arguments& arguments,
                                           bool show_window, QString& error) override;
};

enum class Program_Run {
    Not_Started,  // the program could not be started
    Ended,        // the program ended within the wait
    Still_Running // the wait ran out; the program goes on
};

struct Program_Run_Result {
    Program_Run run = Program_Run::Not_Started;
    QString error;        // why the start failed
    Program_End end;      // how it ended, when it did
    bool stopped = false; // it was stopped at the user's request
    // The program, still running, when the wait ran out: whoever keeps it
    // goes on watching it.
    std::unique_ptr<Started_Program> program;
};

// Starts NomeSW with the arguments (window shown when tipo is 0) and waits
// for it: reads its exit status, and while it runs pauses timing.wait_step_ms
// and calls `on_wait` with the milliseconds elapsed and what the program
// wrote since the last call (the last output comes with the end). Gives up
// once timing.wait_limit_ms have passed, leaving the program running.
// After each call of `on_wait`, `stop_requested` is asked whether the user
// wants the program stopped; once it says so the program is stopped and the
// wait goes on until its end is read.
Program_Run_Result Start_Program(Program_Starter& starter, Update_Clock& clock, const Update_Timing& timing,
                                 const QString& NomeSW, const Program_Arguments& Parameter, int tipo,
                                 const std::function<void(qint64, const QByteArray&)>& on_wait = {},
                                 const std::function<bool()>& stop_requested = {});
