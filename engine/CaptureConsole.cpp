#include "CaptureConsole.h"

#include "ErrorReport.h"
#include "RunningJob.h"

#include <QStandardPaths>
#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char **environ;

namespace {

// What the forked processes need, prepared before the fork: after it only
// async-signal-safe calls may run.
struct SpawnPlan {
    QByteArray program;
    std::vector<QByteArray> encoded;
    std::vector<char *> argv;
    QByteArray directory;
    int pipeRead = -1;
    int pipeWrite = -1;
    bool isStdOut = true;
    bool isStdErr = true;
    pid_t parent = 0;
};

void killOwnGroup(int)
{
    kill(0, SIGKILL);
}

[[noreturn]] void execCommand(const SpawnPlan &plan)
{
    const int input = open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (input >= 0)
        dup2(input, STDIN_FILENO);
    if (plan.isStdOut)
        dup2(plan.pipeWrite, STDOUT_FILENO);
    if (plan.isStdErr)
        dup2(plan.pipeWrite, STDERR_FILENO);
    if (plan.directory.isEmpty() || chdir(plan.directory.constData()) == 0)
        execve(plan.program.constData(), plan.argv.data(), environ);
    _exit(127);
}

// The forked child: leads a process group of its own that holds the command and
// everything the command starts, and takes the whole group down when our process
// ends in any way (the kernel tells it by SIGTERM), so that no sqlite3 outlives us.
[[noreturn]] void superviseCommand(const SpawnPlan &plan)
{
    setpgid(0, 0);
    struct sigaction onTerm = {};
    onTerm.sa_handler = killOwnGroup;
    sigemptyset(&onTerm.sa_mask);
    sigaction(SIGTERM, &onTerm, nullptr);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    // The death signal follows the thread that forked us; it cannot fire for a
    // parent that was already gone before it was set.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != plan.parent)
        killOwnGroup(0);
    const pid_t command = fork();
    if (command == 0)
        execCommand(plan);
    close(plan.pipeRead);
    close(plan.pipeWrite);
    if (command < 0)
        _exit(127);
    int waitStatus = 0;
    while (waitpid(command, &waitStatus, 0) < 0 && errno == EINTR) {
    }
    _exit(WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : 128 + WTERMSIG(waitStatus));
}

// The program as execve needs it: a name without a slash is looked up in PATH.
QByteArray programPath(const QString &program)
{
    const QString found = program.contains(u'/') ? program : QStandardPaths::findExecutable(program);
    const QByteArray path = found.toLocal8Bit();
    return !path.isEmpty() && access(path.constData(), X_OK) == 0 ? path : QByteArray();
}

int statusOf(int waitStatus)
{
    if (WIFEXITED(waitStatus))
        return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus))
        return 128 + WTERMSIG(waitStatus);
    return cCaptureConsole::NotStarted;
}

}

QString cCaptureConsole::ShellConsole(const QStringList &arguments, const QString &currentDirectory, bool isStdOut,
                                      bool isStdErr)
{
    m_exitStatus = NotStarted;
    if (!isStdOut && !isStdErr)
        Errors::raise(Errors::InvalidCall);
    int pipeEnds[2];
    if (arguments.isEmpty() || pipe2(pipeEnds, O_CLOEXEC) != 0)
        return QString();

    SpawnPlan plan;
    plan.program = programPath(arguments.first());
    for (const QString &argument : arguments)
        plan.encoded.push_back(argument.toLocal8Bit());
    for (QByteArray &argument : plan.encoded)
        plan.argv.push_back(argument.data());
    plan.argv.push_back(nullptr);
    plan.directory = currentDirectory.toLocal8Bit();
    plan.pipeRead = pipeEnds[0];
    plan.pipeWrite = pipeEnds[1];
    plan.isStdOut = isStdOut;
    plan.isStdErr = isStdErr;
    plan.parent = getpid();

    pid_t child = -1;
    const bool allowed = !plan.program.isEmpty() && RunningJob::startProcessGroup([&plan, &child] {
        child = fork();
        if (child == 0)
            superviseCommand(plan);
        // Set from both sides, so that the group exists whichever runs first.
        if (child > 0)
            setpgid(child, child);
        return std::max(child, pid_t(0));
    });
    // Our copy of the write end must go, or the pipe never reports its end.
    close(pipeEnds[1]);
    if (!allowed || child < 0) {
        close(pipeEnds[0]);
        return QString();
    }

    QString output;
    QStringDecoder decoder(QStringDecoder::Utf8);
    char buffer[BufferSize];
    for (;;) {
        const ssize_t count = read(pipeEnds[0], buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        const QString chunk = decoder.decode(QByteArrayView(buffer, count));
        output += chunk;
        if (OutputAvailable)
            OutputAvailable(chunk);
    }
    close(pipeEnds[0]);

    int waitStatus = 0;
    while (waitpid(child, &waitStatus, 0) < 0 && errno == EINTR) {
    }
    RunningJob::endProcessGroup();
    m_exitStatus = statusOf(waitStatus);
    return output;
}
