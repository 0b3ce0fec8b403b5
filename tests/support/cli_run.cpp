#include "cli_run.h"

#include <QJsonDocument>
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
#ifdef Q_OS_WIN
    // The console's text mode ends lines in CR LF, as cmd.exe shows them.
    result.out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.err.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
#endif
    return result;
}

QJsonObject Json_Object(const QString& text) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        qWarning("not a JSON object: %s (%s)", qPrintable(text), qPrintable(error.errorString()));
    return document.object();
}
