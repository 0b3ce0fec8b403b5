#include "app/main_window.h"
#include "app/main_window_text.h"

#include "app/about_dialog.h"
#include "app/first_paint_exit_gui.h"
#include "app/new_project_dialog.h"
#include "app/open_conf.h"
#include "app/open_conf_dialog.h"
#include "app/settings_file.h"
#include "base/app_state.h"
#include "base/dialog_services_gui.h"
#include "base/elided_label_widget.h"
#include "base/frame_dialog.h"
#include "base/kc_error.h"
#include "base/plain_hint.h"
#include "base/product_info.h"
#include "base/standard_icon_gui.h"
#include "base/text_table.h"
#include "base/ui_services.h"
#include "base/xml_text.h"
#include "config/access_rules_dialog.h"
#include "config/diagnosis_dialog.h"
#include "config/general_params_dialog.h"
#include "document/pargen_view.h"
#include "output/bank_build.h"
#include "output/gsd_step.h"
#include "report/compare_dialog.h"
#include "report/device_state.h"
#include "report/report_step_pdf.h"
#include "report/report_texts.h"
#include "text/language_file.h"
#include "text/open_link.h"
#include "text/soft_options_dialog.h"
#include "text/standard_texts.h"
#include "text/version_source.h"
#include "update/boot_dialog.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <exception>

