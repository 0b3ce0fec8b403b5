#pragma once

#include <QByteArray>
#include <QDir>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <chrono>

// Running the command-line tool (or another program of the build) from a
// test, as a script would.

struct Cli_Result {
    int status = -1; // the exit code; -1 when it did not start, crashed or ran out of time
    QString out;     // standard output, as UTF-8
    QString err;     // standard error, as UTF-8
};

#ifdef Q_OS_WIN
inline const QString Cli_Path = QStringLiteral(KC_BIN_DIR "/kc40927-cli.exe");
#else
inline const QString Cli_Path = QStringLiteral(KC_BIN_DIR "/kc40927-cli");
#endif

// A copy of a program of the build, started from another folder, finds the
// Qt and runtime DLLs beside the build's programs through PATH on Windows
// (elsewhere the libraries are found without it).
inline void Find_Build_Libraries() {
#ifdef Q_OS_WIN
    static const bool done = [] {
        qputenv("PATH",
                QDir::toNativeSeparators(QStringLiteral(KC_BIN_DIR)).toLocal8Bit() + ';' + qgetenv("PATH"));
        return true;
    }();
    Q_UNUSED(done);
#endif
}

struct Cli_Run {
    QString program = Cli_Path;
    std::chrono::milliseconds limit{30000};
    // No platform chosen and no display variables, as on a server.
    bool without_display = false;
};

// Runs `program` with `args` and waits for its end with this process's event
// loop running, so that servers and relays of the test keep serving it.
Cli_Result Run_Cli(const QStringList& args, const Cli_Run& how = {});

// A command's --json output read as the object it must be; a warning names
// the text when it is not one, and the object is then empty.
QJsonObject Json_Object(const QString& text);
