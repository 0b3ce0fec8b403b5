#pragma once

#include <QString>
#include <QStringList>
#include <chrono>

// Running the command-line tool (or another program of the build) from a
// test, as a script would.

struct Cli_Result {
    int status = -1; // the exit code; -1 when it did not start, crashed or ran out of time
    QString out;     // standard output, as UTF-8
    QString err;     // standard error, as UTF-8
};

inline const QString Cli_Path = QStringLiteral(KC_BIN_DIR "/kc40927-cli");

struct Cli_Run {
    QString program = Cli_Path;
    std::chrono::milliseconds limit{30000};
    // No platform chosen and no display variables, as on a server.
    bool without_display = false;
};

// Runs `program` with `args` and waits for its end with this process's event
// loop running, so that servers and relays of the test keep serving it.
Cli_Result Run_Cli(const QStringList& args, const Cli_Run& how = {});
