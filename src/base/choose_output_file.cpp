#include "base/choose_output_file.h"

#include "base/kc_error.h"
#include "base/output_path.h"
#include "base/text_table.h"
#include "base/ui_services.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int text_overwrite_file = 903;

} // namespace

QString Choose_Output_File(Ui_Services& ui, const Text_Table& texts, const QString& dir,
                           const QString& filter, const QStringList& suffixes, const QString& proposed_name) {
    const QString chosen =
        ui.Choose_Save_File(proposed_name.isEmpty() ? dir : QDir(dir).filePath(proposed_name), filter);
    if (chosen.isEmpty())
        return {};
    QString path = chosen;
    bool known_suffix = false;
    for (const QString& suffix : suffixes)
        known_suffix = known_suffix || path.endsWith(suffix, Qt::CaseInsensitive);
    if (!known_suffix && !suffixes.isEmpty())
        path += suffixes.first();
    const QFileInfo target(path);
    const Output_Path_Problem problem = Check_Output_Path(path, dir);
    if (problem != Output_Path_Problem::None)
        throw Kc_Error(Output_Path_Message(texts, problem, path));
    if (target.exists() && !ui.Question_Box(texts[text_overwrite_file], Ui_Services::Default_Answer::No))
        return {};
    return path;
}
