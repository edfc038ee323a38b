#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Runs one command as a child process with its standard output and/or standard error
// joined in one pipe, reads at most 1024 bytes at a time and hands each piece to
// OutputAvailable as it arrives, and returns the whole text when the stream ends.
// Unlike a plain capture it also keeps the child's exit status, so that a failing
// command is not taken for a success.
class cCaptureConsole {
public:
    static constexpr int BufferSize = 1024;
    // Exit status when the child could not be started.
    static constexpr int NotStarted = -1;

    std::function<void(const QString &)> OutputAvailable;

    // arguments[0] is the program, looked up in PATH; no shell parses the arguments.
    // Capturing neither stream raises error 5. A child that cannot be started gives
    // an empty text, no event, and the exit status NotStarted.
    QString ShellConsole(const QStringList &arguments, const QString &currentDirectory, bool isStdOut = true,
                         bool isStdErr = true);
    // The child's exit code, 128 + the signal number when a signal ended it.
    int exitStatus() const { return m_exitStatus; }

private:
    int m_exitStatus = NotStarted;
};
