#pragma once

#include "AppFolder.h"
#include "JobDriver.h"
#include "JobObserver.h"
#include "TextFile.h"

#include <QDir>
#include <QFile>
#include <QStringList>
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

// A folder with dictionaries written in GB18030 and a program folder for the work files.
class JobFolder {
public:
    explicit JobFolder(const QString &subfolder = QString())
    {
        m_root = m_dir.path() + (subfolder.isEmpty() ? QString() : u'/' + subfolder);
        QDir().mkpath(m_root);
        AppFolder::set(m_root + QStringLiteral("/app"));
    }

    QString path(const QString &name) const { return m_root + u'/' + name; }

    QString write(const QString &name, const QStringList &lines,
                  TextEncoding encoding = TextEncoding::Gb18030) const
    {
        QByteArray bytes;
        for (const QString &line : lines)
            bytes += TextCodec::encode(line, encoding) + "\r\n";
        writeBytes(name, bytes);
        return path(name);
    }

    void writeBytes(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }

    QByteArray read(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The produced file as text lines (decoded from GB18030).
    QStringList readLines(const QString &name) const
    {
        QStringList lines = TextCodec::decode(read(name), TextEncoding::Gb18030).split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
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
