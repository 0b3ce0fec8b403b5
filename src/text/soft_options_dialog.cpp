#include "text/soft_options_dialog.h"

#include "base/app_state.h"
#include "base/elided_label_widget.h"
#include "base/kc_error.h"
#include "base/text_table.h"
#include "base/ui_services.h"
#include "text/language_file.h"
#include "text/language_list.h"
#include "text/open_link.h"
#include "text/soft_options_text.h"
#include "text/version_check.h"
#include "text/version_source.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace {

QLabel* Plain_Label(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A label for a language name, which comes from a file name of any length.
Elided_Label* Name_Label(QWidget* parent, const QString& name, int max_width) {
    auto* label = new Elided_Label(parent);
    label->setObjectName(name);
    label->setMaximumWidth(max_width);
    return label;
}

QCheckBox* Check_Box(QWidget* parent, const QString& name) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(name);
    return box;
}

QPushButton* Button(QWidget* parent, const QString& name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TFSoftOptions::TFSoftOptions(App_State& app_state, const Text_Table& text_table, Ui_Services& ui_services,
                             Version_Source& source, std::function<Language_File_Report()> load_language_fn,
                             std::function<void()> change_language_fn, QWidget* parent)
    : Frame_Dialog(app_state, text_table, ui_services, parent), version_source(source),
      load_language(std::move(load_language_fn)), change_language(std::move(change_language_fn)) {
    setObjectName(QStringLiteral("FSoftOptions"));
    Build_Controls();
    // FormCreate
    Show_Soft_Code();
    PC_Options->setCurrentWidget(TS_Con_Options);
    Set_Lang();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TFSoftOptions::~TFSoftOptions() = default;

void TFSoftOptions::Build_Controls() {
    PC_Options = new QTabWidget(Body());
    PC_Options->setObjectName(QStringLiteral("PC_Options"));
    Body_Layout()->addWidget(PC_Options);

    // Language page: the selected language, six slots (1 to 3 left, 4 to 6
    // right, top to bottom), the page label and the paging buttons.
    TS_Language = new QWidget(PC_Options);
    TS_Language->setObjectName(QStringLiteral("TS_Language"));
    auto* language_layout = new QVBoxLayout(TS_Language);
    L_Sel_Lang = Name_Label(TS_Language, QStringLiteral("L_Sel_Lang"), 420);
    language_layout->addWidget(L_Sel_Lang);
    auto* slot_grid = new QGridLayout;
    for (int k = 0; k < Slots_Per_Page; ++k) {
        I_L[k] = new QLabel(TS_Language);
        I_L[k]->setObjectName(QStringLiteral("I_L%1").arg(k + 1));
        I_L[k]->setFixedSize(48, 48);
        I_L[k]->setScaledContents(true);
        I_L[k]->setTextFormat(Qt::PlainText);
        I_L[k]->setCursor(Qt::PointingHandCursor);
        I_L[k]->installEventFilter(this);
        L_L[k] = Name_Label(TS_Language, QStringLiteral("L_L%1").arg(k + 1), 180);
        L_L[k]->setMinimumWidth(120);
        L_L[k]->setCursor(Qt::PointingHandCursor);
        L_L[k]->installEventFilter(this);
        const int row = k % 3;
        const int column = (k / 3) * 2;
        slot_grid->addWidget(I_L[k], row, column);
        slot_grid->addWidget(L_L[k], row, column + 1);
    }
    language_layout->addLayout(slot_grid);
    auto* paging = new QHBoxLayout;
    Btn_Prev = Button(TS_Language, QStringLiteral("Btn_Prev"));
    L_Page_Lang = Plain_Label(TS_Language, QStringLiteral("L_Page_Lang"));
    L_Page_Lang->setAlignment(Qt::AlignCenter);
    Btn_Next = Button(TS_Language, QStringLiteral("Btn_Next"));
    paging->addWidget(Btn_Prev);
    paging->addWidget(L_Page_Lang, 1);
    paging->addWidget(Btn_Next);
    language_layout->addLayout(paging);
    language_layout->addStretch(1);
    PC_Options->addTab(TS_Language, QString());

    // Connection options.
    TS_Con_Options = new QWidget(PC_Options);
    TS_Con_Options->setObjectName(QStringLiteral("TS_Con_Options"));
    auto* connection_layout = new QVBoxLayout(TS_Con_Options);
    CB_En_Con = Check_Box(TS_Con_Options, QStringLiteral("CB_En_Con"));
    CB_Update = Check_Box(TS_Con_Options, QStringLiteral("CB_Update"));
    Btn_Check_Update = Button(TS_Con_Options, QStringLiteral("Btn_Check_Update"));
    LL_Check_Update = new QLabel(TS_Con_Options);
    LL_Check_Update->setObjectName(QStringLiteral("LL_Check_Update"));
    LL_Check_Update->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    LL_Check_Update->setOpenExternalLinks(false);
    connection_layout->addWidget(CB_En_Con);
    connection_layout->addWidget(CB_Update);
    connection_layout->addWidget(Btn_Check_Update, 0, Qt::AlignLeft);
    connection_layout->addWidget(LL_Check_Update);
    connection_layout->addStretch(1);
    PC_Options->addTab(TS_Con_Options, QString());

    // Table preferences.
    TS_Soft_Settings = new QWidget(PC_Options);
    TS_Soft_Settings->setObjectName(QStringLiteral("TS_Soft_Settings"));
    auto* settings_layout = new QVBoxLayout(TS_Soft_Settings);
    CB_Soft_Set_Jump_Table = Check_Box(TS_Soft_Settings, QStringLiteral("CB_Soft_Set_Jump_Table"));
    CB_DoubleClick_Auto_Size = Check_Box(TS_Soft_Settings, QStringLiteral("CB_DoubleClick_Auto_Size"));
    settings_layout->addWidget(CB_Soft_Set_Jump_Table);
    settings_layout->addWidget(CB_DoubleClick_Auto_Size);
    settings_layout->addStretch(1);
    PC_Options->addTab(TS_Soft_Settings, QString());

    connect(Btn_Prev, &QPushButton::clicked, this, [this] { Btn_NextClick(Btn_Prev); });
    connect(Btn_Next, &QPushButton::clicked, this, [this] { Btn_NextClick(Btn_Next); });
    // Every change of a check mark, by the user or by FormShow, keeps the
    // enabled states in step.
    for (QCheckBox* box : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        connect(box, &QCheckBox::toggled, this, &TFSoftOptions::CB_En_ConClick);
    connect(Btn_Check_Update, &QPushButton::clicked, this, &TFSoftOptions::Btn_Check_UpdateClick);
    connect(LL_Check_Update, &QLabel::linkActivated, this, &TFSoftOptions::LL_Check_UpdateLinkClick);
}

bool TFSoftOptions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int k = 0; k < Slots_Per_Page; ++k) {
            if (watched == I_L[k] || watched == L_L[k]) {
                LangClick(k + 1);
                return true;
            }
        }
    }
    return Frame_Dialog::eventFilter(watched, event);
}

