#pragma once

#include "base/ui_services.h"

class QDialog;

// Ui_Services plus showing a dialog modally: what the main window and the
// steps that open an editor need. Kept apart from Ui_Services so that the
// core's interface names no Qt Widgets type. The Qt implementation runs the
// dialog's own event loop; tests answer without one.
class Dialog_Services : public virtual Ui_Services {
public:
    // Shows the dialog modally and gives its result (QDialog::Accepted or
    // Rejected).
    virtual int Show_Modal(QDialog& dialog) = 0;
};
