#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

inline CliRun runCli(const QStringList &arguments, const QString &workingFolder = QString())
{
    QProcess cli;
    cli.setWorkingDirectory(workingFolder);
    cli.start(QStringLiteral(TALLYRA_CLI_PATH), arguments);
    cli.waitForFinished(60000);
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput()), QString::fromUtf8(cli.readAllStandardError())};
}
