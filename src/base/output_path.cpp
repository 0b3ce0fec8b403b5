#include "base/output_path.h"

#include "base/document_files.h"
#include "base/shown_text.h"
#include "base/text_table.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

bool Same_Name(const QString& a, QLatin1StringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The folder as the file system knows it, links followed; as given when it
// does not exist.
QString Canonical_Folder(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) : canonical;
}

// True when `file` (a path, links already followed where it exists) names
// one of the configuration's own files other than `own_output`.
bool Is_Own_File(const QString& file, const QString& conf, const QString& own_output) {
    const QFileInfo info(file);
    const QString name = info.fileName();
    const QString folder = Canonical_Folder(info.path());
    if (folder == conf) {
        for (const QLatin1StringView document :
             {Document_File::ParGen, Document_File::Sdo, Document_File::Diagnosis})
            if (Same_Name(name, document))
                return true;
        return false;
    }
    const QFileInfo folder_info(folder);
    if (!Same_Name(name, Document_File::Bank) ||
        !Same_Name(folder_info.fileName(), Document_File::Bank_Folder) ||
        Canonical_Folder(folder_info.path()) != conf)
        return false;
    if (own_output.isEmpty())
        return true;
    const QFileInfo own(own_output);
    return Canonical_Folder(own.path()) + QLatin1Char('/') + own.fileName() !=
           folder + QLatin1Char('/') + name;
}

} // namespace

bool Is_Windows_Device_Path(const QString& path) {
    QString native = path;
    native.replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (native.startsWith(QLatin1String("\\\\.\\")))
        return true;
    QString name = native.mid(native.lastIndexOf(QLatin1Char('\\')) + 1);
    name = name.mid(name.lastIndexOf(QLatin1Char(':')) + 1); // "C:NUL"
    static const QRegularExpression device(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9]|CONIN\\$|CONOUT\\$)[ .]*(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    return device.match(name).hasMatch();
}

Output_Path_Problem Check_Output_Path(const QString& path, const QString& conf_dir,
                                      const QString& own_output) {
    const QString conf = Canonical_Folder(conf_dir);
    const QFileInfo target(path);
    if (Is_Own_File(target.absoluteFilePath(), conf, own_output))
        return Output_Path_Problem::Own_Document;
    if (target.isSymLink()) {
        const QString linked = target.canonicalFilePath();
        if (!linked.isEmpty() && Is_Own_File(linked, conf, own_output))
            return Output_Path_Problem::Own_Document;
    }
#ifdef Q_OS_WIN
    if (Is_Windows_Device_Path(path))
        return Output_Path_Problem::Not_Regular_File;
#endif
    if (!target.exists())
        return Output_Path_Problem::None;
    if (target.isDir())
        return Output_Path_Problem::Folder;
    if (!target.isFile())
        return Output_Path_Problem::Not_Regular_File;
    return Output_Path_Problem::None;
}

bool Is_Standard_Output(const QString& path) {
    return path == QLatin1String("-");
}

QString Output_Path_Message(const Text_Table& texts, Output_Path_Problem problem, const QString& path) {
    int reason = Output_Path_Text::Not_Regular_File;
    switch (problem) {
    case Output_Path_Problem::Own_Document:
        reason = Output_Path_Text::Own_Document;
        break;
    case Output_Path_Problem::Folder:
        reason = Output_Path_Text::Folder;
        break;
    case Output_Path_Problem::Not_Regular_File:
    case Output_Path_Problem::None:
        break;
    }
    return texts[Output_Path_Text::Cannot_Write] + Shown_Path(path) + texts[reason];
}
