#pragma once

#include <QMessageBox>
#include <memory>

class QFileDialog;
class QWidget;
class Text_Table;

// The boxes and the chooser Ui_Services_Gui shows, built ready to run, with
// every caption taken from the text table so that a language file translates
// them. Messages are plain text, never markup.

// A message box with the given standard buttons; Yes, No, OK and Cancel carry
// texts 31 to 34.
std::unique_ptr<QMessageBox> Make_Message_Box(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                              const QString& message, QMessageBox::StandardButtons buttons,
                                              const Text_Table& texts);

// The error box of a web address that cannot be opened: the message, then the
// address on a line of its own, both selectable with mouse and keyboard.
std::unique_ptr<QMessageBox> Make_Link_Failure_Box(QWidget* parent, const QString& title,
                                                   const QString& message, const QString& url,
                                                   const Text_Table& texts);

// The save-file chooser opening in `dir` with one name filter. Its title and
// captions are texts 35 to 39 and 34; it never asks about overwriting (the
// caller does, with its own text).
std::unique_ptr<QFileDialog> Make_Save_File_Dialog(QWidget* parent, const QString& dir, const QString& filter,
                                                   const Text_Table& texts);
