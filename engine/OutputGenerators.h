#pragma once

#include "JobObserver.h"
#include "JobOutcome.h"
#include "LineScanner.h"
#include "SqlStatements.h"
#include "WorkFiles.h"

#include <QString>

#include <array>
#include <memory>

class DictionaryStage;
struct JobSettings;
class JobStatistics;
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
// result and reports each stage's time. The to-do format decides the scripts and the
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
    virtual const char *className() const = 0;
    virtual bool todoIsTwoLineText() const = 0;
    virtual bool referenceIsGlossary() const = 0;
    // What differs for the editor's import: where the entries come from, which table
    // takes the results, how the entry table is dumped and what is made of the dump.
    virtual std::unique_ptr<TodoLoader> createTodoLoader() const;
    virtual QString todoReportedFile() const { return m_files.todo; }
    virtual WorkTable resultTable() const { return WorkTable::O; }
    virtual void writeDump(ShellScript &script) const;
    // The stage that shows the second database run, and the file its result names.
    virtual int secondRunStage() const { return DatabaseStage; }
    virtual QString secondRunReportedFile() const { return QString(); }
    virtual void finishOutput();
    // The rise of the pseudo-percentage per piece of database output.
    virtual int progressStep() const;

    StageLabel &label(int stage) { return *m_labels[stage]; }
    const JobSettings &m_settings;
    JobFiles m_files;
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

// The format pair of a processor job: P is a PASSOLO glossary, O two-line text; the
// first letter of a class name is the to-do dictionary's, the second the reference's.
template <bool TwoLineTodo, bool GlossaryReference>
class FormatPairGenerator : public OutputGenerator {
public:
    using OutputGenerator::OutputGenerator;

protected:
    bool todoIsTwoLineText() const override { return TwoLineTodo; }
    bool referenceIsGlossary() const override { return GlossaryReference; }
};

class clsDikGenPP : public FormatPairGenerator<false, true> {
    using FormatPairGenerator::FormatPairGenerator;
    const char *className() const override { return "clsDikGenPP"; }
};

class clsDikGenPO : public FormatPairGenerator<false, false> {
    using FormatPairGenerator::FormatPairGenerator;
    const char *className() const override { return "clsDikGenPO"; }
};

class clsDikGenOP : public FormatPairGenerator<true, true> {
    using FormatPairGenerator::FormatPairGenerator;
    const char *className() const override { return "clsDikGenOP"; }
};

class clsDikGenOO : public FormatPairGenerator<true, false> {
    using FormatPairGenerator::FormatPairGenerator;
    const char *className() const override { return "clsDikGenOO"; }
};
