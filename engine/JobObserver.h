#pragma once

#include "ErrorReport.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <optional>

// How far a running stage is: the scanned share of its input, or, where no share is
// known, a row of one to six steps that grows with the work.
struct StageProgress {
    enum class Kind { Percent, Spinner };
    Kind kind;
    int value;
};

// A finished stage: its time and, where it names a file, that file's size (0 when
// the file cannot be read).
struct StageResult {
    int stage;
    qint64 milliseconds;
    std::optional<qint64> bytes;
};

// What a job tells the window or console that runs it. The engine calls these from
// its loops at most every 500 ms (and at every piece of database output); the
// implementations may let the event loop run there.
class JobObserver {
public:
    virtual ~JobObserver() = default;
    virtual void stageProgress(int stage, StageProgress progress) = 0;
    virtual void stageFinished(const StageResult &result) = 0;
    virtual void errorReported(const ErrorReport &report) = 0;
};

// The result label of one stage as the engine writes to it: the engine keeps the
// row of steps so that it grows from what is shown.
class StageLabel {
public:
    StageLabel(JobObserver &observer, int stage) : m_observer(observer), m_stage(stage) {}
    int stage() const { return m_stage; }
    void showPercent(int percent);
    // One more step, starting again at one after six.
    void spin();
    // UpdateStateLabel: the stage's time and, when a file is named, its size.
    void finish(qint64 milliseconds, const QString &fileName);
    JobObserver &observer() { return m_observer; }

private:
    JobObserver &m_observer;
    int m_stage;
    int m_steps = 0;
};

// The captions of the processor's four stages, in stage order.
const QStringList &processorStageCaptions();

// What a stage's result label shows. Running: "45%" or "***". Finished:
// "时间: 1,234ms 大小: 4,882KB", or "时间: 1,234ms" without a file, with the user's
// locale's thousands separator.
QString stageCaption(StageProgress progress);
QString stageCaption(const StageResult &result);
// "时间: 1,234ms"
QString timeCaption(qint64 milliseconds);

// Tells a loop when 500 ms have passed since it last showed progress.
class ProgressClock {
public:
    ProgressClock() { m_timer.start(); }
    bool due();

private:
    QElapsedTimer m_timer;
    qint64 m_last = 0;
};
