#include "app/new_project.h"
#include "app/new_project_text.h"

#include "base/app_state.h"

#include <QDir>
#include <QFileInfo>

bool Is_Single_Folder_Name(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return !name.contains(u'/') && !name.contains(u'\\') && !name.contains(QChar(0));
}

bool Is_Windows_Folder_Name(const QString& name) {
    if (name.isEmpty() || name.endsWith(u' ') || name.endsWith(u'.'))
        return false;
    static const QString refused = QStringLiteral("<>:\"/\\|?*");
    for (QChar c : name)
        if (c.unicode() < 0x20 || refused.contains(c))
            return false;
    // The device names stand for devices whatever extension follows them;
    // blanks before the extension do not count.
    QString base = name.left(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
    while (base.endsWith(u' '))
        base.chop(1);
    base = base.toUpper();
    static const QStringList devices = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                        QStringLiteral("NUL")};
    if (devices.contains(base))
        return false;
    if (base.size() == 4 &&
        (base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT"))) && base[3] >= u'1' &&
        base[3] <= u'9')
        return false;
    return true;
}

namespace {

bool Folder_Exists_No_Case(const QString& dir, const QString& name) {
    if (QFileInfo(Join_Path(dir, name)).isDir())
        return true;
    const QStringList folders =
        QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString& folder : folders)
        if (folder.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

int Create_Configuration(App_State& state, const QString& name) {
    if (name.isEmpty())
        return New_Project_Text::Name_Empty;
    if (!Is_Single_Folder_Name(name) || !Is_Windows_Folder_Name(name))
        return New_Project_Text::Name_Not_Valid;
    if (Folder_Exists_No_Case(state.Projects_Dir, name))
        return New_Project_Text::Name_Exists;
    const QString conf_dir = Join_Path(state.Projects_Dir, name);
    if (!QDir().mkdir(conf_dir))
        return New_Project_Text::Name_Not_Valid;
    QDir().mkpath(Join_Path(conf_dir, QStringLiteral("bin")));
    state.Conf_Name = name;
    state.Conf_Dir = conf_dir;
    state.Set_Files();
    return 0;
}
