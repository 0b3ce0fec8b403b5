// Start-up cost of the main window: constructing it with everything start-up
// creates (folders, settings file, language file, step layout, the dialogs)
// and showing it, against a bare QMainWindow shown in the same binary.
#include "app/main_window.h"
#include "base/app_state.h"
#include "base/dialog_services_gui.h"
#include "base/text_table.h"
#include "base/ui_services.h"
#include "text/no_version_source.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>

namespace {

// No box is expected during start-up; any that came would be answered No.
class Silent_Ui : public Dialog_Services {
public:
    void Error_Box(const QString&) override {}
    void Warning_Box(const QString&) override {}
    bool Question_Box(const QString&, Default_Answer) override { return false; }
    QString Choose_Save_File(const QString&, const QString&) override { return {}; }
    bool Open_Url(const QString&) override { return true; }
    void Link_Failure_Box(const QString&, const QString&) override {}
    int Show_Modal(QDialog&) override { return QDialog::Rejected; }
};

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// A program folder as a user has it: an open configuration with its general
// parameters document, a settings file and a language file.
struct Program_Folder {
    QTemporaryDir dir;
    Program_Folder() {
        QDir().mkpath(dir.filePath("PROJECTS/Plant/bin"));
        QDir().mkpath(dir.filePath("LANGUAGE"));
        QDir().mkpath(dir.filePath("MASTER"));
        Write(dir.filePath("PROJECTS/Plant/ParGen.xml"),
              "<Par_Gen><Hardware_Type>0</Hardware_Type></Par_Gen><!--SW_VERSION = 2.110-->");
        Write(dir.filePath("Struttor.xml"),
              "<Conf_Settings><lastproj><projectname>Plant</projectname></lastproj><lastipadd><ipaddress>"
              "192.168.2.205</ipaddress></lastipadd><lastlang><language>Italiano</language></lastlang>"
              "<lastinternet><enable_internet>0</enable_internet><enable_update>0</enable_update>"
              "<enable_jump_field_tables>0</enable_jump_field_tables><Double_Click_Auto_Size>0"
              "</Double_Click_Auto_Size></lastinternet></Conf_Settings>");
        QByteArray lines;
        for (int i = 0; i < 1000; ++i)
            lines += "STR " + QByteArray::number(i) + " =Testo " + QByteArray::number(i) + "\r\n";
        Write(dir.filePath("LANGUAGE/Italiano.lng"), lines);
    }
};

void BM_Bare_Main_Window(benchmark::State& bench) {
    for (auto _ : bench) {
        QMainWindow window;
        window.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_Bare_Main_Window)->Unit(benchmark::kMicrosecond);

// A second baseline: a plain QMainWindow holding as many labels, buttons and
// dialogs as the main window, with the same standard icons, but no files read
// and no texts applied. The difference to it is what the configurator's own
// start-up adds.
void BM_Plain_Window_Same_Widgets(benchmark::State& bench) {
    for (auto _ : bench) {
        QMainWindow window;
        auto* central = new QWidget(&window);
        window.setCentralWidget(central);
        for (int i = 0; i < 15; ++i)
            (new QLabel(QStringLiteral("Label"), central))->setGeometry(10, 20 * i, 200, 20);
        for (int i = 0; i < 7; ++i)
            (new QPushButton(QStringLiteral("Button"), central))->setGeometry(220, 40 * i, 200, 36);
        for (QStyle::StandardPixmap icon :
             {QStyle::SP_MessageBoxInformation, QStyle::SP_FileDialogDetailedView,
              QStyle::SP_DialogCloseButton}) {
            auto* button = new QToolButton(central);
            button->setIcon(window.style()->standardIcon(icon));
        }
        for (int d = 0; d < 3; ++d) {
            auto* dialog = new QDialog(&window);
            auto* layout = new QVBoxLayout(dialog);
            for (int i = 0; i < 6; ++i)
                layout->addWidget(new QLabel(QStringLiteral("Label"), dialog));
            layout->addWidget(new QLineEdit(dialog));
            layout->addWidget(new QPushButton(QStringLiteral("OK"), dialog));
        }
        window.setFixedSize(600, 500);
        window.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_Plain_Window_Same_Widgets)->Unit(benchmark::kMicrosecond);

void BM_Main_Window_Start_Up(benchmark::State& bench) {
    Program_Folder folder;
    Silent_Ui ui;
    No_Newer_Version versions;
    for (auto _ : bench) {
        App_State state;
        Text_Table texts;
        TFStruttoreFirmWare window(state, texts, ui, versions, folder.dir.path());
        window.Create_Dialogs();
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.Sel_Hard());
    }
}
BENCHMARK(BM_Main_Window_Start_Up)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
