#include "update/start_program.h"

#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

// Programs that were still running when nobody waited for them any more.
// They are reaped as they end, so no finished child lingers.
std::mutex orphans_mutex;
std::vector<pid_t> orphans;

void Reap_Orphans() {
    std::lock_guard<std::mutex> lock(orphans_mutex);
    std::erase_if(orphans, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

class Posix_Program : public Started_Program {
public:
    explicit Posix_Program(pid_t pid) : pid_(pid) {}
    ~Posix_Program() override {
        if (!ended_ && !Has_Ended()) {
            std::lock_guard<std::mutex> lock(orphans_mutex);
            orphans.push_back(pid_);
        }
    }
    bool Has_Ended() override {
        if (ended_)
            return true;
        int status = 0;
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_ || (done < 0 && errno == ECHILD))
            ended_ = true;
        return ended_;
    }
    qint64 Process_Id() const override { return pid_; }

private:
    pid_t pid_;
    bool ended_ = false;
};

} // namespace

System_Program_Starter::~System_Program_Starter() {
    Reap_Orphans();
}

std::unique_ptr<Started_Program> System_Program_Starter::Start(const QString& program,
                                                               const QString& command_line, bool show_window,
                                                               QString& error) {
    Reap_Orphans();
    const QFileInfo info(program);
    if (!info.exists()) {
        error = QStringLiteral("the file does not exist");
        return nullptr;
    }
    if (!info.isFile() || !info.isExecutable()) {
        error = QStringLiteral("the file is not an executable program");
        return nullptr;
    }
    const QByteArray path = QFile::encodeName(program);
    std::vector<QByteArray> args{path};
    // QProcess::startCommand crashes on a blank command; only split what holds text.
    if (!command_line.trimmed().isEmpty())
        for (const QString& arg : QProcess::splitCommand(command_line))
            args.push_back(QFile::encodeName(arg));
    std::vector<char*> argv;
    for (QByteArray& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!show_window) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = 0;
    const int status = posix_spawn(&pid, path.constData(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (status != 0) {
        error = QString::fromLocal8Bit(std::strerror(status));
        return nullptr;
    }
    return std::make_unique<Posix_Program>(pid);
}

#else

namespace {

class Qt_Program : public Started_Program {
public:
    explicit Qt_Program(QProcess* process) : process_(process) {}
    ~Qt_Program() override {
        // Deleting a running QProcess kills it; a program that outlives the
        // wait must go on, so its QProcess is left to the end of the run.
        if (!Has_Ended())
            process_.release();
    }
    bool Has_Ended() override {
        return process_->state() == QProcess::NotRunning || process_->waitForFinished(0);
    }
    qint64 Process_Id() const override { return process_->processId(); }

private:
    std::unique_ptr<QProcess> process_;
};

} // namespace

System_Program_Starter::~System_Program_Starter() = default;

std::unique_ptr<Started_Program> System_Program_Starter::Start(const QString& program,
                                                               const QString& command_line, bool show_window,
                                                               QString& error) {
    const QFileInfo info(program);
    if (!info.exists()) {
        error = QStringLiteral("the file does not exist");
        return nullptr;
    }
    auto process = std::make_unique<QProcess>();
    process->setProgram(program);
#ifdef Q_OS_WIN
    process->setNativeArguments(command_line);
#else
    if (!command_line.trimmed().isEmpty())
        process->setArguments(QProcess::splitCommand(command_line));
#endif
    if (show_window)
        process->setProcessChannelMode(QProcess::ForwardedChannels);
    else
        process->setStandardOutputFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted()) {
        error = process->errorString();
        return nullptr;
    }
    return std::make_unique<Qt_Program>(process.release());
}

#endif