namespace {

// Pixel layout of the window. Only the row order, the visibility and the
// window shrinking by one row for hardware with Ethernet are fixed; the
// numbers are this program's own. The step label column widens with the
// texts of the language in use, up to a limit beyond which they elide, and
// the window widens with it.
constexpr int min_window_width = 600;
constexpr int margin = 16;
constexpr int first_step_top = 200;
constexpr int row_height = 48;
constexpr int button_height = 36;
constexpr int min_step_width = 86;
constexpr int max_step_width = 200;
constexpr int step_gap = 10; // between a step label and its button
constexpr int button_width = 320;
constexpr int min_vorlan_width = 80;
constexpr int bottom_margin = 24;

constexpr int first_timer_interval = 60000;   // one minute after the timer is enabled
constexpr int later_timer_interval = 7200000; // then every two hours

int Row_Top(int row) { // row 1 to 8
    return first_step_top + (row - 1) * row_height;
}

QLabel* New_Label(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

Elided_Label* New_Elided_Label(QWidget* parent, const char* name) {
    auto* label = new Elided_Label(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QPushButton* New_Step_Button(QWidget* parent, const char* name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QToolButton* New_Image_Button(QWidget* parent, const char* name, QStyle::StandardPixmap image) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(Standard_Icon(parent, image));
    button->setIconSize(QSize(28, 28));
    button->setAutoRaise(true);
    return button;
}

} // namespace

TFStruttoreFirmWare::TFStruttoreFirmWare(App_State& app_state, Text_Table& text_table,
                                         Dialog_Services& ui_services, Version_Source& version_source,
                                         const QString& program_dir, QWidget* parent)
    : QMainWindow(parent), state(app_state), texts(text_table), ui(ui_services), versions(version_source) {
    setObjectName(QStringLiteral("FStruttoreFirmWare"));
    FormCreate(program_dir);
    // Only for measuring start-up: quits after the first paint when asked.
    Exit_After_First_Paint_If_Asked(*this);
}

TFStruttoreFirmWare::~TFStruttoreFirmWare() = default;

void TFStruttoreFirmWare::FormCreate(const QString& program_dir) {
    // 1. The text table starts with the defaults (Load_Language below
    //    fills it again).
    texts.Set_Default_Texts();

    // 2. Every control in its initial place: the layout of hardware type 0.
    Create_Controls();
    Lay_Out_Steps(0);

    // 3. The folders next to the program, one level each; a failure to
    //    create one is not reported.
    state.Set_Program_Dir(program_dir);
    for (const QString& dir : {state.Master_Dir, state.Projects_Dir, state.Language_Dir})
        if (!QFileInfo(dir).isDir())
            QDir().mkdir(dir);

    // 4. The settings, each value with its default.
    Read_Settings(Settings_File_Path(state), state);

    // 5. The version check runs only when both preferences allow it.
    Set_Update_Timer();

    // 6. Product texts.
    state.Main_Title = QStringLiteral("Vorlantech - Configurator KC40927 - PROFIBUS Slave / Modbus Master ");
    state.Soft_Code = QStringLiteral("KC40927");
    state.Soft_Desc = QStringLiteral("PROFIBUS Slave / Modbus Master - Converter");
    setWindowTitle(state.Main_Title);
    L_SW_Code->setText(state.Soft_Code);
    L_SW_Desc->setText(state.Soft_Desc);

    // 7. The texts of the chosen language.
    try {
        const QString warning = Language_File_Warning(texts, Load_Language(state, texts));
        if (!warning.isEmpty())
            ui.Warning_Box(warning);
    } catch (const Kc_Error& error) {
        ui.Error_Box(error.Message());
    }

    // 8. Reopen the remembered configuration when its folder is still there;
    //    otherwise none is open and the name is kept for the settings file.
    if (!state.Conf_Name.isEmpty())
        Open_Configuration(state, state.Conf_Name);
    else
        state.Conf_Dir.clear();

    // 9.
    Set_Lang();
    Set_Files();

    // 10.
    state.Read_Back = true;
    state.Row_Clipboard.clear();

    // 11.
    Load_Configuration();
}

void TFStruttoreFirmWare::Create_Controls() {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("P_Main"));
    setCentralWidget(central);

    L_SW_Code = New_Label(central, "L_SW_Code");
    QFont code_font = L_SW_Code->font();
    code_font.setPointSizeF(code_font.pointSizeF() * 2.2);
    code_font.setBold(true);
    L_SW_Code->setFont(code_font);
    QPalette grey = L_SW_Code->palette();
    grey.setColor(QPalette::WindowText, Qt::gray);
    L_SW_Code->setPalette(grey);
    L_SW_Code->setGeometry(margin, 8, 320, 40);
    L_SW_Desc = New_Label(central, "L_SW_Desc");
    L_SW_Desc->setGeometry(margin, 50, 420, 20);
    // Horizontal places of the controls below follow Lay_Out_Steps.

    // The only label besides L_Vorlan that carries markup: a link the
    // program builds itself.
    LL_Update = new QLabel(central);
    LL_Update->setObjectName(QStringLiteral("LL_Update"));
    LL_Update->setTextFormat(Qt::RichText);
    LL_Update->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    LL_Update->setOpenExternalLinks(false);
    LL_Update->setGeometry(margin, 74, min_window_width - 2 * margin, 20);
    LL_Update->hide();
    connect(LL_Update, &QLabel::linkActivated, this, &TFStruttoreFirmWare::LL_UpdateLinkClick);

    // The device line links the updater's output; its texts are escaped.
    LL_Device_State = new QLabel(central);
    LL_Device_State->setObjectName(QStringLiteral("LL_Device_State"));
    LL_Device_State->setTextFormat(Qt::RichText);
    LL_Device_State->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    LL_Device_State->setOpenExternalLinks(false);
    LL_Device_State->hide();
    connect(LL_Device_State, &QLabel::linkActivated, this, &TFStruttoreFirmWare::LL_Device_StateLinkClick);

    Btn_Info = New_Image_Button(central, "Btn_Info", QStyle::SP_MessageBoxInformation);
    Btn_Opz = New_Image_Button(central, "Btn_Opz", QStyle::SP_FileDialogDetailedView);
    Btn_Close = New_Image_Button(central, "Btn_Close", QStyle::SP_DialogCloseButton);

    L_Begin = New_Elided_Label(central, "L_Begin");
    L_Begin->setGeometry(margin, 104, 300, 20);
    QFont begin_font = L_Begin->font();
    begin_font.setBold(true);
    L_Begin->setFont(begin_font);
    Shape2 = new QFrame(central);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setFrameShape(QFrame::Box);
    L_Name_Conf = New_Elided_Label(Shape2, "L_Name_Conf");
    L_Name_Conf_L2 = New_Elided_Label(Shape2, "L_Name_Conf_L2");
    QFont name_font = L_Name_Conf_L2->font();
    name_font.setBold(true);
    L_Name_Conf_L2->setFont(name_font);
    // The report of the open configuration, at the right of its name.
    Btn_Report = New_Step_Button(Shape2, "Btn_Report");
    Btn_Report->setGeometry(Shape2->width() - 8 - 120, 14, 120, 30);
    // What changed against another configuration or an image sent, beside it.
    Btn_Compare = New_Step_Button(Shape2, "Btn_Compare");
    Btn_Compare->setGeometry(Btn_Report->x() - 8 - 120, 14, 120, 30);
    L_Name_Conf->resize(Btn_Compare->x() - 16, L_Name_Conf->height());
    L_Name_Conf_L2->resize(Btn_Compare->x() - 16, L_Name_Conf_L2->height());

    static const char* const step_names[8] = {"L_Step_1", "L_Step_2", "L_Step_3", "L_Step_4",
                                              "L_Step_5", "L_Step_6", "L_Step_7", "L_Step_8"};
    for (int i = 0; i < 8; ++i) {
        L_Step[i] = New_Elided_Label(central, step_names[i]);
    }
    L_Step[6]->hide();
    L_Step[7]->hide();

    Btn_New = New_Step_Button(central, "Btn_New");
    Btn_Open = New_Step_Button(central, "Btn_Open");
    Btn_Prm_Gen = New_Step_Button(central, "Btn_Prm_Gen");
    Btn_Modbus_Set_Access = New_Step_Button(central, "Btn_Modbus_Set_Access");
    Btn_PROFIBUS_Error_Diagnosis = New_Step_Button(central, "Btn_PROFIBUS_Error_Diagnosis");
    Btn_GSD_EDS = New_Step_Button(central, "Btn_GSD_EDS");
    Btn_CreateBin = New_Step_Button(central, "Btn_CreateBin");

    L_Vorlan = New_Label(central, "L_Vorlan");
    L_Vorlan->setText(Maker_Host());
    L_Vorlan->setCursor(Qt::PointingHandCursor);
    L_Vorlan->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette link_palette = L_Vorlan->palette();
    link_palette.setColor(QPalette::WindowText, link_palette.color(QPalette::Link));
    L_Vorlan->setPalette(link_palette);
    L_Vorlan->installEventFilter(this);

    Shape1 = new QFrame(central);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::HLine);
    Shape1->setFrameShadow(QFrame::Sunken);

    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             Btn_Info, Btn_Opz, Btn_Close, Btn_New, Btn_Open, Btn_Prm_Gen, Btn_Modbus_Set_Access,
             Btn_PROFIBUS_Error_Diagnosis, Btn_GSD_EDS, Btn_CreateBin, Btn_Report, Btn_Compare})
        connect(button, &QAbstractButton::clicked, this, &TFStruttoreFirmWare::Btn_Click);

    timer_update = new QTimer(this);
    timer_update->setObjectName(QStringLiteral("Timer_Update"));
    timer_update->setInterval(first_timer_interval);
    connect(timer_update, &QTimer::timeout, this, &TFStruttoreFirmWare::Timer_UpdateTimer);
}

