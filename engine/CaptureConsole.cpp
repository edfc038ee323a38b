#include "CaptureConsole.h"

#include "ErrorReport.h"

#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char **environ;

namespace {

// The spawn's file actions: both captured streams go to the pipe, input comes from nowhere.
class SpawnActions {
public:
    SpawnActions(int pipeWriteEnd, bool isStdOut, bool isStdErr, const QByteArray &directory)
    {
        posix_spawn_file_actions_init(&m_actions);
        posix_spawn_file_actions_addopen(&m_actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        if (isStdOut)
            posix_spawn_file_actions_adddup2(&m_actions, pipeWriteEnd, STDOUT_FILENO);
        if (isStdErr)
            posix_spawn_file_actions_adddup2(&m_actions, pipeWriteEnd, STDERR_FILENO);
        if (!directory.isEmpty())
            posix_spawn_file_actions_addchdir_np(&m_actions, directory.constData());
    }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&m_actions); }
    const posix_spawn_file_actions_t *get() const { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions;
};

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

    std::vector<QByteArray> encoded;
    for (const QString &argument : arguments)
        encoded.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &argument : encoded)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    pid_t child = 0;
    int spawned;
    {
        const SpawnActions actions(pipeEnds[1], isStdOut, isStdErr, currentDirectory.toLocal8Bit());
        spawned = posix_spawnp(&child, argv[0], actions.get(), nullptr, argv.data(), environ);
    }
    // Our copy of the write end must go, or the pipe never reports its end.
    close(pipeEnds[1]);
    if (spawned != 0) {
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
    m_exitStatus = statusOf(waitStatus);
    return output;
}
