#include "BatchCommand.h"

#include "AppFolder.h"
#include "BatchPlan.h"
#include "BatchProgress.h"
#include "BatchRunner.h"
#include "CliOptions.h"
#include "ConsoleObserver.h"
#include "ErrorReport.h"
#include "formats/DictionaryFormats.h"
#include "InputFile.h"
#include "InterruptWatcher.h"
#include "OutputGenerators.h"
#include "PurifiedDatabase.h"
#include "WorkClaim.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <unistd.h>

namespace {

// The language pair the reference names, or nothing when it is already a purified
// database; raises the error that names the reference when it cannot serve.
std::optional<QString> referencePair(const QString &reference)
{
    requireReadableInput(reference, InputRole::Reference);
    if (IsPurifiedDatabase(reference))
        return std::nullopt;
    QString pair;
    const DictionaryFormat *format = DetectDictionaryFormat(reference, &pair);
    if (!format || !format->reference)
        Errors::raiseText(unrecognisedFormatText(InputRole::Reference) + QStringLiteral(": ") + reference);
    return pair;
}

// What every job is handed: the options as one preset file, and the reference or,
// once purified, the database in the batch's work folder (or where --save-db names).
BatchRunner::Setup jobSetup(const CliRequest &request, const std::optional<QString> &pair, const QString &workFolder)
{
    if (!QDir().mkdir(workFolder))
        Errors::raise(Errors::PathFileAccess, workFolder);
    BatchRunner::Setup setup;
    setup.program = QCoreApplication::applicationFilePath();
    setup.reference = QFileInfo(request.files.reference).absoluteFilePath();
    setup.optionsFile = QDir(workFolder).filePath(QStringLiteral("options.ini"));
    setup.workFolder = workFolder;
    setup.jobs = request.jobs > 0 ? request.jobs : QThread::idealThreadCount();
    setup.keepWorkFiles = request.keepWorkFiles;
    setup.inPlace = request.inPlace;
    cliOptionState(request, AppFolder::file(QStringLiteral("Tallyra.ini"))).saveToIni(setup.optionsFile);
    if (pair) {
        setup.databasePath = QDir(workFolder).filePath(QStringLiteral("reference.db"));
        if (request.saveDatabase) {
            setup.databasePath = request.savedDatabasePath.isEmpty() ? automaticDatabaseName(setup.reference)
                                                                     : request.savedDatabasePath;
        }
        setup.referencePair = *pair;
    }
    return setup;
}

int runJobs(const CliRequest &request, const BatchPlan &plan, const std::optional<QString> &pair, QTextStream &out,
            QTextStream &err)
{
    WorkClaim::removeStale(AppFolder::path());
    const WorkClaim claim = WorkClaim::make(AppFolder::path(), QStringLiteral("tlybatch-XXXXXX"));
    const struct RemoveWorkFolder {
        QString folder;
        ~RemoveWorkFolder()
        {
            if (!folder.isEmpty())
                QDir(folder).removeRecursively();
        }
    } workFolder{request.keepWorkFiles ? QString() : claim.path()};
    const BatchRunner::Setup setup = jobSetup(request, pair, claim.path());
    BatchProgress progress(int(plan.items().size()), out, err, isatty(STDERR_FILENO));
    BatchRunner runner(setup, plan.items(), progress);
    const int signal = runner.run();
    if (signal != 0)
        return 128 + signal;
    progress.finish(plan.skipped());
    return progress.failed() + plan.skipped() > 0 ? 1 : 0;
}

}

int runBatch(const CliRequest &request, QTextStream &out, QTextStream &err)
{
    // Until the jobs run there is nothing to stop in order: an interrupt ends the batch
    // at once, whatever it waits on, and what it made is left under its owner mark for
    // the next run to clear away. Once they run, the runner stops them.
    const InterruptWatcher watcher([](int signal) {
        if (!BatchRunner::interruptRunning(signal))
            _exit(128 + signal);
    });
    const BatchPlan plan = BatchPlan::make(request, err);
    if (plan.refused())
        return 2;
    try {
        const std::optional<QString> pair = referencePair(request.files.reference);
        // Only now that the reference is known to serve.
        if (!plan.makeOutputFolders(err))
            return 1;
        return runJobs(request, plan, pair, out, err);
    } catch (const AppError &error) {
        err << ConsoleObserver::text(error.reportAt(cliErrorLocation()), request.names()) << Qt::endl;
        return 1;
    }
}
