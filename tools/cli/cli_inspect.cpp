#include "base/kc_error.h"
#include "cli_bank_commands.h"
#include "output/bank_decoder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

Cli_Command Inspect_Cli_Command() {
    Cli_Command command;
    command.name = QStringLiteral("inspect");
    command.usage = QStringLiteral("inspect BANK_FILE");
    command.summary = QStringLiteral("print a readable dump of a configuration image");
    command.help =
        QStringLiteral("Prints what a device will load from the configuration image BANK_FILE, in\n"
                       "either layout (the layout is recognised from the bytes): the sections and\n"
                       "their offsets, every rule with its decoded fields, every parameter with its\n"
                       "name, and for the fixed layout the checksum and whether it matches. Fields\n"
                       "that disagree inside the image are listed as problems.\n"
                       "\n"
                       "Exit status: 0 the image was decoded and its checksum (if any) matches;\n"
                       "1 the file cannot be read, is no configuration image, or its checksum does\n"
                       "not match; 2 wrong arguments or BANK_FILE is not a file.");
    command.run = [](const QStringList& args, QTextStream& out, QTextStream& err) {
        if (args.size() != 1 || args[0].startsWith(u'-')) {
            err << "kc40927-cli inspect: expected one argument, usage: kc40927-cli inspect BANK_FILE\n";
            return Cli_Usage;
        }
        const QString path = args[0];
        const QString shown = QDir::toNativeSeparators(path);
        if (!QFileInfo(path).isFile()) {
            err << "kc40927-cli inspect: " << shown
                << " is not a file, usage: kc40927-cli inspect BANK_FILE\n";
            return Cli_Usage;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            err << "kc40927-cli inspect: cannot read " << shown << ": " << file.errorString() << "\n";
            return Cli_Failed;
        }
        try {
            const Decoded_Bank bank = Decode_Bank(file.readAll());
            out << "File: " << shown << "\n" << Format_Decoded_Bank(bank);
            if (bank.Has_Checksum && !bank.Checksum_Matches) {
                err << "kc40927-cli inspect: the checksum of " << shown << " does not match\n";
                return Cli_Failed;
            }
            return Cli_Ok;
        } catch (const Kc_Error& error) {
            err << "kc40927-cli inspect: " << shown << ": " << error.Message() << "\n";
            return Cli_Failed;
        }
    };
    return command;
}
