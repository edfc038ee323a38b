#include "OutputGenerators.h"

#include "AppFolder.h"
#include "CaptureConsole.h"
#include "ErrorReport.h"
#include "JobSettings.h"
#include "JobStatistics.h"
#include "PathNames.h"
#include "ReferenceLoaders.h"
#include "ResultWriters.h"
#include "RunningJob.h"
#include "TodoLoaders.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>

namespace {

constexpr int ShellFailed = 1001;
constexpr qsizetype OutputTailLength = 800;
// sqlite3's line mode puts the column name right-aligned in five characters and " = "
// before every value.
constexpr qsizetype LineModePrefix = 8;

QString joinQuery(bool caseInsensitive)
{
    return caseInsensitive
        ? QStringLiteral("SELECT DISTINCT S.so,S.sh,R.r2,S.sk,S.st FROM R INNER JOIN S ON Upper(R.r1)=S.sm;")
        : QStringLiteral("SELECT DISTINCT S.so,S.sh,R.r2,S.sk,S.st FROM R INNER JOIN S ON R.r1=S.sm;");
}

[[noreturn]] void raiseShellFailure(int status, const QString &output)
{
    QString description = status == cCaptureConsole::NotStarted
        ? QStringLiteral("无法启动数据库脚本")
        : QStringLiteral("数据库脚本执行失败（退出状态 %1）").arg(status);
    const QString tail = output.right(OutputTailLength).trimmed();
    if (!tail.isEmpty())
        description += QStringLiteral(":\r\n") + tail;
    throw AppError(ShellFailed, description);
}

// A database from elsewhere is input too: a tab or LF in an R value would split the
// join's tab-separated records and put its text on unrelated entries. A CR is text in
// those records, and a glossary value may hold one, so a database we saved is accepted.
void rejectUnsafeReferenceDatabase(const QString &path)
{
    const QString query = QStringLiteral("SELECT count(*) FROM R WHERE r1 GLOB '*['||char(9,10)||']*' "
                                         "OR r2 GLOB '*['||char(9,10)||']*';");
    cCaptureConsole console;
    const QString output = console.ShellConsole(
        {QStringLiteral("sqlite3"), QStringLiteral("-safe"), QStringLiteral("-readonly"), path, query}, QString());
    if (console.exitStatus() != 0)
        raiseShellFailure(console.exitStatus(), output);
    if (output.trimmed() != u"0")
        Errors::raiseText(QStringLiteral("参照数据库的R表中有含制表符或换行符的值，不能用作参照: %1").arg(path));
}

}

OutputGenerator::OutputGenerator(const JobSettings &settings, const JobFiles &files, JobObserver &observer,
                                 JobStatistics *statistics)
    : m_settings(settings),
      m_files(files),
      m_observer(observer, settings.options.chkaKeepTmpFile),
      m_statistics(statistics)
{
    for (int i = 0; i < MaxStages; ++i)
        m_labels[i] = std::make_unique<StageLabel>(m_observer, i);
}

OutputGenerator::~OutputGenerator() = default;

JobOutcome OutputGenerator::Start()
{
    const struct Forget {
        ~Forget() { RunningJob::setWorkFiles({}); }
    } forgetWorkFiles;
    const bool done = runJob();
    if (!done && !m_settings.options.chkaKeepTmpFile) {
        // A failed job's scripts, partial databases and dumps would pile up in the
        // program folder with every retry.
        for (const QString &file : m_work.all())
            QFile::remove(file);
    }
    if (done)
        return {};
    return {JobOutcome::Kind::StageFailed, m_observer.passedOn()};
}

bool OutputGenerator::runJob()
{
    try {
        if (!m_settings.referenceDatabasePath.isEmpty())
            rejectUnsafeReferenceDatabase(m_settings.referenceDatabasePath);
        BuildBatScript();
        if (m_settings.referenceDatabasePath.isEmpty() && !loadReference())
            return false;
        if (!loadTodo())
            return false;
        label(DatabaseStage).finish(runDatabase(m_work.ScriptFile.path, DatabaseStage), QString());
        if (!writeResult())
            return false;
        if (throughEntryTable()) {
            label(secondRunStage())
                .finish(runDatabase(m_work.SecondScriptFile.path, secondRunStage()), secondRunReportedFile());
            finishOutput();
        }
    } catch (const AppError &error) {
        m_observer.errorReported(error.reportAt(classLocation(className(), QStringLiteral("Start"))));
        return false;
    }
    if (!m_settings.options.chkaKeepTmpFile)
        DeleteWorkFiles();
    return true;
}