void TFStruttoreFirmWare::Lay_Out_Steps(int hardware_type) {
    // Columns: step labels as wide as their longest text within limits, the
    // buttons, the maker's link; the window as wide as they need.
    int step_width = min_step_width;
    for (int row = 1; row <= 6; ++row) { // L_Step_7 and L_Step_8 stay hidden
        const QLabel* label = L_Step[row - 1];
        step_width = std::max(step_width, label->fontMetrics().horizontalAdvance(label->text()) + 2);
    }
    step_width = std::min(step_width, max_step_width);
    const int button_left = margin + step_width + step_gap;
    const int vorlan_left = button_left + button_width + 8;
    const int vorlan_width =
        std::max(min_vorlan_width, L_Vorlan->fontMetrics().horizontalAdvance(L_Vorlan->text()) + 2);
    const int window_width = std::max(min_window_width, vorlan_left + vorlan_width + margin);

    int top_left = window_width - margin - 3 * 40 - 2 * 6;
    for (QToolButton* button : {Btn_Info, Btn_Opz, Btn_Close}) {
        button->setGeometry(top_left, 12, 40, 40);
        top_left += 46;
    }
    LL_Update->resize(window_width - 2 * margin, LL_Update->height());
    Shape2->setGeometry(margin, 126, window_width - 2 * margin, 58);
    // The report button at the right end of the box, the name beside it.
    Btn_Report->setGeometry(Shape2->width() - 8 - 120, 14, 120, 30);
    Btn_Compare->setGeometry(Btn_Report->x() - 8 - 120, 14, 120, 30);
    L_Name_Conf->setGeometry(8, 6, Btn_Compare->x() - 16, 20);
    L_Name_Conf_L2->setGeometry(8, 30, Btn_Compare->x() - 16, 20);
    for (int i = 0; i < 8; ++i)
        L_Step[i]->setGeometry(margin, Row_Top(i + 1) + (button_height - 20) / 2, step_width, 20);

    const bool with_diagnosis = hardware_type == 0;
    const int half = (button_width - 8) / 2;
    Btn_New->setGeometry(button_left, Row_Top(1), half, button_height);
    Btn_Open->setGeometry(button_left + half + 8, Row_Top(1), half, button_height);
    Btn_Prm_Gen->setGeometry(button_left, Row_Top(2), button_width, button_height);
    Btn_Modbus_Set_Access->setGeometry(button_left, Row_Top(3), button_width, button_height);
    Btn_PROFIBUS_Error_Diagnosis->setGeometry(button_left, Row_Top(4), button_width, button_height);
    Btn_PROFIBUS_Error_Diagnosis->setVisible(with_diagnosis);
    const int gsd_row = with_diagnosis ? 5 : 4;
    const int last_row = gsd_row + 1;
    Btn_GSD_EDS->setGeometry(button_left, Row_Top(gsd_row), button_width, button_height);
    Btn_CreateBin->setGeometry(button_left, Row_Top(last_row), button_width, button_height);
    for (int row = 1; row <= 6; ++row)
        L_Step[row - 1]->setVisible(row <= last_row);

    const QLabel* last_label = L_Step[last_row - 1];
    L_Vorlan->setGeometry(vorlan_left, last_label->y(), window_width - margin - vorlan_left,
                          last_label->height());
    LL_Device_State->setGeometry(margin, Btn_CreateBin->geometry().bottom() + 7, window_width - 2 * margin,
                                 20);
    const int bin_bottom = LL_Device_State->geometry().bottom() + 1;
    Shape1->setGeometry(margin, bin_bottom + 8, window_width - 2 * margin, 2);
    setFixedSize(window_width, bin_bottom + bottom_margin);
}

