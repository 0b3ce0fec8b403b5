#pragma once

#include "base/dialog_services_gui.h"

class QWidget;
class Text_Table;

// Dialog_Services with real Qt boxes, choosers, the desktop browser and the
// dialog's own modal event loop. The captions of their standard buttons and
// of the chooser come from the text table; every box carries `box_title` (the
// software code) as its title.
class Ui_Services_Gui : public Dialog_Services {
public:
    Ui_Services_Gui(const Text_Table& texts, const QString& box_title, QWidget* parent = nullptr)
        : texts_(texts), box_title_(box_title), parent_(parent) {}
    void Set_Parent(QWidget* parent) { parent_ = parent; }

    void Error_Box(const QString& message) override;
    void Warning_Box(const QString& message) override;
    void Information_Box(const QString& message) override;
    bool Question_Box(const QString& message, Default_Answer default_answer) override;
    QString Choose_Save_File(const QString& dir, const QString& filter) override;
    QString Choose_Open_File(const QString& dir, const QString& filter) override;
    bool Open_Url(const QString& url) override;
    void Link_Failure_Box(const QString& message, const QString& url) override;
    int Show_Modal(QDialog& dialog) override;

private:
    QWidget* Active_Parent() const;
    const Text_Table& texts_;
    QString box_title_;
    QWidget* parent_;
};
