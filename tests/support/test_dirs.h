#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

// Small file helpers for tests.
inline QString Fixture_Path(const QString& relative) {
    return QStringLiteral(KC_FIXTURES_DIR "/") + relative;
}

inline QByteArray Read_All(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline bool Write_All(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}