void TFSoftOptions::FormShow() {
    // The language whose texts are on screen: a language picked before a
    // Cancel stays on screen, so the dialog names it and OK keeps it.
    language_in_use = language_on_screen.isEmpty() ? state.Language_Name : language_on_screen;
    Create_Lang_List();
    // A check left running by the last showing is dropped unanswered.
    check_.reset();
    check_shown_ = Check_Shown::Nothing;
    Update_CheckBox();
    Show_Check_Result();
    PC_Options->setCurrentWidget(TS_Language);
    CB_En_Con->setChecked(state.Enable_Internet);
    CB_Update->setChecked(state.Enable_Update);
    CB_Soft_Set_Jump_Table->setChecked(state.Enable_Jump_Field_Tables);
    CB_DoubleClick_Auto_Size->setChecked(state.Double_Click_Auto_Size);
}

void TFSoftOptions::Create_Lang_List() {
    sl_languages = List_Language_Files(state.Language_Dir);
    show_page = 1;
    Update_Lang_Page(1);
}

int TFSoftOptions::Page_Count() const {
    return (static_cast<int>(sl_languages.size()) + Slots_Per_Page - 1) / Slots_Per_Page;
}

void TFSoftOptions::Update_Lang_Page(int num_page) {
    const int count = static_cast<int>(sl_languages.size());
    const int pages = Page_Count();
    L_Sel_Lang->setText(texts[Options_Text::Selected_Language] + language_in_use);
    L_Page_Lang->setText(texts[Options_Text::Page] + QString::number(num_page) +
                         texts[Options_Text::Page_Of] + QString::number(pages));
    // Without a language file there is no page to count or to turn to.
    L_Page_Lang->setVisible(pages > 0);
    Btn_Prev->setVisible(pages > 0 && num_page != 1);
    Btn_Next->setVisible(pages > 0 && num_page != pages);

    const int first = (num_page - 1) * Slots_Per_Page;
    const int on_page = qMin(count - first, Slots_Per_Page);
    for (int k = 0; k < Slots_Per_Page; ++k) {
        const bool used = k < on_page;
        L_L[k]->setVisible(used);
        if (!used) {
            I_L[k]->hide();
            continue;
        }
        const QString name = sl_languages[first + k].chopped(4);
        L_L[k]->setText(name);
        const QString flag = Flag_Bitmap_Path(state.Language_Dir, name);
        const QPixmap pixmap = flag.isEmpty() ? QPixmap() : QPixmap(flag);
        I_L[k]->setPixmap(pixmap);
        I_L[k]->setVisible(!pixmap.isNull());
    }
}

