#include "app/new_project.h"
#include "app/new_project_text.h"

#include "base/app_state.h"
#include "base/shown_text.h"
#include "base/text_table.h"

#include <QDir>
#include <QFileInfo>

bool Is_Single_Folder_Name(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return !name.contains(u'/') && !name.contains(u'\\') && !name.contains(QChar(0));
}

std::optional<Create_Failure> Configuration_Name_Refusal(const QString& name) {
    using namespace New_Project_Text;
    if (name.isEmpty())
        return Create_Failure{Name_Empty, Reason_Empty, QString()};
    static const QString refused = QStringLiteral("<>:\"/\\|?*");
    for (QChar c : name)
        if (c.unicode() < 0x20 || refused.contains(c))
            return Create_Failure{Name_Not_Valid, Reason_Character, Escape_Controls(QString(c))};
    if (name.endsWith(u' ') || name.endsWith(u'.'))
        return Create_Failure{Name_Not_Valid, Reason_Ends_In_Blank_Or_Dot, QString()};
    // The device names stand for devices whatever extension follows them;
    // blanks before the extension do not count.
    QString base = name.left(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
    while (base.endsWith(u' '))
        base.chop(1);
    const QString upper = base.toUpper();
    static const QStringList devices = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                        QStringLiteral("NUL")};
    const bool numbered_device =
        upper.size() == 4 &&
        (upper.startsWith(QLatin1String("COM")) || upper.startsWith(QLatin1String("LPT"))) &&
        upper[3] >= u'1' && upper[3] <= u'9';
    if (devices.contains(upper) || numbered_device)
        return Create_Failure{Name_Not_Valid, Reason_Device_Name, base};
    if (name.size() > Max_Configuration_Name_Length)
        return Create_Failure{Name_Not_Valid, Reason_Too_Long,
                              QString::number(Max_Configuration_Name_Length)};
    return std::nullopt;
}

QString Create_Failure_Message(const Text_Table& texts, const Create_Failure& failure) {
    QString message = texts[failure.Text];
    if (failure.Reason != 0)
        message += u'\n' + texts[failure.Reason] + failure.Detail;
    return message;
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

std::optional<Create_Failure> Create_Configuration(App_State& state, const QString& name) {
    if (auto refusal = Configuration_Name_Refusal(name))
        return refusal;
    // What passed is one folder name: "." and ".." end in a full stop, and
    // "/", "\" and NUL are refused characters.
    if (Folder_Exists_No_Case(state.Projects_Dir, name))
        return Create_Failure{New_Project_Text::Name_Exists, 0, QString()};
    const QString conf_dir = Join_Path(state.Projects_Dir, name);
    if (!QDir().mkdir(conf_dir))
        return Create_Failure{New_Project_Text::Name_Not_Valid, New_Project_Text::Reason_Not_Created,
                              Shown_Path(conf_dir)};
    QDir().mkpath(Join_Path(conf_dir, QStringLiteral("bin")));
    state.Conf_Name = name;
    state.Conf_Dir = conf_dir;
    state.Set_Files();
    return std::nullopt;
}
