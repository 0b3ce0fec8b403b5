#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;
struct App_State;
class Text_Table;
class Ui_Services;

// The frame every dialog of the configurator shares: the title panel P_Title
// with L_SW_Code (the software code) and L_SW_Desc (the dialog's heading), the
// dialog's own content in Body(), and the button panel P_Button with Btn_OK and
// Btn_Cancel. OK runs Btn_OKClick, which validates and accepts only on
// success; Cancel rejects and writes nothing.
class Frame_Dialog : public QDialog {
    Q_OBJECT
public:
    enum class Buttons { Ok_Cancel, None };

    Frame_Dialog(App_State& state, const Text_Table& texts, Ui_Services& ui, QWidget* parent = nullptr,
                 Buttons buttons = Buttons::Ok_Cancel);

    QWidget* Body() const { return body_; }
    QVBoxLayout* Body_Layout() const { return body_layout_; }

public Q_SLOTS:
    // Reloads what the dialog shows (documents, settings) and fills its
    // controls. The caller runs it right before showing the dialog modally;
    // it throws Kc_Error when a document cannot be read, and the dialog is
    // then not shown, so nothing can overwrite the broken file.
    virtual void FormShow() {}
    // Validates and saves; accepts the dialog only when everything passed.
    virtual void Btn_OKClick() { accept(); }
    virtual void Btn_CancelClick() { reject(); }
    // Puts the texts of the current language on the dialog's controls, and
    // on those of the dialogs it owns. The main window calls it on every
    // dialog it has created when the language changes.
    virtual void Set_Lang() {}
    // Cancel, Escape and the close box: with unsaved changes the user is
    // asked first whether to discard them (No is the default, and keeps the
    // dialog open); without changes the dialog closes at once.
    void reject() override;

protected:
    // True when the controls hold changes that OK would save. An editor
    // overrides it with its comparison and sets discard_question.
    virtual bool Has_Unsaved_Changes() { return false; }
    // Text index of the discard question.
    int discard_question = 0;

    // Copies Soft_Code into L_SW_Code.
    void Show_Soft_Code();

    App_State& state;
    const Text_Table& texts;
    Ui_Services& ui;

    QFrame* P_Title = nullptr;
    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QFrame* P_Button = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;

private:
    QWidget* body_ = nullptr;
    QVBoxLayout* body_layout_ = nullptr;
};
