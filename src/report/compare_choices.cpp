#include "report/compare_choices.h"

#include "base/text_table.h"
#include "update/update_history.h"

#include <QDir>
#include <QFileInfo>

QList<Compare_Choice> Compare_Choices(const QString& projects_dir, const QString& conf_dir,
                                      const Text_Table& texts) {
    QList<Compare_Choice> choices;
    const QString own = QFileInfo(conf_dir).canonicalFilePath();
    const QDir projects(projects_dir);
    for (const QString& name :
         projects.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        const QString path = projects.filePath(name);
        if (QFileInfo(path).canonicalFilePath() != own)
            choices.append({name, path});
    }
    const Update_History history = Read_Update_History(conf_dir);
    for (qsizetype i = history.Entries.size() - 1; i >= 0; --i) {
        const Update_Entry& entry = history.Entries[i];
        if (entry.Image_File.isEmpty())
            continue;
        const QString path = QDir(conf_dir).filePath(entry.Image_File);
        if (!QFileInfo(path).isFile())
            continue;
        choices.append({texts[Compare_Text::Sent].trimmed() + QLatin1Char(' ') +
                            entry.Time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
                            QLatin1Char(' ') + entry.Target,
                        path});
    }
    return choices;
}

QStringList Difference_Cells(const Conf_Difference& difference, const Text_Table& texts) {
    QString row;
    if (difference.Row_A && difference.Row_B)
        row = *difference.Row_A == *difference.Row_B
                  ? QString::number(*difference.Row_A)
                  : QString::number(*difference.Row_A) + QStringLiteral(" -> ") +
                        QString::number(*difference.Row_B);
    else if (difference.Row_B)
        row = QString::number(*difference.Row_B) + QStringLiteral(" (") +
              texts[Compare_Text::Inserted].trimmed() + QLatin1Char(')');
    else if (difference.Row_A)
        row = QString::number(*difference.Row_A) + QStringLiteral(" (") +
              texts[Compare_Text::Removed].trimmed() + QLatin1Char(')');
    return {difference.Document,
            difference.Table,
            row,
            difference.Field.value_or(QString()),
            difference.A.value_or(QString()),
            difference.B.value_or(QString())};
}

QString Difference_Group(const Conf_Difference& difference) {
    const auto row = [](const std::optional<int>& r) {
        return r ? QString::number(*r) : QStringLiteral("-");
    };
    return difference.Document + u'|' + difference.Table + u'|' + row(difference.Row_A) + u'|' +
           row(difference.Row_B);
}
