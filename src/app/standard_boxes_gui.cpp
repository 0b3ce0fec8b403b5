#include "app/standard_boxes_gui.h"

#include "base/text_table.h"
#include "text/standard_texts.h"

#include <QAbstractButton>
#include <QFileDialog>

namespace {

void Caption_Buttons(QMessageBox& box, const Text_Table& texts) {
    const std::pair<QMessageBox::StandardButton, int> captions[] = {
        {QMessageBox::Yes, Standard_Text::Yes},
        {QMessageBox::No, Standard_Text::No},
        {QMessageBox::Ok, Standard_Text::Ok},
        {QMessageBox::Cancel, Standard_Text::Cancel},
    };
    for (const auto& [which, index] : captions)
        if (QAbstractButton* button = box.button(which))
            button->setText(texts[index]);
}

} // namespace

std::unique_ptr<QMessageBox> Make_Message_Box(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                              const QString& message, QMessageBox::StandardButtons buttons,
                                              const Text_Table& texts) {
    auto box = std::make_unique<QMessageBox>(icon, title, message, buttons, parent);
    box->setTextFormat(Qt::PlainText);
    Caption_Buttons(*box, texts);
    return box;
}

std::unique_ptr<QMessageBox> Make_Link_Failure_Box(QWidget* parent, const QString& title,
                                                   const QString& message, const QString& url,
                                                   const Text_Table& texts) {
    auto box =
        Make_Message_Box(parent, QMessageBox::Critical, title, message + u'\n' + url, QMessageBox::Ok, texts);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return box;
}

std::unique_ptr<QFileDialog> Make_Save_File_Dialog(QWidget* parent, const QString& dir, const QString& filter,
                                                   const Text_Table& texts) {
    auto dialog = std::make_unique<QFileDialog>(parent, texts[Standard_Text::Save_File_Title], dir, filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    // The system's own chooser speaks the system's language; Qt's speaks the
    // language of the text table.
    dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dialog->setLabelText(QFileDialog::LookIn, texts[Standard_Text::Look_In]);
    dialog->setLabelText(QFileDialog::FileName, texts[Standard_Text::File_Name]);
    dialog->setLabelText(QFileDialog::FileType, texts[Standard_Text::File_Type]);
    dialog->setLabelText(QFileDialog::Accept, texts[Standard_Text::Save]);
    dialog->setLabelText(QFileDialog::Reject, texts[Standard_Text::Cancel]);
    return dialog;
}
