#include "text/open_link.h"

#include "base/text_table.h"
#include "base/ui_services.h"
#include "text/standard_texts.h"

void Open_Link(Ui_Services& ui, const Text_Table& texts, const QString& url) {
    if (!ui.Open_Url(url))
        ui.Link_Failure_Box(texts[Standard_Text::Link_Not_Opened], url);
}
