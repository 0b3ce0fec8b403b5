#include "base/program_folder.h"

#include "base/app_state.h"
#include "base/kc_error.h"
#include "base/save_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Copies the files of from_dir that to_dir lacks; creates to_dir.
void Seed_Folder(const QString& from_dir, const QString& to_dir) {
    if (!QDir().mkpath(to_dir))
        throw Kc_Error(QStringLiteral("Error! The folder %1 could not be created.")
                           .arg(QDir::toNativeSeparators(to_dir)));
    const QDir source(from_dir);
    if (!source.exists())
        return;
    for (const QFileInfo& file : source.entryInfoList(QDir::Files, QDir::Name)) {
        const QString target = Join_Path(to_dir, file.fileName());
        if (QFileInfo::exists(target))
            continue;
        QFile in(file.filePath());
        if (!in.open(QIODevice::ReadOnly))
            throw Kc_Error(QStringLiteral("Error! The file %1 could not be read: %2")
                               .arg(QDir::toNativeSeparators(file.filePath()), in.errorString()));
        const QByteArray bytes = in.readAll();
        if (in.error() != QFile::NoError)
            throw Kc_Error(QStringLiteral("Error! The file %1 could not be read: %2")
                               .arg(QDir::toNativeSeparators(file.filePath()), in.errorString()));
        Save_File_Atomically(target, bytes);
    }
}

} // namespace

QString Choose_Data_Dir(const QString& program_dir, bool program_dir_writable, const QString& user_data_dir) {
    if (program_dir_writable || user_data_dir.isEmpty())
        return program_dir;
    return user_data_dir;
}

void Prepare_Data_Dir(const QString& program_dir, const QString& data_dir) {
    if (QFileInfo(program_dir) == QFileInfo(data_dir) && QFileInfo::exists(data_dir))
        return;
    if (!QDir().mkpath(data_dir))
        throw Kc_Error(QStringLiteral("Error! The folder %1 could not be created.")
                           .arg(QDir::toNativeSeparators(data_dir)));
    for (const QString& name : {QStringLiteral("LANGUAGE"), QStringLiteral("MASTER")})
        Seed_Folder(Join_Path(program_dir, name), Join_Path(data_dir, name));
}

QString Data_Dir_For_Program(const QString& program_dir, const QString& user_data_dir, bool prepare,
                             QString* error) {
    const QString data_dir = Choose_Data_Dir(program_dir, Folder_Writable(program_dir), user_data_dir);
    if (!prepare || data_dir == program_dir)
        return data_dir;
    try {
        Prepare_Data_Dir(program_dir, data_dir);
    } catch (const Kc_Error& failure) {
        if (error)
            *error = failure.Message();
        return program_dir;
    }
    return data_dir;
}

QString User_Data_Dir() {
    // AppLocalDataLocation is made of the application's organisation and name;
    // both programs use the configurator's for the look-up and keep theirs.
    const QString organisation = QCoreApplication::organizationName();
    const QString application = QCoreApplication::applicationName();
    QCoreApplication::setOrganizationName(QStringLiteral("Vorlantech"));
    QCoreApplication::setApplicationName(QStringLiteral("kc40927"));
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QCoreApplication::setOrganizationName(organisation);
    QCoreApplication::setApplicationName(application);
    return dir;
}
