#include "report/report_step_pdf.h"

#include "base/app_state.h"
#include "base/choose_output_file.h"
#include "base/kc_error.h"
#include "base/save_file.h"
#include "base/text_table.h"
#include "base/ui_services.h"
#include "base/xml_document.h"
#include "report/report_data.h"
#include "report/report_html.h"
#include "report/report_pdf.h"
#include "report/report_texts.h"

namespace {

bool Is_Html_Name(const QString& path) {
    return path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive);
}

} // namespace

int Save_Report_File(const QString& path, const QString& conf_dir, const Text_Table& texts,
                     const QDateTime& date) {
    const Report_Data data = Read_Report_Data(conf_dir, date);
    const QString html = Report_Html(data, texts);
    if (Is_Html_Name(path)) {
        Save_File_Atomically(path, html.toUtf8());
        return 0;
    }
    const Report_Pdf pdf = Render_Report_Pdf(html, Report_Page_Title(data, texts), [&](int page, int pages) {
        return Report_Page_Number(texts, page, pages);
    });
    Save_File_Atomically(path, pdf.Bytes);
    return pdf.Pages;
}

void Create_Report_File(const App_State& state, const Text_Table& texts, Ui_Services& ui) {
    try {
        const QString path =
            Choose_Output_File(ui, texts, state.Conf_Dir, texts[Report_Texts::Filter],
                               {QStringLiteral(".pdf"), QStringLiteral(".html"), QStringLiteral(".htm")});
        if (path.isEmpty())
            return;
        Save_Report_File(path, state.Conf_Dir, texts);
    } catch (const Kc_Error& error) {
        ui.Error_Box(error.Message());
    }
}
