#include "dialog_recorder.h"

#include <QDialog>

void Dialog_Recorder::Expect_Modal(std::function<int(QDialog&)> handler) {
    Expect({.kind = Kind::Modal, .handler = [handler = std::move(handler)](QObject& dialog) {
                return handler(static_cast<QDialog&>(dialog));
            }});
}

int Dialog_Recorder::Show_Modal(QDialog& dialog) {
    const auto expectation = Take(Kind::Modal, dialog.objectName());
    if (!expectation || !expectation->handler)
        return QDialog::Rejected;
    const int result = expectation->handler(dialog);
    dialog.setResult(result);
    return result;
}
