#pragma once

#include "JobObserver.h"

#include "SqlStatements.h"

#include <QElapsedTimer>
#include <QString>

#include <functional>

struct JobSettings;
class LineScanner;
class TableScriptWriter;

// What every loader and result writer shares: the stage label it shows progress on,
// its input and output, the time of its last run, and DoItNow, which traps the run's
// errors and reports them with the class's name.
class DictionaryStage {
public:
    using RecordHandler = std::function<void(const LineScanner &record, TableScriptWriter &script)>;

    explicit DictionaryStage(const JobSettings &settings) : m_settings(settings) {}
    virtual ~DictionaryStage() = default;

    // Runs the whole stage; false after an error was reported.
    bool DoItNow();
    qint64 ProcessTime() const { return m_processTime; }
    void setStateLabel(StageLabel *label) { m_label = label; }
    void setInputFile(const QString &path) { m_inputFile = path; }
    void setOutputFile(const QString &path) { m_outputFile = path; }
    // The line scanner of the glossary readers and result writers.
    void setAwkControl(LineScanner *scanner) { m_scanner = scanner; }

protected:
    virtual const char *className() const = 0;
    virtual void run() = 0;

    void startClock();
    void stopClock();
    // Shows the scanned share of the file at most every 500 ms.
    void showPercent(int percentDone);
    // Grows the row of "*" at most every 500 ms.
    void showSpinner();
    // Scans the input's tab-separated lines into a fresh script of the table, with the
    // percentage as progress; take sees every line.
    void scanTabSeparated(WorkTable table, const RecordHandler &take);

    const JobSettings &m_settings;
    StageLabel *m_label = nullptr;
    LineScanner *m_scanner = nullptr;
    QString m_inputFile;
    QString m_outputFile;

private:
    QElapsedTimer m_clock;
    ProgressClock m_progress;
    qint64 m_processTime = 0;
};
