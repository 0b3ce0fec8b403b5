#pragma once

#include "base/dialog_services_gui.h"
#include "ui_recorder.h"

#include <functional>

class QDialog;

// Ui_Recorder that also shows dialogs modally, for tests of the main window
// and of steps that open an editor. An expected modal dialog takes its turn
// among the expected boxes, in order; an unexpected one fails the running test
// function and answers Rejected.
class Dialog_Recorder : public Ui_Recorder, public Dialog_Services {
public:
    // The handler plays the user inside the dialog (fill controls, press
    // buttons) and gives the dialog's result.
    void Expect_Modal(std::function<int(QDialog&)> handler);

    int Show_Modal(QDialog& dialog) override;
};
