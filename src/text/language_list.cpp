#include "text/language_list.h"

#include "base/file_lookup.h"

#include <QDir>
#include <QFileInfo>

QStringList List_Language_Files(const QString& language_dir) {
    QStringList names;
    const QDir dir(language_dir);
    if (!dir.exists())
        return names;
    const QFileInfoList entries =
        dir.entryInfoList({QStringLiteral("*.lng")}, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (!entry.isFile() || !(entry.permissions() & QFileDevice::WriteOwner))
            continue;
        names.append(entry.fileName());
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString Flag_Bitmap_Path(const QString& language_dir, const QString& language) {
    const QString own = Find_File_No_Case(language_dir, language + QStringLiteral(".bmp"));
    if (QFileInfo(own).isFile())
        return own;
    const QString fallback = Find_File_No_Case(language_dir, QStringLiteral("DefaultFlag.bmp"));
    if (QFileInfo(fallback).isFile())
        return fallback;
    return {};
}
