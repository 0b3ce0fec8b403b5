// The general parameters editor: creating it, showing it over a stored
// document, and confirming it (check and save), against a bare dialog shown
// the same way as the baseline; in random order after a warm-up
// (paired_runs.h).
#include "base/app_state.h"
#include "base/text_table.h"
#include "base/ui_services.h"
#include "config/general_params_dialog.h"
#include "document/general_params.h"
#include "document/general_params_check.h"
#include "paired_runs.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>

namespace {

class Silent_Ui : public Ui_Services {
public:
    void Error_Box(const QString&) override {}
    void Warning_Box(const QString&) override {}
    void Information_Box(const QString&) override {}
    bool Question_Box(const QString&, Default_Answer) override { return false; }
    QString Choose_Save_File(const QString&, const QString&) override { return {}; }
    bool Open_Url(const QString&) override { return true; }
    void Link_Failure_Box(const QString&, const QString&) override {}
};

struct Setup {
    QTemporaryDir dir;
    App_State state;
    Text_Table texts;
    Silent_Ui ui;
    Setup() {
        state.Conf_Dir = dir.path();
        state.Set_Files();
        General_Params params;
        params.Hardware_Type = 1;
        params.Profi_Enable_Error = true;
        params.Profi_Enable_Async_Mod_Req = true;
        Save_ParGen(state.ParGen_File, params);
    }
};

void BM_Bare_Dialog_Shown(benchmark::State& run) {
    for (auto _ : run) {
        QDialog dialog;
        auto* layout = new QVBoxLayout(&dialog);
        for (int i = 0; i < 40; ++i)
            layout->addWidget(new QLabel(QStringLiteral("Label"), &dialog));
        dialog.resize(460, 700);
        dialog.show();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_Bare_Dialog_Shown)->Unit(benchmark::kMillisecond);

void BM_ParGen_Created_And_Shown(benchmark::State& run) {
    Setup setup;
    for (auto _ : run) {
        TFParGen dialog(setup.state, setup.texts, setup.ui);
        dialog.FormShow();
        dialog.show();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ParGen_Created_And_Shown)->Unit(benchmark::kMillisecond);

void BM_ParGen_Shown_Again(benchmark::State& run) {
    Setup setup;
    TFParGen dialog(setup.state, setup.texts, setup.ui);
    for (auto _ : run) {
        dialog.FormShow();
        dialog.show();
        QCoreApplication::processEvents();
        dialog.hide();
    }
}
BENCHMARK(BM_ParGen_Shown_Again)->Unit(benchmark::kMillisecond);

void BM_ParGen_Check_And_Save(benchmark::State& run) {
    Setup setup;
    TFParGen dialog(setup.state, setup.texts, setup.ui);
    dialog.FormShow();
    for (auto _ : run) {
        const General_Params values = dialog.Values();
        benchmark::DoNotOptimize(Check_General_Params(values));
        Save_ParGen(setup.state.ParGen_File, values);
    }
}
BENCHMARK(BM_ParGen_Check_And_Save)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return Run_Paired_Benchmarks(argc, argv,
                                 {{"BM_ParGen_Created_And_Shown", "BM_Bare_Dialog_Shown", ""},
                                  {"BM_ParGen_Shown_Again", "BM_Bare_Dialog_Shown", ""}});
}
