#include "app/first_paint_exit_gui.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The value in kB of the line starting with `key` (e.g. "Pss:") of a /proc
// status file; -1 when the file or the line is not there.
long long Proc_Kb(const char* path, const char* key) {
    std::FILE* file = std::fopen(path, "r");
    if (!file)
        return -1;
    long long kb = -1;
    char line[256];
    const std::size_t key_length = std::strlen(key);
    while (std::fgets(line, sizeof line, file)) {
        if (std::strncmp(line, key, key_length) == 0) {
            kb = std::strtoll(line + key_length, nullptr, 10);
            break;
        }
    }
    std::fclose(file);
    return kb;
}

void Report_Memory_And_Quit() {
    const long long rss = Proc_Kb("/proc/self/status", "VmRSS:");
    const long long pss = Proc_Kb("/proc/self/smaps_rollup", "Pss:");
    std::printf("first_paint rss_kb=%lld pss_kb=%lld\n", rss, pss);
    std::fflush(stdout);
    QCoreApplication::quit();
}

class First_Paint_Exit : public QObject {
public:
    explicit First_Paint_Exit(QWidget& window) : QObject(&window) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Queued: the paint in progress ends first.
            QMetaObject::invokeMethod(qApp, &Report_Memory_And_Quit, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool seen_ = false;
};

} // namespace

void Exit_After_First_Paint_If_Asked(QWidget& window) {
    if (qEnvironmentVariableIsEmpty("KC_EXIT_AFTER_FIRST_PAINT"))
        return;
    window.installEventFilter(new First_Paint_Exit(window));
}
