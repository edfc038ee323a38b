#include "ResultWriters.h"

#include "ErrorReport.h"
#include "JobSettings.h"
#include "JobStatistics.h"
#include "SqlScriptWriter.h"

namespace {
constexpr int FieldsPerMatch = 5;
}

void ResultWriter::setStatistics(JobStatistics *statistics)
{
    m_statistics = statistics;
    if (statistics && m_settings.options.chkaUpperCase) {
        ProcessingOptions exact = m_settings.options;
        exact.chkaUpperCase = false;
        m_caseSensitiveRules.emplace(exact);
    }
}

void ResultWriter::run()
{
    m_scanner->setFieldSeparator(QStringLiteral("\t"));
    m_scanner->setFileName(m_inputFile);
    // The match result is a work file, written by sqlite3 in UTF-8 with LF line ends.
    m_scanner->setEncoding(TextEncoding::Utf8, LineEnd::Lf);
    open();
    m_scanner->start(*this);
}

void ResultWriter::scanBegin(LineScanner &)
{
    startClock();
}

void ResultWriter::scanRecord(LineScanner &scanner)
{
    showPercent(scanner.percentDone());
    // sqlite3 writes every match as five fields; any other count means a value broke
    // the record apart, and reading on would put text on the wrong entries.
    if (scanner.fieldCount() != FieldsPerMatch)
        Errors::raiseText(QStringLiteral("查询结果中有字段数不是 %1 的记录: %2").arg(FieldsPerMatch).arg(m_inputFile));
    write(scanner.fieldView(1), m_settings.rules.RedressTranslation(scanner.fieldView(2), scanner.fieldView(3),
                                                                    scanner.fieldView(4), scanner.fieldView(5)));
    if (m_statistics)
        count(scanner);
}

void ResultWriter::scanEnd(LineScanner &)
{
    close();
    stopClock();
}

void ResultWriter::count(LineScanner &scanner)
{
    const QStringView so = scanner.fieldView(1);
    const QString key = m_caseSensitiveRules ? m_caseSensitiveRules->SplitSourceParts(so.toString()).sm : QString();
    m_statistics->addMatch(so, scanner.fieldView(2), scanner.fieldView(4), scanner.fieldView(5), key);
}

clsDikUPB3::clsDikUPB3(const JobSettings &settings, WorkTable table) : ResultWriter(settings), m_table(table)
{
}

void clsDikUPB3::open()
{
    m_script = std::make_unique<UpdateScriptWriter>(m_outputFile, m_table);
}

void clsDikUPB3::write(QStringView source, const QString &translation)
{
    m_script->writeUpdate(translation, source);
}

void clsDikUPB3::close()
{
    m_script->finish();
}
