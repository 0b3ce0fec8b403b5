#pragma once

#include <QString>

// Everything a window or a step asks of the user or the desktop outside its
// own controls. It names no Qt Widgets type, so core steps use it too;
// showing a dialog modally is added by Dialog_Services (dialog_services_gui.h).
// The Qt implementation shows real boxes; tests use a recorder that returns
// scripted answers and fails on any box it did not expect.
class Ui_Services {
public:
    virtual ~Ui_Services() = default;

    // Modal error box: error icon, one OK button.
    virtual void Error_Box(const QString& message) = 0;
    // Modal warning box: warning icon, one OK button.
    virtual void Warning_Box(const QString& message) = 0;
    // Modal question: question icon, Yes and No. True for Yes.
    virtual bool Question_Box(const QString& message) = 0;

    // Save-file chooser opening in `dir` with one name filter, e.g.
    // "Generic Station Description (*.gsd)". The empty text when cancelled.
    virtual QString Choose_Save_File(const QString& dir, const QString& filter) = 0;

    // Opens a web address in the system's default browser.
    virtual void Open_Url(const QString& url) = 0;
};
