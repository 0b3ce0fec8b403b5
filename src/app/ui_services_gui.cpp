#include "app/ui_services_gui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace {

// Messages come from the text table and from language files: shown as plain
// text, never interpreted as markup.
int Show_Box(QWidget* parent, QMessageBox::Icon icon, const QString& message, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, QApplication::applicationDisplayName(), message, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

} // namespace

QWidget* Ui_Services_Gui::Active_Parent() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return parent_;
}

void Ui_Services_Gui::Error_Box(const QString& message) {
    Show_Box(Active_Parent(), QMessageBox::Critical, message, QMessageBox::Ok);
}

void Ui_Services_Gui::Warning_Box(const QString& message) {
    Show_Box(Active_Parent(), QMessageBox::Warning, message, QMessageBox::Ok);
}

bool Ui_Services_Gui::Question_Box(const QString& message) {
    return Show_Box(Active_Parent(), QMessageBox::Question, message, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

QString Ui_Services_Gui::Choose_Save_File(const QString& dir, const QString& filter) {
    // The overwrite question belongs to the caller, with its own text.
    return QFileDialog::getSaveFileName(Active_Parent(), QString(), dir, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString Ui_Services_Gui::Choose_Open_File(const QString& dir, const QString& filter) {
    return QFileDialog::getOpenFileName(Active_Parent(), QString(), dir, filter);
}

void Ui_Services_Gui::Open_Url(const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
}

int Ui_Services_Gui::Show_Modal(QDialog& dialog) {
    return dialog.exec();
}
