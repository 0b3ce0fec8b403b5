#pragma once

#include "cli_run.h"
#include "test_dirs.h"
#include "update/update_options.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

// A program folder in a temporary directory, as the configurator lays it
// out: the stand-in updaters copied from the build (so their logs land here),
// MASTER with the two firmware images and one configuration with bin/bank.bin.
struct Updater_Folder {
    QTemporaryDir dir;
    QString program_dir;
    QString master_dir;
    QString conf_dir;

    Updater_Folder() {
        program_dir = dir.path();
        master_dir = QDir(program_dir).filePath(QStringLiteral("MASTER"));
        conf_dir = QDir(program_dir).filePath(QStringLiteral("PROJECTS/Plant A"));
        QDir().mkpath(master_dir);
        QDir().mkpath(conf_dir + QStringLiteral("/bin"));
    }

    bool Copy_Updater(const QString& name) const {
        Find_Build_Libraries();
        const QString target = Updater_Program_Path(program_dir, name);
        return QFile::copy(Updater_Program_Path(QStringLiteral(KC_BIN_DIR), name), target) &&
               QFileInfo(target).isExecutable();
    }

    void Add_Firmware() const {
        Write_All(master_dir + QLatin1Char('/') + Serial_Firmware_File, QByteArray(1000, '\x5A'));
        Write_All(master_dir + QLatin1Char('/') + Ethernet_Firmware_File, QByteArray(2000, '\x5A'));
    }

    // A packed image (serial hardware) without rules, with the diagnosis
    // entries 1, 2, 9 and without general section.
    static QByteArray Packed_Bank() {
        QByteArray bytes(16, '\0');
        const quint32 offsets[] = {16, 16, 19, 51};
        for (int i = 0; i < 4; ++i)
            qToLittleEndian(offsets[i], bytes.data() + 4 * i);
        bytes += QByteArray("\x01\x02\x09", 3);
        QByteArray bitmap(32, '\0');
        bitmap[0] = 0x06;
        bitmap[1] = 0x02;
        return bytes + bitmap;
    }

    // A fixed-layout image (Ethernet hardware) with one byte set and its checksum.
    static QByteArray Fixed_Bank() {
        QByteArray bytes(18432, '\0');
        bytes[0x4000] = char(0x48);
        bytes[0x4001] = char(0xE8);
        qToLittleEndian<quint32>(0x48 + 0xE8, bytes.data() + 18428);
        return bytes;
    }

    QString Bank_Path() const { return conf_dir + QStringLiteral("/bin/bank.bin"); }
    QString Log(const QString& updater) const {
        return QString::fromUtf8(Read_All(QDir(program_dir).filePath(updater + QStringLiteral(".log"))));
    }
};
