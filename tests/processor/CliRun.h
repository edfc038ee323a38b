#pragma once

#include <QProcess>
#include <QStringList>

#include <functional>

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// childSetup runs in the child before tallyra-cli starts (limits, for instance).
inline CliRun runCli(const QStringList &arguments, const QString &workingFolder = QString(),
                     const std::function<void()> &childSetup = {})
{
    QProcess cli;
    cli.setWorkingDirectory(workingFolder);
    if (childSetup)
        cli.setChildProcessModifier(childSetup);
    cli.start(QStringLiteral(TALLYRA_CLI_PATH), arguments);
    cli.waitForFinished(60000);
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput()), QString::fromUtf8(cli.readAllStandardError())};
}

// A table's text with its line breaks as the console writes them.
inline QString consoleText(const QString &tableText)
{
    return QString(tableText).replace(u"\r\n"_qs, u"\n"_qs);
}
