#include "document/check_failure.h"

#include "base/text_table.h"

QString Check_Failure_Message(const Text_Table& texts, const Check_Failure& failure) {
    QString message;
    if (failure.Lead_Text_Index)
        message += texts[*failure.Lead_Text_Index];
    if (failure.Row > 0)
        message += QString::number(failure.Row);
    message += texts[failure.Text_Index];
    if (failure.Bound)
        message += QString::number(*failure.Bound);
    return message;
}
