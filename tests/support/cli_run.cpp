#include "cli_run.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QSignalSpy>

Cli_Result Run_Cli(const QStringList& args, const Cli_Run& how) {
    QProcess process;
    if (how.without_display) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QLatin1String(name));
        process.setProcessEnvironment(environment);
    }
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(how.program, args);
    Cli_Result result;
    if (!process.waitForStarted() || !finished.wait(static_cast<int>(how.limit.count())) ||
        process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.status = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}
