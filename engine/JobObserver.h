#pragma once

#include "ErrorReport.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

// What a job tells the window or console that runs it. The engine calls these from
// its loops at most every 500 ms (and at every piece of database output); the
// implementations may let the event loop run there.
class JobObserver {
public:
    virtual ~JobObserver() = default;
    // The running caption of a stage's result label: "45%", "***".
    virtual void stageProgress(int stage, const QString &caption) = 0;
    // A stage ended; caption is the formatted "时间: 1,234ms 大小: 4,882KB".
    virtual void stageFinished(int stage, qint64 milliseconds, const QString &fileName, const QString &caption) = 0;
    virtual void errorReported(const ErrorReport &report) = 0;
};

// The result label of one stage as the engine writes to it: the engine keeps the
// caption so that the growing "*" row and the percentage follow what is shown.
class StageLabel {
public:
    StageLabel(JobObserver &observer, int stage) : m_observer(observer), m_stage(stage) {}
    int stage() const { return m_stage; }
    const QString &caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // One more "*", starting again at one after six.
    void spin();
    // UpdateStateLabel: the stage's time and, when a file is named, its size.
    void finish(qint64 milliseconds, const QString &fileName);
    JobObserver &observer() { return m_observer; }

private:
    JobObserver &m_observer;
    int m_stage;
    QString m_caption;
};

// The captions of the processor's four stages, in stage order.
const QStringList &processorStageCaptions();

// "时间: 1,234ms 大小: 4,882KB", or "时间: 1,234ms" without a file; an unreadable file
// shows 0KB. The thousands separator is the user's locale's.
QString formatStageCaption(qint64 milliseconds, const QString &fileName);

// Tells a loop when 500 ms have passed since it last showed progress.
class ProgressClock {
public:
    ProgressClock() { m_timer.start(); }
    bool due();

private:
    QElapsedTimer m_timer;
    qint64 m_last = 0;
};
