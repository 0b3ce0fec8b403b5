// Stand-in for the serial updater: takes the configurator's arguments
// (device, four option tokens, firmware image, bin folder),
// loads the files the options ask to transfer, checks bank.bin, and logs what
// it would send to the device in Ser_40927_Update.log next to itself (in the
// user's data folder when its own folder is read-only). It
// opens no port.
#include "../updater_log.h"
#include "update/update_options.h"

#include <QCoreApplication>
#include <QDir>

#ifdef Q_OS_WIN
#include <windows.h>

namespace {

// The command line after the program's name, as the configurator wrote it.
QString Command_Line_After_Program() {
    const QString line = QString::fromWCharArray(GetCommandLineW());
    qsizetype at = 0;
    if (line.startsWith(QLatin1Char('"'))) {
        const qsizetype close = line.indexOf(QLatin1Char('"'), 1);
        at = close < 0 ? line.size() : close + 1;
    } else {
        while (at < line.size() && line[at] != QLatin1Char(' ') && line[at] != QLatin1Char('\t'))
            ++at;
    }
    return line.mid(at);
}

} // namespace
#endif

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Updater_Log log(Serial_Updater_Name);
#ifdef Q_OS_WIN
    // The updater reads its one command line itself: the bin folder ends in
    // a backslash right before its closing quote, which the C runtime's
    // split would take for an escaped quote.
    const QString line = Command_Line_After_Program().trimmed();
    log.Add(QStringLiteral("command line: ") + line);
    QString split_error;
    const QStringList args = Split_Serial_Command_Line(line, split_error);
    if (args.isEmpty())
        return log.Fail(
            QStringLiteral("expected: DEVICE FW|NO FR|NO PW|NO PR|NO \"FIRMWARE\" \"BIN FOLDER\", %1")
                .arg(split_error),
            Updater_Bad_Input);
#else
    const QStringList args = app.arguments().mid(1);
    log.Add(QStringLiteral("command line: ") + args.join(QLatin1Char(' ')));
#endif
    if (args.size() != 7)
        return log.Fail(
            QStringLiteral("expected: DEVICE FW|NO FR|NO PW|NO PR|NO \"FIRMWARE\" \"BIN FOLDER\", got %1 "
                           "arguments")
                .arg(args.size()),
            Updater_Bad_Input);
    const QString device = args[0];
    const QString prefix = Native_Command_Line_Style().device_prefix;
    if (!device.startsWith(prefix))
        return log.Fail(QStringLiteral("the device %1 does not start with %2").arg(device, prefix),
                        Updater_Bad_Input);
    if (device == prefix)
        return log.Fail(QStringLiteral("no serial port named (the device is only %1)").arg(prefix),
                        Updater_Bad_Input);
    const QStringList allowed[4] = {{QStringLiteral("FW"), QStringLiteral("NO")},
                                    {QStringLiteral("FR"), QStringLiteral("NO")},
                                    {QStringLiteral("PW"), QStringLiteral("NO")},
                                    {QStringLiteral("PR"), QStringLiteral("NO")}};
    for (int i = 0; i < 4; ++i)
        if (!allowed[i].contains(args[1 + i]))
            return log.Fail(QStringLiteral("option %1 is %2, expected %3")
                                .arg(i + 1)
                                .arg(args[1 + i], allowed[i].join(QLatin1Char('|'))),
                            Updater_Bad_Input);
    const bool firmware_write = args[1] == QLatin1String("FW");
    const bool firmware_read = args[2] == QLatin1String("FR");
    const bool bank_write = args[3] == QLatin1String("PW");
    const bool bank_read = args[4] == QLatin1String("PR");
    const QString firmware = args[5];
    const QString bin_dir = args[6];
    const QChar sep = Native_Command_Line_Style().separator;
    if (!bin_dir.endsWith(sep))
        return log.Fail(QStringLiteral("the bin folder %1 does not end in %2").arg(bin_dir, sep),
                        Updater_Bad_Input);

    log.Add(QStringLiteral("device: ") + device);
    log.Add(QStringLiteral("options: %1 %2 %3 %4").arg(args[1], args[2], args[3], args[4]));
    if (firmware_write || firmware_read) {
        QByteArray bytes;
        QString error;
        if (!Load_Named_File(firmware, bytes, error))
            return log.Fail(error, Updater_File_Error);
        log.Add(QStringLiteral("firmware: %1 (%2 bytes)%3%4")
                    .arg(QDir::toNativeSeparators(firmware))
                    .arg(bytes.size())
                    .arg(firmware_write ? QStringLiteral(", write") : QString(),
                         firmware_read ? QStringLiteral(", read back") : QString()));
    }
    if (bank_write || bank_read) {
        const QString bank = bin_dir + QStringLiteral("bank.bin");
        QByteArray bytes;
        QString error;
        if (!Load_Named_File(bank, bytes, error))
            return log.Fail(error, Updater_File_Error);
        QString wrong;
        if (!Check_Bank(bytes, Bank_Layout::Packed, log, wrong))
            return log.Fail(QStringLiteral("%1 is not a configuration image of the serial hardware: %2")
                                .arg(QDir::toNativeSeparators(bank), wrong),
                            Updater_File_Error);
        log.Add(QStringLiteral("configuration: %1 (%2 bytes)%3%4")
                    .arg(QDir::toNativeSeparators(bank))
                    .arg(bytes.size())
                    .arg(bank_write ? QStringLiteral(", write") : QString(),
                         bank_read ? QStringLiteral(", read back") : QString()));
    }
    log.Add(QStringLiteral("result: every file loaded"));
    return log.Append() ? Updater_Done : Updater_Log_Error;
}
