#pragma once

#include "OutputGenerators.h"
#include "ProcessingOptions.h"
#include "TodoLoaders.h"

#include <QString>

#include <vector>

// One row of the editor's grid as the import reads and returns it: the first column,
// carried through unchanged, then status, number, source and translation.
struct GridRow {
    QString g0, gs, gn, g1, g2;
};

// The entry rows of the open document in the flat display, without group rows.
class GridRowSource {
public:
    virtual ~GridRowSource() = default;
    virtual qsizetype rowCount() const = 0;
    virtual GridRow rowAt(qsizetype row) const = 0;
};

// The editor's variants of the engine: the open document is the to-do dictionary.
namespace EditorImport {

// Writes every grid row into G (OutputFile1) and the untranslated ones within the
// length limit into S (OutputFile2); the editor selects by status, not by comparing.
class clsDikUPB2 : public TodoLoader {
public:
    clsDikUPB2(const JobSettings &settings, const GridRowSource &rows);

protected:
    const char *className() const override { return "clsDikUPB2"; }
    void run() override;

private:
    const GridRowSource &m_rows;
};

// Five stages: reference, document, first database run, review marking, second
// database run (which dumps G). The dump is read whole into rows before anything is
// handed back, so a failed import never touches the document.
class clsDikGenOO : public OutputGenerator {
public:
    clsDikGenOO(const JobSettings &settings, const QString &reference, const GridRowSource &rows,
                JobObserver &observer);
    // fmt: the reference's format; a purified database counts as the glossary.
    JobOutcome Start(const DictionaryFormat &fmt);
    std::vector<GridRow> takeResult() { return std::move(m_result); }

    enum ImportStage { SecondDatabaseStage = 4 };

protected:
    QString className() const override { return QStringLiteral("clsDikGenOO"); }
    TodoRole::Route todoRoute() const override { return TodoRole::Route::ThroughEntryTable; }
    std::unique_ptr<TodoLoader> createTodoLoader() const override;
    QString todoReportedFile() const override { return QString(); }
    WorkTable resultTable() const override { return WorkTable::G; }
    void writeDump(ShellScript &script) const override;
    int secondRunStage() const override { return SecondDatabaseStage; }
    QString secondRunReportedFile() const override;
    void finishOutput() override;
    int progressStep() const override;

private:
    const GridRowSource &m_rows;
    std::vector<GridRow> m_result;
};

}

// What an import came to, with the whole result when it was done.
struct ImportResult {
    JobOutcome outcome;
    std::vector<GridRow> rows;
};

// Steps of the import between Start and the loaded result, as the dialog runs them:
// the purified-database test, the reference's format and the generator. errorLocation
// names the caller in the error box of the errors before the generator starts.
ImportResult runImport(const QString &reference, const ProcessingOptions &options, const GridRowSource &rows,
                       JobObserver &observer, const QString &errorLocation);
