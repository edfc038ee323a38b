#pragma once

#include "JobObserver.h"
#include "JobOutcome.h"
#include "LineScanner.h"
#include "SqlStatements.h"
#include "WorkFiles.h"
#include "formats/DictionaryFormats.h"

#include <QString>

#include <array>
#include <memory>

class DictionaryStage;
struct JobSettings;
class JobStatistics;
class ReferenceLoader;
class ResultWriter;
class ShellScript;
class TodoLoader;

// The three files a job is about, as the user named them.
struct JobFiles {
    QString todo;
    QString reference;
    QString output;
};

// Passes every report on to the job's observer; the error text of a job that keeps
// its work files says where they are, so they can be inspected.
class KeptWorkFilesObserver : public JobObserver {
public:
    KeptWorkFilesObserver(JobObserver &target, bool keep) : m_target(target), m_keep(keep) {}
    void stageProgress(int stage, StageProgress progress) override { m_target.stageProgress(stage, progress); }
    void stageFinished(const StageResult &result) override { m_target.stageFinished(result); }
    void errorReported(const ErrorReport &report) override;
    // The report as it was passed on, if there was one.
    const std::optional<ErrorReport> &passedOn() const { return m_passedOn; }

private:
    JobObserver &m_target;
    bool m_keep;
    std::optional<ErrorReport> m_passedOn;
};

// The name a purified reference database is saved under when none was given: the
// reference's name with "_", the day and the hour ("ddhh") and ".db" for its extension.
QString automaticDatabaseName(const QString &reference);

// Runs one pre-translation job: writes the job's scripts, runs the loaders that turn
// the dictionaries into SQL scripts, runs the scripts through sqlite3, writes the
// result and reports each stage's time. The to-do's route decides the scripts and the
// result; the reference format only the reference loader.
class OutputGenerator {
public:
    enum Stage { ReferenceStage, TodoStage, DatabaseStage, ResultStage, StageCount };
    // The editor's import shows the second database run as a stage of its own.
    static constexpr int MaxStages = 5;

    OutputGenerator(const JobSettings &settings, const JobFiles &files, JobObserver &observer,
                    JobStatistics *statistics);
    virtual ~OutputGenerator();

    // The whole job: done, or the stage failure that has been reported.
    JobOutcome Start();
    const WorkFiles &workFiles() const { return m_work; }

protected:
    virtual QString className() const = 0;
    virtual TodoRole::Route todoRoute() const = 0;
    // With its outputs and input still to be set.
    virtual std::unique_ptr<TodoLoader> createTodoLoader() const = 0;
    virtual QString todoReportedFile() const { return m_files.todo; }
    // Ready to write: through the entry table, the update script of resultTable().
    virtual std::unique_ptr<ResultWriter> createResultWriter() const;
    // What differs for the editor's import: which table takes the results, how the entry
    // table is dumped and what is made of the dump.
    virtual WorkTable resultTable() const { return WorkTable::O; }
    virtual void writeDump(ShellScript &script) const;
    // The stage that shows the second database run, and the file its result names.
    virtual int secondRunStage() const { return DatabaseStage; }
    virtual QString secondRunReportedFile() const { return QString(); }
    virtual void finishOutput();
    // The rise of the pseudo-percentage per piece of database output.
    virtual int progressStep() const;

    bool throughEntryTable() const { return todoRoute() == TodoRole::Route::ThroughEntryTable; }
    StageLabel &label(int stage) { return *m_labels[stage]; }
    const JobSettings &m_settings;
    JobFiles m_files;
    // The reference's format; a purified database counts as the glossary.
    const DictionaryFormat *m_reference = nullptr;
    WorkFiles m_work;

private:
    void BuildBatScript();
    QString savedDatabaseName() const;
    void writeFirstScript() const;
    void writeSecondScript() const;
    bool runStage(DictionaryStage &stage, Stage index, const QString &reportedFile);
    bool loadReference();
    bool loadTodo();
    qint64 runDatabase(const QString &script, int stage);
    bool writeResult();
    bool runJob();
    void DeleteWorkFiles() const;

    KeptWorkFilesObserver m_observer;
    JobStatistics *m_statistics;
    LineScanner m_awk;
    std::array<std::unique_ptr<StageLabel>, MaxStages> m_labels;
};

// A processor job: the to-do's format decides the to-do loader and the route and writer
// of the result, the reference's format the reference loader. Its name in error boxes
// carries the formats' letters, to-do first: clsDikGenOP.
class FormatPairGenerator : public OutputGenerator {
public:
    FormatPairGenerator(const JobSettings &settings, const JobFiles &files, const DictionaryFormat &todo,
                        const DictionaryFormat &reference, JobObserver &observer, JobStatistics *statistics);

protected:
    QString className() const override;
    TodoRole::Route todoRoute() const override { return m_todo.todo->route; }
    std::unique_ptr<TodoLoader> createTodoLoader() const override;
    std::unique_ptr<ResultWriter> createResultWriter() const override;

private:
    const DictionaryFormat &m_todo;
};
