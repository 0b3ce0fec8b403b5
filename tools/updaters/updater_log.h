#pragma once

// Shared by the two stand-in updater programs: the log next to the program
// (in the user's data folder when the program folder is read-only, as an
// installed one is for a user) and the loading of the files they are handed.

#include "base/kc_error.h"
#include "base/program_folder.h"
#include "output/bank_decoder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

// Where the log goes: next to the program when that folder may be written,
// otherwise the user's data folder of the configurator (created when needed).
inline QString Updater_Log_Dir() {
    const QString own = QCoreApplication::applicationDirPath();
    if (Folder_Writable(own))
        return own;
    const QString data = User_Data_Dir();
    QDir().mkpath(data);
    return data;
}

// Lines of one run, appended to <program>.log at the end (see Updater_Log_Dir).
class Updater_Log {
public:
    explicit Updater_Log(const QString& program_name) : name_(program_name) {
        lines_ << QStringLiteral("%1 %2").arg(QDateTime::currentDateTime().toString(Qt::ISODate),
                                              program_name);
    }
    void Add(const QString& line) { lines_ << QStringLiteral("  ") + line; }

    // Logs the failure, says it on stderr, appends the log and gives `status`.
    int Fail(const QString& message, int status) {
        Add(QStringLiteral("error: ") + message);
        std::fprintf(stderr, "%s: %s\n", qPrintable(name_), qPrintable(message));
        Append();
        return status;
    }

    // Appends the run to the log; false (with a message) when it cannot.
    bool Append() {
        const QString path = QDir(Updater_Log_Dir()).filePath(name_ + QStringLiteral(".log"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
            std::fprintf(stderr, "%s: cannot write %s: %s\n", qPrintable(name_),
                         qPrintable(QDir::toNativeSeparators(path)), qPrintable(file.errorString()));
            return false;
        }
        QTextStream out(&file);
        for (const QString& line : lines_)
            out << line << '\n';
        out.flush();
        // QFile buffers too: only its own flush tells whether the lines
        // reached the disk.
        if (out.status() == QTextStream::Ok && file.flush() && file.error() == QFileDevice::NoError)
            return true;
        std::fprintf(stderr, "%s: cannot write %s: %s\n", qPrintable(name_),
                     qPrintable(QDir::toNativeSeparators(path)), qPrintable(file.errorString()));
        return false;
    }

private:
    QString name_;
    QStringList lines_;
};

// Reads a whole file; false with the reason when it is missing or unreadable.
inline bool Load_Named_File(const QString& path, QByteArray& bytes, QString& error) {
    QFile file(path);
    if (!file.exists()) {
        error = QStringLiteral("%1 does not exist").arg(QDir::toNativeSeparators(path));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}

// Decodes bank.bin as the layout of the updater's hardware. False with the
// reason when it is no image of that layout or its checksum is wrong; what
// else disagrees inside the image is added to the log.
inline bool Check_Bank(const QByteArray& bytes, Bank_Layout layout, Updater_Log& log, QString& error) {
    try {
        const Decoded_Bank bank = Decode_Bank(bytes, layout);
        if (bank.Has_Checksum && !bank.Checksum_Matches) {
            error = QStringLiteral("checksum %1 where the parameter block sums to %2")
                        .arg(bank.Checksum_Stored)
                        .arg(bank.Checksum_Computed);
            return false;
        }
        for (const QString& problem : bank.Problems)
            log.Add(QStringLiteral("warning: ") + problem);
        return true;
    } catch (const Kc_Error& failure) {
        error = failure.Message();
        return false;
    }
}

// Exit statuses of the stand-ins.
enum Updater_Status {
    Updater_Done = 0,
    Updater_File_Error = 1,
    Updater_Bad_Input = 2,
    Updater_Log_Error = 3
};
