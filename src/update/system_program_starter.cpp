#include "update/start_program.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>

#ifdef Q_OS_WIN
#include "update/update_options.h"
#endif

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;
#endif

namespace {

// The file a started program writes its output and error channels to, and
// the configurator's own read position in it. The file is removed with this
// object; a program still writing keeps its open file.
class Output_File {
public:
    bool Create(QString& error) {
        file_.setFileTemplate(QDir(QDir::tempPath()).filePath(QStringLiteral("kc40927-update-XXXXXX.log")));
        if (!file_.open()) {
            error = QStringLiteral("cannot create %1: %2")
                        .arg(QDir::toNativeSeparators(file_.fileTemplate()), file_.errorString());
            return false;
        }
        file_.close(); // the name stays taken until this object goes
        reader_.setFileName(file_.fileName());
        if (!reader_.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            error = QStringLiteral("cannot read %1: %2")
                        .arg(QDir::toNativeSeparators(file_.fileName()), reader_.errorString());
            return false;
        }
        return true;
    }
    QString Path() const { return file_.fileName(); }
    QByteArray Read() { return reader_.readAll(); }

private:
    QTemporaryFile file_;
    QFile reader_;
};

bool Check_Program(const QString& program, QString& error) {
    const QFileInfo info(program);
    if (!info.exists()) {
        error = QStringLiteral("the file does not exist");
        return false;
    }
    if (!info.isFile() || !info.isExecutable()) {
        error = QStringLiteral("the file is not an executable program");
        return false;
    }
    return true;
}

} // namespace

#ifdef Q_OS_UNIX

namespace {

// Programs that were still running when nobody watched them any more. They
// are reaped as they end, so no finished child lingers.
std::mutex orphans_mutex;
std::vector<pid_t> orphans;

void Reap_Orphans() {
    std::lock_guard<std::mutex> lock(orphans_mutex);
    std::erase_if(orphans, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

class Posix_Program : public Started_Program {
public:
    Posix_Program(pid_t pid, std::unique_ptr<Output_File> output) : pid_(pid), output_(std::move(output)) {}
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
        if (done == pid_) {
            ended_ = true;
            if (WIFSIGNALED(status))
                end_ = {true, WTERMSIG(status)};
            else if (WIFEXITED(status))
                end_ = {false, WEXITSTATUS(status)};
        } else if (done < 0 && errno == ECHILD) {
            ended_ = true; // reaped elsewhere: how it ended is not known
        }
        return ended_;
    }
    Program_End End() const override { return end_; }
    QByteArray Read_Output() override { return output_->Read(); }
    qint64 Process_Id() const override { return pid_; }
    void Stop() override {
        if (!ended_)
            kill(pid_, SIGKILL);
    }

private:
    pid_t pid_;
    std::unique_ptr<Output_File> output_;
    bool ended_ = false;
    Program_End end_;
};

} // namespace

System_Program_Starter::~System_Program_Starter() {
    Reap_Orphans();
}

std::unique_ptr<Started_Program> System_Program_Starter::Start(const QString& program,
                                                               const Program_Arguments& arguments,
                                                               bool /*show_window*/, QString& error) {
    Reap_Orphans();
    if (!Check_Program(program, error))
        return nullptr;
    auto output = std::make_unique<Output_File>();
    if (!output->Create(error))
        return nullptr;

    // Each argument is handed over as it is: no shell and no splitting.
    const QByteArray path = QFile::encodeName(program);
    std::vector<QByteArray> args{path};
    for (const QString& arg : arguments.list)
        args.push_back(QFile::encodeName(arg));
    std::vector<char*> argv;
    for (QByteArray& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    const QByteArray output_path = QFile::encodeName(output->Path());
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output_path.constData(), O_WRONLY | O_APPEND, 0);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    const int status = posix_spawn(&pid, path.constData(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (status != 0) {
        error = QString::fromLocal8Bit(std::strerror(status));
        return nullptr;
    }
    return std::make_unique<Posix_Program>(pid, std::move(output));
}

#else

namespace {

class Qt_Program : public Started_Program {
public:
    Qt_Program(QProcess* process, std::unique_ptr<Output_File> output)
        : process_(process), output_(std::move(output)) {}
    ~Qt_Program() override {
        // Deleting a running QProcess kills it; a program that outlives the
        // watch must go on, so its QProcess is left to the end of the run.
        if (!Has_Ended())
            process_.release();
    }
    bool Has_Ended() override {
        return process_->state() == QProcess::NotRunning || process_->waitForFinished(0);
    }
    Program_End End() const override {
        return {process_->exitStatus() == QProcess::CrashExit, process_->exitCode()};
    }
    QByteArray Read_Output() override { return output_->Read(); }
    qint64 Process_Id() const override { return process_->processId(); }
    void Stop() override { process_->kill(); }

private:
    std::unique_ptr<QProcess> process_;
    std::unique_ptr<Output_File> output_;
};

} // namespace

System_Program_Starter::~System_Program_Starter() = default;

std::unique_ptr<Started_Program> System_Program_Starter::Start(const QString& program,
                                                               const Program_Arguments& arguments,
                                                               bool /*show_window*/, QString& error) {
    if (!Check_Program(program, error))
        return nullptr;
    auto output = std::make_unique<Output_File>();
    if (!output->Create(error))
        return nullptr;
    auto process = std::make_unique<QProcess>();
    process->setProgram(program);
    // The program's own command line as given, or the one the C runtime's
    // argument split takes apart into exactly the arguments. Never Qt's
    // quoting of an argument list.
    process->setNativeArguments(
        arguments.windows_command_line.value_or(Windows_Command_Line(arguments.list)));
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(output->Path(), QIODevice::Append);
    process->setStandardErrorFile(output->Path(), QIODevice::Append);
    process->start();
    if (!process->waitForStarted()) {
        error = process->errorString();
        return nullptr;
    }
    return std::make_unique<Qt_Program>(process.release(), std::move(output));
}

#endif
