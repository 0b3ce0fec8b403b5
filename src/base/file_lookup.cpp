#include "base/file_lookup.h"

#include "base/app_state.h"

#include <QDir>
#include <QFileInfo>

QString Find_File_No_Case(const QString& dir, const QString& name) {
    const QString exact = Join_Path(dir, name);
    if (QFileInfo(exact).isFile())
        return exact;
    const QStringList entries = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
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
