#include "cli_conf_dir.h"

#include <QDir>
#include <QFileInfo>

bool Check_Conf_Dir(const QString& conf_dir, const QString& command, const QString& usage, QTextStream& err) {
    const QFileInfo info(conf_dir);
    const QString shown = QDir::toNativeSeparators(conf_dir);
    if (!info.isDir()) {
        err << "kc40927-cli " << command << ": " << shown << " is not a folder, usage: kc40927-cli " << usage
            << "\n";
        return false;
    }
    if (!info.isReadable() || !info.isExecutable()) {
        err << "kc40927-cli " << command << ": the folder " << shown << " cannot be read\n";
        return false;
    }
    return true;
}