void KeptWorkFilesObserver::errorReported(const ErrorReport &report)
{
    ErrorReport noted = report;
    if (m_keep)
        noted.description += QStringLiteral("\r\n临时文件保留在: ") + QDir::toNativeSeparators(AppFolder::path());
    m_passedOn = noted;
    m_target.errorReported(noted);
}

void OutputGenerator::BuildBatScript()
{
    m_work = WorkFiles::draw(throughEntryTable());
    // Kept work files stay the user's even when the job is interrupted.
    QStringList interrupted{m_work.ownerMark()};
    if (!m_settings.options.chkaKeepTmpFile) {
        interrupted = m_work.all();
        if (m_settings.referenceDatabasePath.isEmpty() && m_settings.options.chkSaveRefDB)
            interrupted << savedDatabaseName() + QStringLiteral(".part");
    }
    RunningJob::setWorkFiles(interrupted);
    writeFirstScript();
    if (throughEntryTable())
        writeSecondScript();
}

QString automaticDatabaseName(const QString &reference)
{
    const QString dayHour = QDateTime::currentDateTime().toString(QStringLiteral("ddhh"));
    return ChangeExtension(reference, u'_' + dayHour + QStringLiteral(".db"));
}

QString OutputGenerator::savedDatabaseName() const
{
    if (!m_settings.options.txtSaveRefDB.isEmpty())
        return m_settings.options.txtSaveRefDB;
    return automaticDatabaseName(m_files.reference);
}

void OutputGenerator::writeFirstScript() const
{
    const bool keep = m_settings.options.chkaKeepTmpFile;
    ShellScript script;
    script.echo(m_work.ReferenceSqlFile.name);
    if (!m_settings.referenceDatabasePath.isEmpty()) {
        script.copy(m_settings.referenceDatabasePath, m_work.DatabaseFile.name);
    } else {
        script.sqlite(m_work.DatabaseFile.name, m_work.ReferenceSqlFile.name);
        if (m_settings.options.chkSaveRefDB)
            script.copyReplacing(m_work.DatabaseFile.name, savedDatabaseName());
    }
    script.echo(m_work.TodoSqlFile.name);
    script.sqlite(m_work.DatabaseFile.name, m_work.TodoSqlFile.name);
    if (throughEntryTable()) {
        script.echo(m_work.TodoSqlFile2.name);
        script.sqlite(m_work.DatabaseFile.name, m_work.TodoSqlFile2.name);
    }
    script.echo(m_work.JoinResultFile.name);
    script.sqliteQuery({QStringLiteral("-separator"), QStringLiteral("\t")}, m_work.DatabaseFile.name,
                       joinQuery(m_settings.options.chkaUpperCase), m_work.JoinResultFile.name);
    if (!keep) {
        QStringList scripts{m_work.ReferenceSqlFile.name, m_work.TodoSqlFile.name};
        if (throughEntryTable())
            scripts << m_work.TodoSqlFile2.name;
        else
            scripts << m_work.DatabaseFile.name;
        script.remove(scripts);
    }
    script.save(m_work.ScriptFile.path);
}

void OutputGenerator::writeSecondScript() const
{
    ShellScript script;
    script.echo(m_work.UpdateSqlFile.name);
    script.sqlite(m_work.DatabaseFile.name, m_work.UpdateSqlFile.name);
    script.echo(m_work.OutputDumpFile.name);
    writeDump(script);
    if (!m_settings.options.chkaKeepTmpFile)
        script.remove({m_work.UpdateSqlFile.name});
    script.save(m_work.SecondScriptFile.path);
}

bool OutputGenerator::runStage(DictionaryStage &stage, Stage index, const QString &reportedFile)
{
    stage.setStateLabel(m_labels[index].get());
    stage.setAwkControl(&m_awk);
    if (!stage.DoItNow())
        return false;
    m_labels[index]->finish(stage.ProcessTime(), reportedFile);
    return true;
}

bool OutputGenerator::loadReference()
{
    const std::unique_ptr<ReferenceLoader> loader = m_reference->reference->loader(m_settings);
    loader->setInputFile(m_files.reference);
    loader->setOutputFile(m_work.ReferenceSqlFile.path);
    if (m_statistics && m_settings.options.chkaUpperCase) {
        loader->setStatistics(m_statistics);
        m_statistics->setCaseCounting(JobStatistics::CaseCounting::Counted);
    }
    return runStage(*loader, ReferenceStage, m_files.reference);
}

