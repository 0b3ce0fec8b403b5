#pragma once

#include "base/dialog_services_gui.h"

class QWidget;

// Dialog_Services with real Qt boxes, choosers, the desktop browser and the
// dialog's own modal event loop.
class Ui_Services_Gui : public Dialog_Services {
public:
    explicit Ui_Services_Gui(QWidget* parent = nullptr) : parent_(parent) {}
    void Set_Parent(QWidget* parent) { parent_ = parent; }

    void Error_Box(const QString& message) override;
    void Warning_Box(const QString& message) override;
    bool Question_Box(const QString& message) override;
    QString Choose_Save_File(const QString& dir, const QString& filter) override;
    void Open_Url(const QString& url) override;
    int Show_Modal(QDialog& dialog) override;

private:
    QWidget* Active_Parent() const;
    QWidget* parent_;
};
