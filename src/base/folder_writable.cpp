#include "base/program_folder.h"

#include <QFileInfo>

#ifdef Q_OS_WIN
#include <QCoreApplication>
#include <QDir>
#include <windows.h>
#endif

#ifdef Q_OS_WIN

// A folder's read-only attribute says nothing about who may write in it, and
// the access lists of Program Files deny it to a user without saying so
// through the attributes. So a file of a name no one else uses is created in
// the folder, and the system deletes it as it is closed.
bool Folder_Writable(const QString& dir) {
    if (!QFileInfo(dir).isDir())
        return false;
    const QString probe = QDir::toNativeSeparators(QDir(dir).filePath(
        QStringLiteral("kc40927-write-test-%1.tmp").arg(QCoreApplication::applicationPid())));
    const HANDLE handle =
        CreateFileW(reinterpret_cast<LPCWSTR>(probe.utf16()), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(handle);
    return true;
}

#else

bool Folder_Writable(const QString& dir) {
    const QFileInfo info(dir);
    return info.isDir() && info.isWritable();
}

#endif
