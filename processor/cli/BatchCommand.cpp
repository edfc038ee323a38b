#include "BatchCommand.h"

#include "AppFolder.h"
#include "BatchPlan.h"
#include "BatchProgress.h"
#include "BatchRunner.h"
#include "CliOptions.h"
#include "ConsoleObserver.h"
#include "ErrorReport.h"
#include "InterruptWatcher.h"
#include "OutputGenerators.h"
#include "PurifiedDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <unistd.h>

namespace {

// The language pair the reference names, or nothing when it is already a purified
// database; raises the format error of a single run for a reference that is neither.
std::optional<QString> referencePair(const QString &reference)
{
    if (IsPurifiedDatabase(reference))
        return std::nullopt;
    QString pair;
    const DictionaryFormat *format = DetectDictionaryFormat(reference, &pair);
    if (!format || !format->reference)
        Errors::raiseText(QStringLiteral("不能检测出“未译字典”或“参照字典”的文件格式"));
    return pair;
}

// What every job is handed: the options as one preset file, and the reference or,
// once purified, the database in the batch's work folder (or where --save-db names).
BatchRunner::Setup jobSetup(const CliRequest &request, const QTemporaryDir &workFolder)
{
    if (!workFolder.isValid())
        Errors::raise(Errors::PathFileAccess, AppFolder::path());
    BatchRunner::Setup setup;
    setup.program = QCoreApplication::applicationFilePath();
    setup.reference = QFileInfo(request.files.reference).absoluteFilePath();
    setup.optionsFile = workFolder.filePath(QStringLiteral("options.ini"));
    setup.workFolder = workFolder.path();
    setup.jobs = request.jobs > 0 ? request.jobs : QThread::idealThreadCount();
    setup.keepWorkFiles = request.keepWorkFiles;
    cliOptionState(request, AppFolder::file(QStringLiteral("Tallyra.ini"))).saveToIni(setup.optionsFile);
    const std::optional<QString> pair = referencePair(setup.reference);
    if (pair) {
        setup.databasePath = workFolder.filePath(QStringLiteral("reference.db"));
        if (request.saveDatabase) {
            setup.databasePath = request.savedDatabasePath.isEmpty() ? automaticDatabaseName(setup.reference)
                                                                     : request.savedDatabasePath;
        }
        setup.referencePair = *pair;
    }
    return setup;
}

}

int runBatch(const CliRequest &request, QTextStream &out, QTextStream &err)
{
    // Runs on the batch's event loop, so an interrupt before the jobs start stops them all.
    const InterruptWatcher watcher([](int signal) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), [signal] { BatchRunner::interruptRunning(signal); },
                                  Qt::QueuedConnection);
    });
    const BatchPlan plan = BatchPlan::make(request, err);
    if (plan.refusal() != BatchPlan::Refusal::None)
        return plan.refusal() == BatchPlan::Refusal::BadArguments ? 2 : 1;
    QTemporaryDir workFolder(AppFolder::file(QStringLiteral("tlybatch-XXXXXX")));
    workFolder.setAutoRemove(!request.keepWorkFiles);
    BatchRunner::Setup setup;
    try {
        setup = jobSetup(request, workFolder);
    } catch (const AppError &error) {
        err << ConsoleObserver::text(error.reportAt(cliErrorLocation())) << Qt::endl;
        return 1;
    }
    BatchProgress progress(int(plan.items().size()), out, err, isatty(STDERR_FILENO));
    BatchRunner runner(setup, plan.items(), progress);
    const int signal = runner.run();
    if (signal != 0)
        return 128 + signal;
    progress.finish(plan.skipped());
    return progress.failed() + plan.skipped() > 0 ? 1 : 0;
}