bool OutputGenerator::loadTodo()
{
    const std::unique_ptr<TodoLoader> loader = createTodoLoader();
    if (throughEntryTable()) {
        loader->setOutputFile1(m_work.TodoSqlFile.path);
        loader->setOutputFile2(m_work.TodoSqlFile2.path);
    } else {
        loader->setOutputFile(m_work.TodoSqlFile.path);
    }
    loader->setInputFile(m_files.todo);
    loader->setStatistics(m_statistics);
    return runStage(*loader, TodoStage, todoReportedFile());
}

int OutputGenerator::progressStep() const
{
    return QRandomGenerator::global()->bounded(8, 17);
}

qint64 OutputGenerator::runDatabase(const QString &script, int stage)
{
    StageLabel &progress = label(stage);
    int progressPercent = 0;
    cCaptureConsole console;
    console.OutputAvailable = [&](const QString &) {
        // A pseudo-percentage: the shell's output only paces it, so it must not claim
        // completion before the stage has ended.
        progressPercent = std::min(99, progressPercent + progressStep());
        progress.showPercent(progressPercent);
    };
    QElapsedTimer clock;
    clock.start();
    const QString output = console.ShellConsole({QStringLiteral("/bin/sh"), script}, AppFolder::path());
    if (console.exitStatus() != 0)
        raiseShellFailure(console.exitStatus(), output);
    return clock.elapsed();
}

void OutputGenerator::writeDump(ShellScript &script) const
{
    script.sqliteQuery({QStringLiteral("-line")}, m_work.DatabaseFile.name, QStringLiteral("SELECT o0,o2 FROM O;"),
                       m_work.OutputDumpFile.name);
}

std::unique_ptr<ResultWriter> OutputGenerator::createResultWriter() const
{
    auto writer = std::make_unique<clsDikUPB3>(m_settings, resultTable());
    writer->setOutputFile(m_work.UpdateSqlFile.path);
    return writer;
}

bool OutputGenerator::writeResult()
{
    const std::unique_ptr<ResultWriter> writer = createResultWriter();
    writer->setInputFile(m_work.JoinResultFile.path);
    writer->setStatistics(m_statistics);
    return runStage(*writer, ResultStage, m_work.JoinResultFile.path);
}

// The two-line result: an empty first line, then each entry's number line and
// translation line from the dump, records separated by the dump's empty lines.
void OutputGenerator::finishOutput()
{
    StageLabel &spinning = label(ResultStage);
    QElapsedTimer clock;
    clock.start();
    ProgressClock spinner;
    TextFileReader dump(m_work.OutputDumpFile.path, TextEncoding::Utf8, LineEnd::Lf);
    TextFileWriter output(m_files.output, m_settings.outputEncoding);
    output.lines().writeLine(QString());
    QString line;
    while (dump.lines().readLine(line)) {
        if (spinner.due())
            spinning.spin();
        output.lines().writeLine(QStringView(line).mid(std::min(LineModePrefix, line.size())));
    }
    output.commit();
    spinning.finish(clock.elapsed(), QString());
}

void OutputGenerator::DeleteWorkFiles() const
{
    QStringList files{m_work.JoinResultFile.path, m_work.ScriptFile.path};
    if (throughEntryTable()) {
        files = {m_work.JoinResultFile.path, m_work.OutputDumpFile.path,
                 m_work.ScriptFile.path, m_work.SecondScriptFile.path, m_work.DatabaseFile.path};
    }
    for (const QString &file : files)
        QFile::remove(file);
}

FormatPairGenerator::FormatPairGenerator(const JobSettings &settings, const JobFiles &files,
                                         const DictionaryFormat &todo, const DictionaryFormat &reference,
                                         JobObserver &observer, JobStatistics *statistics)
    : OutputGenerator(settings, files, observer, statistics), m_todo(todo)
{
    m_reference = &reference;
}

QString FormatPairGenerator::className() const
{
    return QStringLiteral("clsDikGen") + m_todo.letter + m_reference->letter;
}

std::unique_ptr<TodoLoader> FormatPairGenerator::createTodoLoader() const
{
    return m_todo.todo->loader(m_settings);
}

std::unique_ptr<ResultWriter> FormatPairGenerator::createResultWriter() const
{
    if (throughEntryTable())
        return OutputGenerator::createResultWriter();
    std::unique_ptr<ResultWriter> writer = m_todo.todo->resultWriter(m_settings, m_files);
    writer->setOutputFile(m_files.output);
    return writer;
}
