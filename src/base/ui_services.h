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
    // Modal information box: information icon, one OK button; confirms
    // what a step has done, such as the file it wrote.
    virtual void Information_Box(const QString& message) = 0;
    // The button Enter presses in a question. A question whose Yes throws
    // data away (rows, a file) defaults to No, so a hurried Enter keeps it.
    enum class Default_Answer { Yes, No };

    // Modal question: question icon, Yes and No, the default as given.
    // True for Yes; Escape and closing the box answer No.
    virtual bool Question_Box(const QString& message, Default_Answer default_answer) = 0;

    // Save-file chooser opening in `dir` with one name filter, e.g.
    // "Generic Station Description (*.gsd)". `dir` may also be the path of a
    // file that need not exist: the chooser opens in its folder and proposes
    // its name. The empty text when cancelled.
    virtual QString Choose_Save_File(const QString& dir, const QString& filter) = 0;

    // Open-file chooser opening in `dir` with one name filter, e.g.
    // "CSV file (*.csv)", for an existing file. The empty text when cancelled,
    // which is all a double that never shows a chooser needs to answer.
    virtual QString Choose_Open_File(const QString& dir, const QString& filter) {
        (void)dir;
        (void)filter;
        return {};
    }

    // Opens a web address in the system's default browser. False when no
    // browser could be started for it.
    virtual bool Open_Url(const QString& url) = 0;
    // Error box for a web address that could not be opened: the message, then
    // the address as text the user can select and copy.
    virtual void Link_Failure_Box(const QString& message, const QString& url) = 0;
};
