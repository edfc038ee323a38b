#include "ImportJob.h"

#include "DictionaryEntry.h"
#include "ErrorReport.h"
#include "InputFile.h"
#include "JobSettings.h"
#include "PurifiedDatabase.h"

#include <QFileInfo>
#include <QRandomGenerator>

namespace EditorImport {

clsDikUPB2::clsDikUPB2(const JobSettings &settings, const GridRowSource &rows) : TodoLoader(settings), m_rows(rows)
{
}

void clsDikUPB2::run()
{
    TableScriptWriter entries(m_outputFile1, WorkTable::G);
    TableScriptWriter candidates(m_outputFile2, WorkTable::S);
    startClock();
    for (qsizetype i = 0; i < m_rows.rowCount(); ++i) {
        showSpinner();
        const GridRow row = m_rows.rowAt(i);
        entries.writeG(row.g0, row.gs, row.gn, row.g1, row.g2);
        // The update finds the entry by its source: an untranslated entry translated
        // before may hold another entry's source as its translation.
        if (row.gs == EntryStatus::Untranslated && row.g1.size() <= m_settings.options.txtLenLimit)
            addCandidate(row.g1, row.g1, candidates);
    }
    candidates.finish();
    entries.finish();
    stopClock();
}

clsDikGenOO::clsDikGenOO(const JobSettings &settings, const QString &reference, const GridRowSource &rows,
                         JobObserver &observer)
    : OutputGenerator(settings, JobFiles{QString(), reference, QString()}, observer, nullptr), m_rows(rows)
{
}

JobOutcome clsDikGenOO::Start(const DictionaryFormat &fmt)
{
    m_reference = &fmt;
    return OutputGenerator::Start();
}

std::unique_ptr<TodoLoader> clsDikGenOO::createTodoLoader() const
{
    return std::make_unique<clsDikUPB2>(m_settings, m_rows);
}

void clsDikGenOO::writeDump(ShellScript &script) const
{
    script.sqliteQuery({QStringLiteral("-separator"), QStringLiteral("\t")}, m_work.DatabaseFile.name,
                       QStringLiteral("SELECT * FROM G;"), m_work.OutputDumpFile.name);
}

QString clsDikGenOO::secondRunReportedFile() const
{
    return m_work.OutputDumpFile.path;
}

void clsDikGenOO::finishOutput()
{
    TextFileReader dump(m_work.OutputDumpFile.path, TextEncoding::Utf8, LineEnd::Lf);
    std::vector<GridRow> rows;
    rows.reserve(m_rows.rowCount());
    QString line;
    while (dump.lines().readLine(line)) {
        const QList<QStringView> fields = QStringView(line).split(u'\t');
        const auto field = [&](int i) { return i < fields.size() ? fields[i].toString() : QString(); };
        rows.push_back({field(0), field(1), field(2), field(3), field(4)});
    }
    if (qsizetype(rows.size()) != m_rows.rowCount())
        Errors::raiseText(QStringLiteral("数据库导出的条目数(%1)与文档的条目数(%2)不符").arg(rows.size()).arg(m_rows.rowCount()));
    m_result = std::move(rows);
}

int clsDikGenOO::progressStep() const
{
    return QRandomGenerator::global()->bounded(7, 14);
}

}

ImportResult runImport(const QString &reference, const ProcessingOptions &options, const GridRowSource &rows,
                       JobObserver &observer, const QString &errorLocation)
{
    try {
        JobSettings settings(options);
        const QString referencePath = reference.isEmpty() ? reference : QFileInfo(reference).absoluteFilePath();
        requireReadableInput(referencePath, InputRole::Reference);
        if (IsPurifiedDatabase(referencePath))
            settings.referenceDatabasePath = referencePath;
        else
            rejectLegacyDatabase(referencePath);
        const DictionaryFormat *format = settings.referenceDatabasePath.isEmpty()
            ? DetectDictionaryFormat(referencePath)
            : &DictionaryFormats::purifiedDatabase();
        if (!format || !format->reference)
            Errors::raiseText(QStringLiteral("不能检测出“参照字典”的文件格式"));
        EditorImport::clsDikGenOO generator(settings, referencePath, rows, observer);
        const JobOutcome outcome = generator.Start(*format);
        if (!outcome.done())
            return {outcome, {}};
        return {outcome, generator.takeResult()};
    } catch (const AppError &error) {
        const ErrorReport report = error.reportAt(errorLocation);
        observer.errorReported(report);
        return {{JobOutcome::Kind::NotStarted, report}, {}};
    }
}
