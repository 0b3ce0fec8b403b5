#include "app/ui_services_gui.h"

#include "app/standard_boxes_gui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

QWidget* Ui_Services_Gui::Active_Parent() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return parent_;
}

void Ui_Services_Gui::Error_Box(const QString& message) {
    Make_Message_Box(Active_Parent(), QMessageBox::Critical, box_title_, message, QMessageBox::Ok, texts_)
        ->exec();
}

void Ui_Services_Gui::Warning_Box(const QString& message) {
    Make_Message_Box(Active_Parent(), QMessageBox::Warning, box_title_, message, QMessageBox::Ok, texts_)
        ->exec();
}

void Ui_Services_Gui::Information_Box(const QString& message) {
    Make_Message_Box(Active_Parent(), QMessageBox::Information, box_title_, message, QMessageBox::Ok, texts_)
        ->exec();
}

bool Ui_Services_Gui::Question_Box(const QString& message, Default_Answer default_answer) {
    auto box = Make_Message_Box(Active_Parent(), QMessageBox::Question, box_title_, message,
                                QMessageBox::Yes | QMessageBox::No, texts_);
    box->setDefaultButton(default_answer == Default_Answer::No ? QMessageBox::No : QMessageBox::Yes);
    return box->exec() == QMessageBox::Yes;
}

QString Ui_Services_Gui::Choose_Save_File(const QString& dir, const QString& filter) {
    const auto dialog = Make_Save_File_Dialog(Active_Parent(), dir, filter, texts_);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().first();
}

QString Ui_Services_Gui::Choose_Open_File(const QString& dir, const QString& filter) {
    return QFileDialog::getOpenFileName(Active_Parent(), QString(), dir, filter);
}

bool Ui_Services_Gui::Open_Url(const QString& url) {
    return QDesktopServices::openUrl(QUrl(url));
}

void Ui_Services_Gui::Link_Failure_Box(const QString& message, const QString& url) {
    Make_Link_Failure_Box(Active_Parent(), box_title_, message, url, texts_)->exec();
}

int Ui_Services_Gui::Show_Modal(QDialog& dialog) {
    return dialog.exec();
}
