#include "base/file_lookup.h"

#include "base/app_state.h"

#include <QDir>
#include <QFileInfo>

QString Find_File_No_Case(const QString& dir, const QString& name) {
    const QString exact = Join_Path(dir, name);
    // The folder is read even when the name as given opens: a file system
    // that ignores case (Windows) opens it under any spelling, and the
    // spelling stored is the one to show and to keep when the file is
    // written anew.
    const QStringList entries = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    if (entries.contains(name))
        return exact;
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return Join_Path(dir, entry);
    }
    return exact;
}

QString Resolve_File_No_Case(const QString& path) {
    if (path.isEmpty())
        return path;
    const QFileInfo info(path);
    return Find_File_No_Case(info.path(), info.fileName());
}
