#include "app/open_conf.h"

#include "app/new_project.h"
#include "base/app_state.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

QStringList List_Configurations(const QString& projects_dir) {
    if (projects_dir.isEmpty())
        return {};
    QStringList names = QDir(projects_dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

namespace {

char16_t Fold_Ascii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

bool Equal_Ignoring_Ascii_Case(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (Fold_Ascii(a[i].unicode()) != Fold_Ascii(b[i].unicode()))
            return false;
    return true;
}

} // namespace

int Search_Open_Conf(const QStringList& list, const QString& name) {
    for (qsizetype i = 0; i < list.size(); ++i)
        if (Equal_Ignoring_Ascii_Case(list[i], name))
            return static_cast<int>(i);
    return -1;
}

QString Current_Conf_Name(const App_State& state) {
    if (state.Conf_Dir.isEmpty())
        return {};
    const QString prefix = Join_Path(state.Projects_Dir, QString());
    if (!state.Conf_Dir.startsWith(prefix))
        return {};
    return state.Conf_Dir.mid(prefix.size());
}

QString Find_Configuration_Folder(const QString& projects_dir, const QString& name) {
    if (!Is_Single_Folder_Name(name))
        return {};
    // A file system that ignores case (Windows) opens the folder under any
    // spelling; the spelling on disk is the one to keep and show.
    const QStringList listed = List_Configurations(projects_dir);
    if (!listed.contains(name)) {
        const int index = Search_Open_Conf(listed, name);
        if (index >= 0)
            return Join_Path(projects_dir, listed[index]);
    }
    const QString exact = Join_Path(projects_dir, name);
    return QFileInfo(exact).isDir() ? exact : QString();
}

void Open_Configuration(App_State& state, const QString& name) {
    state.Conf_Name = name;
    state.Conf_Dir = Find_Configuration_Folder(state.Projects_Dir, name);
    state.Set_Files();
}
