#pragma once

#include "base/frame_dialog.h"
#include "text/version_source.h"

#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QTabWidget;
class Version_Check;
class Version_Source;
struct Language_File_Report;

// The software options: the language of every window (picked from the
// language files in Language_Dir, six a page), internet access and the
// periodic version check, a version check on demand, and two preferences of
// the editable tables. App_State changes only on OK; a language picked here is
// shown at once in every window.
//
// Collaborators of the main window come in as functions:
// - load_language reloads the shared text table for App_State::Language_Name
//   (it may set Language_Name; the dialog restores it right after) and says
//   which file it read and what it found there;
// - change_language makes every window, this one included, apply its texts.
//   Without it, the dialog re-applies only its own texts.
// On OK the dialog emits Timer_Update_Set(Enable_Internet && Enable_Update);
// the main window then saves the settings and sets its update timer.
// The text LL_Check_Update shows for a check that ended with `outcome`.
int Version_Outcome_Text(Version_Outcome outcome);

class TFSoftOptions : public Frame_Dialog {
    Q_OBJECT
public:
    static constexpr int Slots_Per_Page = 6;

    TFSoftOptions(App_State& state, const Text_Table& texts, Ui_Services& ui, Version_Source& version_source,
                  std::function<Language_File_Report()> load_language, std::function<void()> change_language,
                  QWidget* parent = nullptr);
    ~TFSoftOptions() override;

    int Show_Page() const { return show_page; }
    const QStringList& SL_Languages() const { return sl_languages; }
    const QString& Language_In_Use() const { return language_in_use; }

    // Starts asking the version service now; the answer comes to
    // Check_Version_Done. While it runs, LL_Check_Update says so and
    // Btn_Check_Update is disabled.
    void Check_Version();
    bool Check_Running() const;

public Q_SLOTS:
    void FormShow() override;
    void Btn_OKClick() override;
    void Set_Lang() override;

    void Create_Lang_List();
    void Update_Lang_Page(int num_page);
    // Shared by Btn_Prev and Btn_Next: `button` is the one pressed.
    void Btn_NextClick(QObject* button);
    // A click on the image or the label of language slot `slot` (1 to 6).
    void LangClick(int slot);
    void Update_CheckBox();
    void CB_En_ConClick();
    void Btn_Check_UpdateClick();
    void Check_Version_Done(bool newer);
    void LL_Check_UpdateLinkClick(const QString& link);

Q_SIGNALS:
    // Emitted by OK: the main window's update timer is to run exactly when
    // `enabled`.
    void Timer_Update_Set(bool enabled);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build_Controls();
    // Loads the texts of `language` into the shared table. False, with the
    // loader's message in `error`, when its file cannot be read.
    bool Load_Texts_For(const QString& language, QString* error, Language_File_Report* report = nullptr);
    int Page_Count() const;
    // LL_Check_Update as the last check left it, in the texts of now.
    void Show_Check_Result();

    enum class Check_Shown { Nothing, Running, Newer, Not_Newer };

    Version_Source& version_source;
    std::function<Language_File_Report()> load_language;
    std::function<void()> change_language;

    int show_page = 1;
    QStringList sl_languages;
    QString language_in_use;
    // The language last loaded by a pick in this dialog; empty until then.
    QString language_on_screen;
    std::unique_ptr<Version_Check> check_;
    Check_Shown check_shown_ = Check_Shown::Nothing;
    // How the last check ended, when it found no newer version.
    Version_Outcome check_outcome_ = Version_Outcome::Not_Newer;

    QTabWidget* PC_Options = nullptr;
    QWidget* TS_Language = nullptr;
    QWidget* TS_Con_Options = nullptr;
    QWidget* TS_Soft_Settings = nullptr;
    QLabel* L_Sel_Lang = nullptr;
    std::array<QLabel*, Slots_Per_Page> I_L{};
    std::array<QLabel*, Slots_Per_Page> L_L{};
    QLabel* L_Page_Lang = nullptr;
    QPushButton* Btn_Prev = nullptr;
    QPushButton* Btn_Next = nullptr;
    QCheckBox* CB_En_Con = nullptr;
    QCheckBox* CB_Update = nullptr;
    QPushButton* Btn_Check_Update = nullptr;
    QLabel* LL_Check_Update = nullptr;
    QCheckBox* CB_Soft_Set_Jump_Table = nullptr;
    QCheckBox* CB_DoubleClick_Auto_Size = nullptr;
};
