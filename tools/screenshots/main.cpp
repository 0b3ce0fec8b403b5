// kc40927-screenshots OUT_DIR: the pictures of the user guide, taken from the
// program's own windows. Each window is started in a temporary program folder
// holding the sample configurations of both hardware variants, filled as the
// guide describes, and saved with QWidget::grab() as OUT_DIR/<name>.png, on
// the offscreen platform so that no display is needed.
#include "sample_configurations.h"
#include "silent_services.h"

#include "app/about_dialog.h"
#include "app/main_window.h"
#include "app/new_project_dialog.h"
#include "app/open_conf.h"
#include "app/open_conf_dialog.h"
#include "app/standard_boxes_gui.h"
#include "base/app_state.h"
#include "base/text_table.h"
#include "config/access_rules_dialog.h"
#include "config/diagnosis_dialog.h"
#include "config/general_params_dialog.h"
#include "config/io_map_dialog.h"
#include "output/gsd_step.h"
#include "text/language_file.h"
#include "text/no_version_source.h"
#include "text/soft_options_dialog.h"
#include "update/boot_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

namespace {

class Camera {
public:
    explicit Camera(const QString& out_dir) : out_dir_(out_dir) {}

    // Shows the window, lets it lay itself out and saves its picture.
    void Shoot(QWidget& window, const QString& name) {
        window.show();
        for (int k = 0; k < 5; ++k) {
            QCoreApplication::processEvents();
            QThread::msleep(10);
        }
        const QString path = QDir(out_dir_).filePath(name + QStringLiteral(".png"));
        if (!window.grab().save(path, "PNG"))
            failures_ << QStringLiteral("cannot write ") + QDir::toNativeSeparators(path);
        else
            written_ << path;
    }

    // An editor as its step opens it: it loads its document, then shows.
    void Shoot_Dialog(Frame_Dialog& dialog, const QString& name) {
        dialog.FormShow();
        Shoot(dialog, name);
    }

    const QStringList& Written() const { return written_; }
    const QStringList& Failures() const { return failures_; }

private:
    QString out_dir_;
    QStringList written_;
    QStringList failures_;
};

bool Copy_Folder_Files(const QString& from, const QString& to) {
    if (!QDir().mkpath(to))
        return false;
    for (const QString& name : QDir(from).entryList(QDir::Files))
        if (!QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name)))
            return false;
    return true;
}

template <class Widget> Widget* Control(QWidget* window, const char* name) {
    return window->findChild<Widget*>(QLatin1String(name));
}

// Opens a sample configuration as the Open step does.
void Open_Sample(TFStruttoreFirmWare& window, App_State& state, const QString& name) {
    Open_Configuration(state, name);
    window.Set_Files();
    window.Load_Configuration();
    window.Set_Lang();
}

