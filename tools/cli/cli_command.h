#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>

// One sub-command of kc40927-cli. `run` gets the arguments after the command
// name and returns the exit status: 0 success, 1 failure, 2 wrong arguments.
struct Cli_Command {
    QString name;
    QString usage;   // e.g. "build CONF_DIR"
    QString summary; // one line for the command list
    QString help;    // the text of "kc40927-cli NAME --help"
    std::function<int(const QStringList& args, QTextStream& out, QTextStream& err)> run;
};

// Exit statuses shared by every command.
inline constexpr int Cli_Ok = 0;
inline constexpr int Cli_Failed = 1;
inline constexpr int Cli_Usage = 2;
