#pragma once

#include "JobObserver.h"
#include "LineScanner.h"
#include "WorkFiles.h"

#include <QString>

#include <array>
#include <memory>

class DictionaryStage;
struct JobSettings;
class JobStatistics;

// The three files a job is about, as the user named them.
struct JobFiles {
    QString todo;
    QString reference;
    QString output;
};

// Runs one pre-translation job: writes the job's scripts, runs the loaders that turn
// the dictionaries into SQL scripts, runs the scripts through sqlite3, writes the
// result and reports each stage's time. The to-do format decides the scripts and the
// result; the reference format only the reference loader.
class OutputGenerator {
public:
    enum Stage { ReferenceStage, TodoStage, DatabaseStage, ResultStage, StageCount };

    OutputGenerator(const JobSettings &settings, const JobFiles &files, JobObserver &observer,
                    JobStatistics *statistics);
    virtual ~OutputGenerator();

    // The whole job; false when a stage failed (its error has been reported).
    bool Start();
    const WorkFiles &workFiles() const { return m_work; }

protected:
    virtual const char *className() const = 0;
    virtual bool todoIsTwoLineText() const = 0;
    virtual bool referenceIsGlossary() const = 0;

private:
    void BuildBatScript();
    QString savedDatabaseName() const;
    void writeFirstScript() const;
    void writeSecondScript() const;
    bool runStage(DictionaryStage &stage, Stage index, const QString &reportedFile);
    bool loadReference();
    bool loadTodo();
    void runDatabase(const QString &script);
    bool writeResult();
    void assembleOutput();
    void DeleteWorkFiles() const;

    const JobSettings &m_settings;
    JobFiles m_files;
    JobObserver &m_observer;
    JobStatistics *m_statistics;
    LineScanner m_awk;
    WorkFiles m_work;
    std::array<std::unique_ptr<StageLabel>, StageCount> m_labels;
};

// P: PASSOLO glossary, O: two-line text; first letter the to-do, second the reference.
class clsDikGenPP : public OutputGenerator {
public:
    using OutputGenerator::OutputGenerator;

protected:
    const char *className() const override { return "clsDikGenPP"; }
    bool todoIsTwoLineText() const override { return false; }
    bool referenceIsGlossary() const override { return true; }
};

class clsDikGenPO : public OutputGenerator {
public:
    using OutputGenerator::OutputGenerator;

protected:
    const char *className() const override { return "clsDikGenPO"; }
    bool todoIsTwoLineText() const override { return false; }
    bool referenceIsGlossary() const override { return false; }
};

class clsDikGenOP : public OutputGenerator {
public:
    using OutputGenerator::OutputGenerator;

protected:
    const char *className() const override { return "clsDikGenOP"; }
    bool todoIsTwoLineText() const override { return true; }
    bool referenceIsGlossary() const override { return true; }
};

class clsDikGenOO : public OutputGenerator {
public:
    using OutputGenerator::OutputGenerator;

protected:
    const char *className() const override { return "clsDikGenOO"; }
    bool todoIsTwoLineText() const override { return true; }
    bool referenceIsGlossary() const override { return false; }
};
