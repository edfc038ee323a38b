#pragma once

#include "AppFolder.h"
#include "JobDriver.h"
#include "JobObserver.h"
#include "TestData.h"
#include "TextFile.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>

// Records what a job reports, as a window would show it.
class RecordingObserver : public JobObserver {
public:
    QList<StageResult> finished;
    QList<int> finishedStages;
    QStringList databaseProgress;  // the captions of stage 2 while sqlite3 ran
    QList<int> progressStages;
    QList<ErrorReport> errors;

    void stageProgress(int stage, StageProgress progress) override
    {
        if (!progressStages.contains(stage))
            progressStages.append(stage);
        if (stage == 2)
            databaseProgress.append(stageCaption(progress));
    }
    void stageFinished(const StageResult &result) override
    {
        finishedStages.append(result.stage);
        finished.append(result);
    }
    void errorReported(const ErrorReport &report) override { errors.append(report); }
};

// A folder for dictionaries, with a program folder for the work files in it.
class JobFolder {
public:
    explicit JobFolder(const QString &subfolder = QString())
        : m_root(m_dir.path() + (subfolder.isEmpty() ? QString() : u'/' + subfolder))
    {
        QDir().mkpath(m_root + QStringLiteral("/app"));
        AppFolder::set(m_root + QStringLiteral("/app"));
    }

    QString path(const QString &name) const { return m_root + u'/' + name; }

    // Lines written in GB18030 with CR LF.
    void write(const QString &name, const QStringList &lines) const
    {
        writeBytes(name, TextCodec::encode(lines.join(u"\r\n"_qs) + u"\r\n"_qs, TextEncoding::Gb18030));
    }
    void writeBytes(const QString &name, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(path(name)).path());
        ::writeBytes(path(name), bytes);
    }

    // Every file below tests/data/<folder>, into this folder's own subfolders.
    void copyData(const QString &folder) const
    {
        const QString from = testDataPath(folder);
        for (QDirIterator files(from, QDir::Files, QDirIterator::Subdirectories); files.hasNext();) {
            const QString name = QDir(from).relativeFilePath(files.next());
            writeBytes(name, readBytes(files.filePath()));
        }
    }

    // A database the real sqlite3 builds from the SQL given.
    void createDatabase(const QString &name, const QString &sql) const
    {
        QProcess sqlite;
        sqlite.start(u"sqlite3"_qs, {path(name), sql});
        if (!sqlite.waitForFinished() || sqlite.exitCode() != 0)
            qFatal("sqlite3 failed: %s", sqlite.readAllStandardError().constData());
    }

    QByteArray read(const QString &name) const { return readBytes(path(name)); }

    QStringList readLines(const QString &name) const
    {
        QStringList lines = TextCodec::decode(read(name), TextEncoding::Gb18030).split(u"\r\n"_qs);
        if (lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    bool noFileBelow(const QString &name) const
    {
        return !QDirIterator(path(name), QDir::Files, QDirIterator::Subdirectories).hasNext();
    }

    QStringList workFiles() const
    {
        QStringList files = QDir(AppFolder::path()).entryList(QDir::Files);
        files.removeAll(QStringLiteral("POLOLID.ini"));
        return files;
    }

private:
    QTemporaryDir m_dir;
    QString m_root;
};
