#include "csv/table_csv_step.h"

#include "base/choose_output_file.h"
#include "base/kc_error.h"
#include "base/save_file.h"
#include "base/shown_text.h"
#include "base/text_table.h"
#include "base/ui_services.h"
#include "base/xml_document.h"

#include <QDir>
#include <QFile>

namespace {

// The refusal as one sentence, then text 753.
QString With_Nothing_Changed(const Text_Table& texts, QString message) {
    if (!message.endsWith(u'.'))
        message += u'.';
    return message + texts[Csv_Texts::Nothing_Changed];
}

} // namespace

QByteArray Read_Csv_File(const QString& path) {
    const QString shown = Shown_Path(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Kc_Error(QStringLiteral("Cannot read %1: %2").arg(shown, file.errorString()));
    if (file.size() > Csv_File_Limit)
        throw Kc_Error(QStringLiteral("Cannot read %1: at %2 bytes it is far larger than any table of rules "
                                      "or IDs (at most %3 bytes)")
                           .arg(shown, QString::number(file.size()), QString::number(Csv_File_Limit)));
    const QByteArray bytes = file.read(Csv_File_Limit + 1);
    if (file.error() != QFileDevice::NoError)
        throw Kc_Error(QStringLiteral("Cannot read %1: %2").arg(shown, file.errorString()));
    if (bytes.size() > Csv_File_Limit)
        throw Kc_Error(QStringLiteral("Cannot read %1: it is far larger than any table of rules or IDs (at "
                                      "most %2 bytes)")
                           .arg(shown, QString::number(Csv_File_Limit)));
    return bytes;
}

bool Export_Csv_File(const QByteArray& csv, const QString& dir, const Text_Table& texts, Ui_Services& ui) {
    try {
        const QString path =
            Choose_Output_File(ui, texts, dir, texts[Csv_Texts::File_Filter], {QStringLiteral(".csv")});
        if (path.isEmpty())
            return false;
        Save_File_Atomically(path, csv);
        return true;
    } catch (const Kc_Error& error) {
        ui.Error_Box(error.Message());
        return false;
    }
}

std::optional<Csv_Table_Rows> Import_Csv_File(Csv_Table_Kind kind, const QString& dir,
                                              const Text_Table& texts, Ui_Services& ui) {
    const QString path = ui.Choose_Open_File(dir, texts[Csv_Texts::File_Filter]);
    if (path.isEmpty())
        return std::nullopt;
    try {
        Csv_Table_Rows rows = Read_Table_Csv(kind, Read_Csv_File(path), &texts);
        if (rows.Error) {
            ui.Error_Box(With_Nothing_Changed(texts, Csv_Error_Message(texts, *rows.Error)));
            return std::nullopt;
        }
        if (const auto fault = Check_Csv_Rows(kind, rows)) {
            ui.Error_Box(With_Nothing_Changed(texts, Csv_Row_Fault_Message(texts, kind, *fault)));
            return std::nullopt;
        }
        return rows;
    } catch (const Kc_Error& error) {
        ui.Error_Box(error.Message());
        return std::nullopt;
    }
}