void TFSoftOptions::Btn_NextClick(QObject* button) {
    if (button == Btn_Next) {
        if (Page_Count() >= show_page + 1)
            ++show_page;
    } else if (button == Btn_Prev) {
        if (show_page >= 2)
            --show_page;
    }
    Update_Lang_Page(show_page);
}

void TFSoftOptions::LangClick(int slot) {
    const int entry = (show_page - 1) * Slots_Per_Page + slot - 1;
    if (slot < 1 || slot > Slots_Per_Page || entry < 0 || entry >= sl_languages.size())
        return;
    const QString name = sl_languages[entry].chopped(4);
    if (!ui.Question_Box(texts[Options_Text::Change_Language_From] + language_in_use +
                             texts[Options_Text::Change_Language_To] + name +
                             texts[Options_Text::Change_Language_End],
                         Ui_Services::Default_Answer::Yes))
        return;

    QString error;
    Language_File_Report report;
    QString warning;
    if (!Load_Texts_For(name, &error, &report)) {
        // A language file that exists but cannot be read: say so and go
        // back to the texts of the language in use, so that nothing stores
        // the unreadable one.
        ui.Error_Box(error);
        Load_Texts_For(language_in_use, nullptr);
    } else if (report.Binary) {
        // A file holding no text line and no text (not a language file at
        // all): it is not applied, and the language in use stays.
        warning = Language_File_Warning(texts, report);
        Load_Texts_For(language_in_use, nullptr);
    } else {
        language_in_use = name;
        language_on_screen = name;
        // Bytes that are not text are shown as replacement marks; the
        // warning, in the new language, says how many and where.
        warning = Language_File_Warning(texts, report);
    }

    if (change_language)
        change_language();
    else
        Set_Lang();
    Update_Lang_Page(show_page);
    if (!warning.isEmpty())
        ui.Warning_Box(warning);
}

bool TFSoftOptions::Load_Texts_For(const QString& language, QString* error, Language_File_Report* report) {
    // Language_Name itself changes only on OK.
    const QString remembered = state.Language_Name;
    state.Language_Name = language;
    bool loaded = true;
    try {
        if (load_language) {
            const Language_File_Report read = load_language();
            if (report)
                *report = read;
        }
    } catch (const Kc_Error& failure) {
        loaded = false;
        if (error)
            *error = failure.Message();
    }
    state.Language_Name = remembered;
    return loaded;
}

void TFSoftOptions::Update_CheckBox() {
    CB_Update->setEnabled(CB_En_Con->isChecked());
    Btn_Check_Update->setEnabled(CB_Update->isEnabled() && CB_Update->isChecked() && !Check_Running());
}

void TFSoftOptions::CB_En_ConClick() {
    Update_CheckBox();
}

bool TFSoftOptions::Check_Running() const {
    return check_ && !check_->Done();
}

void TFSoftOptions::Check_Version() {
    if (Check_Running())
        return;
    // The check that answered before is no longer in its signal: it can go.
    check_ = version_source.Start_Check();
    connect(check_.get(), &Version_Check::Finished, this, &TFSoftOptions::Check_Version_Done);
    check_shown_ = Check_Shown::Running;
    Show_Check_Result();
    Update_CheckBox();
}