void TFStruttoreFirmWare::Create_Dialogs() {
    New_Project_Dialog();
    Open_Conf_Dialog();
    About_Dialog();
    Options_Dialog();
    General_Params_Dialog();
    Access_Rules_Dialog();
    Diagnosis_Dialog();
    Update_Dialog();
}

void TFStruttoreFirmWare::Create_Dialogs(const Update_Services& services) {
    if (!dialogs.FBoot)
        update_services.emplace(services);
    Create_Dialogs();
}

// Every dialog applies the texts of the language in use when it is created;
// Change_Language reaches those created before.
TFNew_Project& TFStruttoreFirmWare::New_Project_Dialog() {
    if (!dialogs.FNew_Project)
        dialogs.FNew_Project = new TFNew_Project(state, texts, ui, this);
    return *dialogs.FNew_Project;
}

TFOpenConf& TFStruttoreFirmWare::Open_Conf_Dialog() {
    if (!dialogs.FOpenConf)
        dialogs.FOpenConf = new TFOpenConf(state, texts, ui, this);
    return *dialogs.FOpenConf;
}

TFCompare& TFStruttoreFirmWare::Compare_Dialog() {
    if (!dialogs.FCompare)
        dialogs.FCompare = new TFCompare(state, texts, ui, this);
    return *dialogs.FCompare;
}

TFAbout& TFStruttoreFirmWare::About_Dialog() {
    if (!dialogs.FAbout)
        dialogs.FAbout = new TFAbout(state, texts, ui, this);
    return *dialogs.FAbout;
}

TFSoftOptions& TFStruttoreFirmWare::Options_Dialog() {
    if (!dialogs.FSoftOptions) {
        dialogs.FSoftOptions = new TFSoftOptions(
            state, texts, ui, versions, [this] { return Load_Language(state, texts); },
            [this] { Change_Language(); }, this);
    }
    return *dialogs.FSoftOptions;
}

TFParGen& TFStruttoreFirmWare::General_Params_Dialog() {
    if (!dialogs.FParGen)
        dialogs.FParGen = new TFParGen(state, texts, ui, this);
    return *dialogs.FParGen;
}

TFSetAccess& TFStruttoreFirmWare::Access_Rules_Dialog() {
    if (!dialogs.FSetAccess)
        dialogs.FSetAccess = new TFSetAccess(state, texts, ui, this);
    return *dialogs.FSetAccess;
}

