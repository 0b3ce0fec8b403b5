// kc40927-cli: the configurator's outputs without a window. It calls exactly
// the functions the configurator's steps call, so the two never disagree.
#include "cli_commands.h"
#include "cli_report.h"

#include <QCoreApplication>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace {

void Print_Usage(QTextStream& stream, const QList<Cli_Command>& commands) {
    stream << "Usage: kc40927-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
    qsizetype width = 34;
    for (const Cli_Command& command : commands)
        width = std::max(width, command.usage.size() + 2);
    for (const Cli_Command& command : commands)
        stream << "  " << command.usage.leftJustified(width) << command.summary << "\n";
    stream << "\n\"kc40927-cli COMMAND --help\" describes a command.\n";
}

} // namespace

int main(int argc, char** argv) {
    const auto app = Make_Cli_Application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QList<Cli_Command> commands = All_Cli_Commands();
    QStringList args = app->arguments().mid(1);

    if (args.isEmpty()) {
        err << "kc40927-cli: missing command (try --help)\n";
        return Cli_Usage;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        Print_Usage(out, commands);
        return Cli_Ok;
    }
    for (const Cli_Command& command : commands) {
        if (command.name != name)
            continue;
        if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
            out << "Usage: kc40927-cli " << command.usage << "\n\n" << command.help << "\n";
            return Cli_Ok;
        }
        return command.run(args, out, err);
    }
    err << "kc40927-cli: unknown command \"" << name << "\" (try --help)\n";
    return Cli_Usage;
}