int Version_Outcome_Text(Version_Outcome outcome) {
    switch (outcome) {
    case Version_Outcome::Newer:
        return Options_Text::Newer_Version;
    case Version_Outcome::Not_Newer:
        break;
    case Version_Outcome::Timed_Out:
        return Options_Text::Version_Timed_Out;
    case Version_Outcome::Unreachable:
        return Options_Text::Version_Unreachable;
    case Version_Outcome::Name_Not_Found:
        return Options_Text::Version_Name_Not_Found;
    case Version_Outcome::Bad_Answer:
        return Options_Text::Version_Bad_Answer;
    }
    return Options_Text::No_Update;
}

void TFSoftOptions::Btn_Check_UpdateClick() {
    Check_Version();
}

void TFSoftOptions::Check_Version_Done(bool newer) {
    check_shown_ = newer ? Check_Shown::Newer : Check_Shown::Not_Newer;
    check_outcome_ =
        check_ ? check_->Outcome() : (newer ? Version_Outcome::Newer : Version_Outcome::Not_Newer);
    Show_Check_Result();
    Update_CheckBox();
}

void TFSoftOptions::Show_Check_Result() {
    switch (check_shown_) {
    case Check_Shown::Nothing:
        LL_Check_Update->hide();
        return;
    case Check_Shown::Newer:
        LL_Check_Update->setTextFormat(Qt::RichText);
        LL_Check_Update->setText(Download_Link_Html(texts[Options_Text::Newer_Version]));
        break;
    case Check_Shown::Running:
        LL_Check_Update->setTextFormat(Qt::PlainText);
        LL_Check_Update->setText(texts[Options_Text::Checking]);
        break;
    case Check_Shown::Not_Newer:
        LL_Check_Update->setTextFormat(Qt::PlainText);
        LL_Check_Update->setText(texts[Version_Outcome_Text(check_outcome_)]);
        break;
    }
    LL_Check_Update->show();
}

void TFSoftOptions::LL_Check_UpdateLinkClick(const QString& link) {
    Open_Link(ui, texts, link);
}

void TFSoftOptions::Btn_OKClick() {
    state.Language_Name = language_in_use;
    state.Enable_Internet = CB_En_Con->isChecked();
    state.Enable_Update = CB_Update->isChecked();
    emit Timer_Update_Set(state.Enable_Internet && state.Enable_Update);
    state.Enable_Jump_Field_Tables = CB_Soft_Set_Jump_Table->isChecked();
    state.Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->isChecked();
    accept();
}

void TFSoftOptions::Set_Lang() {
    setWindowTitle(texts[Options_Text::Caption]);
    L_SW_Desc->setText(texts[Options_Text::Description]);
    PC_Options->setTabText(PC_Options->indexOf(TS_Language), texts[Options_Text::Language_Tab]);
    PC_Options->setTabText(PC_Options->indexOf(TS_Con_Options), texts[Options_Text::Connection_Tab]);
    L_Sel_Lang->setText(texts[Options_Text::Selected_Language]);
    L_Page_Lang->setText(texts[Options_Text::Page] + QStringLiteral("1") + texts[Options_Text::Page_Of] +
                         QStringLiteral("1"));
    Btn_Prev->setText(texts[Options_Text::Previous]);
    Btn_Next->setText(texts[Options_Text::Next]);
    CB_En_Con->setText(texts[Options_Text::Enable_Internet]);
    CB_Update->setText(texts[Options_Text::Check_At_Start]);
    Btn_Check_Update->setText(texts[Options_Text::Check_Update]);
    Btn_OK->setText(texts[Options_Text::Ok]);
    Btn_Cancel->setText(texts[Options_Text::Cancel]);
    PC_Options->setTabText(PC_Options->indexOf(TS_Soft_Settings), texts[Options_Text::Settings_Tab]);
    CB_Soft_Set_Jump_Table->setText(texts[Options_Text::Jump_Into_Next_Field]);
    CB_DoubleClick_Auto_Size->setText(texts[Options_Text::Double_Click_Auto_Size]);
    Show_Check_Result();
}