TFSetDiagnosis& TFStruttoreFirmWare::Diagnosis_Dialog() {
    if (!dialogs.FSetDiagnosis)
        dialogs.FSetDiagnosis = new TFSetDiagnosis(state, texts, ui, this);
    return *dialogs.FSetDiagnosis;
}

TFBoot& TFStruttoreFirmWare::Update_Dialog() {
    if (!dialogs.FBoot) {
        if (!update_services)
            update_services.emplace(System_Update_Services());
        dialogs.FBoot = new TFBoot(state, texts, ui, *update_services, this);
    }
    return *dialogs.FBoot;
}

void TFStruttoreFirmWare::Set_Files() {
    state.Set_Files();
}

void TFStruttoreFirmWare::Show_Configuration_Labels() {
    if (state.Configuration_Open()) {
        L_Name_Conf->setText(texts[Main_Text::Configuration_Open]);
        L_Name_Conf_L2->setText(state.Conf_Name);
    } else {
        L_Name_Conf->setText(texts[Main_Text::No_Configuration]);
        L_Name_Conf_L2->setText(texts[Main_Text::No_Configuration_Help]);
    }
    Show_Device_State();
}

void TFStruttoreFirmWare::Show_Device_State() {
    device_log_.clear();
    if (!Configuration_Usable()) {
        LL_Device_State->clear();
        LL_Device_State->hide();
        return;
    }
    const Device_State device = Read_Device_State(state.Conf_Dir);
    QString html = Device_State_Text(device, texts).toHtmlEscaped();
    if (device.Last_Sent && !device.Last_Sent->Log_File.isEmpty()) {
        device_log_ = QDir(state.Conf_Dir).filePath(device.Last_Sent->Log_File);
        html += QStringLiteral(" (<a href=\"output\">") +
                texts[Device_State_Texts::Output].trimmed().toHtmlEscaped() + QStringLiteral("</a>)");
    }
    LL_Device_State->setText(html);
    LL_Device_State->setToolTip(Device_State_Text(device, texts));
    LL_Device_State->show();
}

void TFStruttoreFirmWare::LL_Device_StateLinkClick(const QString&) {
    if (!device_log_.isEmpty())
        Open_Link(ui, texts, QUrl::fromLocalFile(device_log_).toString());
}

int TFStruttoreFirmWare::Get_Hardware_Type() {
    if (!state.Configuration_Open())
        return 0;
    return ParGen_View::Read(state.ParGen_File).Number(Par_Gen::Hardware_Type, 0);
}

bool TFStruttoreFirmWare::Load_Configuration() {
    try {
        sel_hard = Get_Hardware_Type();
    } catch (const Kc_Error& error) {
        ui.Error_Box(error.Message());
        return false;
    }
    Lay_Out_Steps(sel_hard);
    return true;
}

void TFStruttoreFirmWare::Set_Lang() {
    L_Begin->setText(texts[Main_Text::Begin]);
    for (int i = 0; i < 8; ++i)
        L_Step[i]->setText(texts[Main_Text::Step_1 + i]);
    Btn_Info->setToolTip(Plain_Hint(texts[Main_Text::Info_Hint]));
    Btn_Opz->setToolTip(Plain_Hint(texts[Main_Text::Options_Hint]));
    Btn_Close->setToolTip(Plain_Hint(texts[Main_Text::Close_Hint]));
    Btn_New->setText(texts[Main_Text::New]);
    Btn_Open->setText(texts[Main_Text::Open]);
    Btn_CreateBin->setText(texts[Main_Text::Update_Device]);
    Btn_Prm_Gen->setText(texts[Main_Text::General_Params]);
    Btn_Modbus_Set_Access->setText(texts[Main_Text::Access_Rules]);
    Show_Configuration_Labels();
    Btn_New->setToolTip(Plain_Hint(texts[Main_Text::New_Hint]));
    Btn_Open->setToolTip(Plain_Hint(texts[Main_Text::Open_Hint]));
    Btn_Prm_Gen->setToolTip(Plain_Hint(texts[Main_Text::General_Params_Hint]));
    Btn_Modbus_Set_Access->setToolTip(Plain_Hint(texts[Main_Text::Access_Rules_Hint]));
    Btn_CreateBin->setToolTip(Plain_Hint(texts[Main_Text::Update_Device_Hint]));
    Btn_PROFIBUS_Error_Diagnosis->setText(texts[Main_Text::Diagnosis]);
    Btn_PROFIBUS_Error_Diagnosis->setToolTip(Plain_Hint(texts[Main_Text::Diagnosis_Hint]));
    Btn_GSD_EDS->setText(texts[Main_Text::Gsd]);
    Btn_GSD_EDS->setToolTip(Plain_Hint(texts[Main_Text::Gsd_Hint]));
    // The step column follows the new texts.
    Lay_Out_Steps(sel_hard);
    Btn_Report->setText(texts[Report_Texts::Caption]);
    Btn_Report->setToolTip(Plain_Hint(texts[Report_Texts::Hint]));
    Btn_Compare->setText(texts[Compare_Text::Caption]);
    Btn_Compare->setToolTip(Plain_Hint(texts[Compare_Text::Hint]));
    Show_Update_Link();
}