// The rules editor of the open configuration: both pages, then the I/O map.
void Shoot_Rules(Camera& camera, TFSetAccess& rules, const QString& suffix) {
    rules.FormShow();
    rules.resize(rules.width(), 430); // a few more rows than at first
    rules.Show_Rule_Row(Rule_Table::Read, 2);
    camera.Shoot(rules, QStringLiteral("access_rules_read") + suffix);
    rules.Show_Rule_Row(Rule_Table::Write, 1);
    camera.Shoot(rules, QStringLiteral("access_rules_write") + suffix);
    rules.Show_Rule_Row(Rule_Table::Read, 1);
    rules.Btn_IOMapClick();
    if (TFIOMap* map = rules.IO_Map_Window()) {
        map->resize(map->width(), 400);
        camera.Shoot(*map, QStringLiteral("io_map") + suffix);
        map->close();
    }
    rules.hide();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2 || args[1].startsWith(u'-')) {
        err << "Usage: kc40927-screenshots OUT_DIR\n\nWrites the pictures of docs/USER_GUIDE.md as "
               "OUT_DIR/<name>.png.\n";
        return 2;
    }
    const QString out_dir = args[1];
    if (!QDir().mkpath(out_dir)) {
        err << "kc40927-screenshots: cannot create " << QDir::toNativeSeparators(out_dir) << "\n";
        return 1;
    }

    // The program folder: the installed language files and the samples.
    QTemporaryDir program_dir;
    if (!program_dir.isValid() ||
        !Copy_Folder_Files(QStringLiteral(KC_LANGUAGE_SOURCE),
                           program_dir.filePath(QStringLiteral("LANGUAGE"))) ||
        !QDir().mkpath(program_dir.filePath(QStringLiteral("PROJECTS")))) {
        err << "kc40927-screenshots: cannot prepare a program folder in " << QDir::tempPath() << "\n";
        return 1;
    }
    Write_Sample_Configurations(program_dir.filePath(QStringLiteral("PROJECTS")));

    App_State state;
    Text_Table texts;
    Silent_Services ui;
    No_Newer_Version versions;
    Sample_Ports ports;
    const Update_Services system = System_Update_Services();
    const Update_Services services{system.starter, system.echo,  system.lookup,
                                   ports,          system.clock, system.timing};

    TFStruttoreFirmWare window(state, texts, ui, versions, program_dir.path());
    window.Create_Dialogs(services);
    Main_Window_Dialogs& dialogs = window.Dialogs();
    Camera camera(out_dir);

    // Step 1: nothing open yet; a new configuration; opening one.
    camera.Shoot(window, QStringLiteral("main_window_start"));
    dialogs.FNew_Project->FormShow();
    if (auto* name = Control<QLineEdit>(dialogs.FNew_Project, "E_New_Proj"))
        name->setText(QStringLiteral("Bottling_Plant"));
    camera.Shoot(*dialogs.FNew_Project, QStringLiteral("new_configuration"));
    dialogs.FNew_Project->hide();
    dialogs.FOpenConf->FormShow();
    if (auto* list = Control<QListWidget>(dialogs.FOpenConf, "ListBox1")) {
        const QList<QListWidgetItem*> items = list->findItems(Serial_Sample, Qt::MatchExactly);
        if (!items.isEmpty())
            list->setCurrentItem(items.first());
    }
    camera.Shoot(*dialogs.FOpenConf, QStringLiteral("open_configuration"));
    dialogs.FOpenConf->hide();

    // The hardware without Ethernet: every step, the diagnosis list too.
    Open_Sample(window, state, Serial_Sample);
    camera.Shoot(window, QStringLiteral("main_window"));
    camera.Shoot_Dialog(*dialogs.FParGen, QStringLiteral("communication_serial"));
    dialogs.FParGen->hide();
    Shoot_Rules(camera, *dialogs.FSetAccess, QString());
    camera.Shoot_Dialog(*dialogs.FSetDiagnosis, QStringLiteral("diagnosis"));
    dialogs.FSetDiagnosis->hide();
    // The GSD step as the main window runs it: the program's save chooser
    // in the configuration folder, then the file written there.
    const QString gsd_name = Serial_Sample + QStringLiteral(".gsd");
    ui.Save_Chooser = [&](const QString& dir, const QString& filter) {
        const auto chooser = Make_Save_File_Dialog(&window, dir, filter, texts);
        chooser->setViewMode(QFileDialog::List); // no dates: the same picture every time
        chooser->selectFile(gsd_name);
        camera.Shoot(*chooser, QStringLiteral("gsd_file"));
        chooser->hide();
        return QDir(dir).filePath(gsd_name);
    };
    Create_GSD_File(state, texts, ui);
    ui.Save_Chooser = nullptr;
    if (!QFileInfo::exists(Join_Path(state.Conf_Dir, gsd_name)))
        ui.Refused_Too(QStringLiteral("the GSD step wrote no ") + gsd_name);
    dialogs.FBoot->Set_Form_Type(window.Sel_Hard());
    camera.Shoot_Dialog(*dialogs.FBoot, QStringLiteral("update_serial"));
    dialogs.FBoot->hide();

    // The hardware with Ethernet, whose rules overlap.
    Open_Sample(window, state, Ethernet_Sample);
    camera.Shoot(window, QStringLiteral("main_window_ethernet"));
    camera.Shoot_Dialog(*dialogs.FParGen, QStringLiteral("communication_ethernet"));
    dialogs.FParGen->hide();
    Shoot_Rules(camera, *dialogs.FSetAccess, QStringLiteral("_ethernet"));
    dialogs.FBoot->Set_Form_Type(window.Sel_Hard());
    camera.Shoot_Dialog(*dialogs.FBoot, QStringLiteral("update_ethernet"));
    dialogs.FBoot->hide();

    // Options and languages, the about box, and the main window in German.
    Open_Sample(window, state, Serial_Sample);
    dialogs.FSoftOptions->FormShow();
    camera.Shoot(*dialogs.FSoftOptions, QStringLiteral("options_language"));
    if (auto* pages = Control<QTabWidget>(dialogs.FSoftOptions, "PC_Options")) {
        pages->setCurrentIndex(1);
        camera.Shoot(*dialogs.FSoftOptions, QStringLiteral("options_connection"));
        pages->setCurrentIndex(2);
        camera.Shoot(*dialogs.FSoftOptions, QStringLiteral("options_settings"));
    }
    dialogs.FSoftOptions->hide();
    dialogs.FAbout->FormShow();
    camera.Shoot(*dialogs.FAbout, QStringLiteral("about"));
    dialogs.FAbout->hide();
    state.Language_Name = QStringLiteral("Deutsch");
    Load_Language(state, texts);
    window.Change_Language();
    camera.Shoot(window, QStringLiteral("main_window_german"));

    for (const QString& failure : camera.Failures() + ui.Refused())
        err << "kc40927-screenshots: " << failure << "\n";
    if (!camera.Failures().isEmpty() || !ui.Refused().isEmpty())
        return 1;
    QTextStream(stdout) << camera.Written().size() << " pictures in " << QDir::toNativeSeparators(out_dir)
                        << "\n";
    return 0;
}
