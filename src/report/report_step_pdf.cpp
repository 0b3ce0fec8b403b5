#include "report/report_step_pdf.h"

#include "base/app_state.h"
#include "base/choose_output_file.h"
#include "base/kc_error.h"
#include "base/save_file.h"
#include "base/shown_text.h"
#include "base/text_table.h"
#include "base/ui_services.h"
#include "base/xml_document.h"
#include "report/report_data.h"
#include "report/report_html.h"
#include "report/report_pdf.h"
#include "report/report_texts.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool Is_Html_Name(const QString& path) {
    return path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive);
}

} // namespace

Saved_Report Save_Report_File(const QString& path, const QString& conf_dir, const Text_Table& texts,
                              const QDateTime& date) {
    const Report_Data data = Read_Report_Data(conf_dir, date);
    const QString html = Report_Html(data, texts);
    const QString bank_state = Report_Bank_State_Line(data.Bank, texts);
    if (Is_Html_Name(path)) {
        Save_File_Atomically(path, html.toUtf8());
        return {0, bank_state};
    }
    const Report_Pdf pdf = Render_Report_Pdf(html, Report_Page_Title(data, texts), [&](int page, int pages) {
        return Report_Page_Number(texts, page, pages);
    });
    Save_File_Atomically(path, pdf.Bytes);
    return {pdf.Pages, bank_state};
}

QString Proposed_Report_Name(const QString& conf_name, const QDate& date) {
    return conf_name + QStringLiteral("_report_") + date.toString(QStringLiteral("yyyy-MM-dd")) +
           QStringLiteral(".pdf");
}

void Create_Report_File(const App_State& state, const Text_Table& texts, Ui_Services& ui,
                        const QDateTime& date) {
    try {
        const QString path = Choose_Output_File(
            ui, texts, state.Conf_Dir, texts[Report_Texts::Filter],
            {QStringLiteral(".pdf"), QStringLiteral(".html"), QStringLiteral(".htm")},
            Proposed_Report_Name(QFileInfo(QDir::cleanPath(state.Conf_Dir)).fileName(), date.date()));
        if (path.isEmpty())
            return;
        const Saved_Report saved = Save_Report_File(path, state.Conf_Dir, texts, date);
        ui.Information_Box(texts[Report_Texts::Written] + Shown_Path(path) + u'\n' + saved.Bank_State);
    } catch (const Kc_Error& error) {
        ui.Error_Box(error.Message());
    }
}