void TFStruttoreFirmWare::Change_Language() {
    Set_Lang();
    // Every dialog created so far; each passes the change on to the dialogs
    // it owns. The about box keeps its fixed English texts, and a dialog not
    // created yet takes the new texts when it is.
    for (Frame_Dialog* dialog : findChildren<Frame_Dialog*>(Qt::FindDirectChildrenOnly))
        dialog->Set_Lang();
}

bool TFStruttoreFirmWare::Save_Setting() {
    try {
        Save_Settings(Settings_File_Path(state), state);
        return true;
    } catch (const File_Write_Error& error) {
        ui.Error_Box(texts[Standard_Text::Settings_Not_Written] + QDir::toNativeSeparators(error.Path()) +
                     u'\n' + texts[Standard_Text::Reason] + error.Reason());
        return false;
    } catch (const Kc_Error& error) {
        ui.Error_Box(error.Message());
        return false;
    }
}

void TFStruttoreFirmWare::Set_Update_Timer() {
    if (state.Enable_Internet && state.Enable_Update) {
        if (!timer_update->isActive())
            timer_update->start();
    } else {
        timer_update->stop();
    }
}

void TFStruttoreFirmWare::Timer_UpdateTimer() {
    timer_update->stop();
    if (Version_Check_Running())
        return;
    // The check that answered before is no longer in its signal: it can go.
    version_check = versions.Start_Check();
    connect(version_check.get(), &Version_Check::Finished, this, &TFStruttoreFirmWare::Timer_Update_Done);
}

void TFStruttoreFirmWare::Timer_Update_Done(bool newer) {
    newer_version = newer;
    Show_Update_Link();
    timer_update->setInterval(later_timer_interval);
    // The preferences may have been switched off while the check ran.
    if (state.Enable_Internet && state.Enable_Update)
        timer_update->start();
}

bool TFStruttoreFirmWare::Version_Check_Running() const {
    return version_check && !version_check->Done();
}

void TFStruttoreFirmWare::Show_Update_Link() {
    if (newer_version) {
        // A text longer than the line is cut with "…"; the hint shows it whole.
        const QString text = texts[Main_Text::New_Version];
        const QString shown = LL_Update->fontMetrics().elidedText(text, Qt::ElideRight, LL_Update->width());
        LL_Update->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                               .arg(Maker_Download_Url().toHtmlEscaped(), shown.toHtmlEscaped()));
        LL_Update->setToolTip(shown == text ? QString() : Plain_Hint(text));
        LL_Update->show();
    } else {
        LL_Update->hide();
    }
}

void TFStruttoreFirmWare::LL_UpdateLinkClick(const QString& link) {
    Open_Link(ui, texts, link);
}

void TFStruttoreFirmWare::L_VorlanClick() {
    Open_Link(ui, texts, Maker_Home_Url());
}

bool TFStruttoreFirmWare::eventFilter(QObject* watched, QEvent* event) {
    if (watched == L_Vorlan && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        L_VorlanClick();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFStruttoreFirmWare::closeEvent(QCloseEvent* event) {
    // An updater that outlived its wait may still be loading the device.
    if (dialogs.FBoot && dialogs.FBoot->Updater_Running() &&
        !ui.Question_Box(texts[Main_Text::Close_While_Updating], Ui_Services::Default_Answer::No)) {
        event->ignore();
        return;
    }
    Save_Setting(); // a failure is shown; the window closes anyway
    event->accept();
}

void TFStruttoreFirmWare::Btn_Click() {
    Run_Step(sender());
}

bool TFStruttoreFirmWare::Configuration_Usable() const {
    return state.Configuration_Open() && QFileInfo(state.Conf_Dir).isDir();
}

void TFStruttoreFirmWare::Run_Step(QObject* button) {
    try {
        if (button == Btn_New) {
            Create_New_Project();
            Load_Configuration();
            return;
        }
        if (button == Btn_Open) {
            Open_Project();
            Load_Configuration();
            return;
        }
        if (button == Btn_Close) {
            close();
            return;
        }
        if (button == Btn_Info) {
            Show_About();
            return;
        }
        if (button == Btn_Opz) {
            Show_Options();
            return;
        }
        // Every other step works on the open configuration.
        if (!Configuration_Usable()) {
            ui.Error_Box(texts[Main_Text::Configuration_Not_Valid]);
            return;
        }
        if (button == Btn_Prm_Gen) {
            Set_Communication();
            Load_Configuration(); // the hardware type may have changed
        } else if (button == Btn_Modbus_Set_Access) {
            Modbus_Set_Access();
        } else if (button == Btn_PROFIBUS_Error_Diagnosis) {
            Error_Diagnosis();
        } else if (button == Btn_GSD_EDS) {
            Create_GSD();
        } else if (button == Btn_CreateBin) {
            Update_Device();
        } else if (button == Btn_Report) {
            Create_Report();
        } else if (button == Btn_Compare) {
            Show_Dialog(Compare_Dialog());
        }
        // An editor may have changed what the documents build to, an update
        // what the device holds.
        Show_Device_State();
    } catch (const Kc_Error& error) {
        ui.Error_Box(error.Message());
    } catch (const std::exception& error) {
        ui.Error_Box(QString::fromLocal8Bit(error.what()));
    }
}

int TFStruttoreFirmWare::Show_Dialog(Frame_Dialog& dialog) {
    dialog.FormShow(); // throws before showing when its document is broken
    return ui.Show_Modal(dialog);
}

void TFStruttoreFirmWare::Create_New_Project() {
    if (Show_Dialog(New_Project_Dialog()) == QDialog::Accepted)
        Show_Configuration_Labels(); // the dialog has opened the new configuration
}

void TFStruttoreFirmWare::Open_Project() {
    TFOpenConf& dialog = Open_Conf_Dialog();
    if (Show_Dialog(dialog) != QDialog::Accepted)
        return;
    // The settings file must keep the name exactly, or the next start would
    // open another configuration.
    const QString name = dialog.Name_Conf();
    if (Xml_Cannot_Keep(name)) {
        ui.Error_Box(texts[Main_Text::Folder_Name_Not_Kept] + QLatin1Char(' ') + Visible_Controls(name));
        return;
    }
    Open_Configuration(state, name);
    Show_Configuration_Labels();
}

void TFStruttoreFirmWare::Show_About() {
    TFAbout& dialog = About_Dialog();
    dialog.FormShow();
    ui.Show_Modal(dialog);
}

void TFStruttoreFirmWare::Show_Options() {
    // On OK the settings are written and the timer follows the two preferences.
    if (Show_Dialog(Options_Dialog()) == QDialog::Accepted) {
        Save_Setting();
        Set_Update_Timer();
    }
}

void TFStruttoreFirmWare::Set_Communication() {
    // Run_Step re-reads the hardware type afterwards.
    Show_Dialog(General_Params_Dialog());
}

void TFStruttoreFirmWare::Modbus_Set_Access() {
    Show_Dialog(Access_Rules_Dialog());
}

void TFStruttoreFirmWare::Error_Diagnosis() {
    Show_Dialog(Diagnosis_Dialog());
}

void TFStruttoreFirmWare::Create_GSD() {
    Create_GSD_File(state, texts, ui);
}

void TFStruttoreFirmWare::Create_Report() {
    Create_Report_File(state, texts, ui);
}

void TFStruttoreFirmWare::Update_Device() {
    // A failed build or write throws: its error box is shown by Run_Step,
    // nothing is written and the update dialog does not open.
    Build_And_Save_Bank(state);
    TFBoot& dialog = Update_Dialog();
    dialog.Set_Form_Type(Get_Hardware_Type() == 1 ? 1 : 0);
    Show_Dialog(dialog);
}
