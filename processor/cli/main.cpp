#include "AppFolder.h"
#include "BatchCommand.h"
#include "CheckCommand.h"
#include "CliOptions.h"
#include "ConsoleObserver.h"
#include "ConsoleText.h"
#include "ErrorReport.h"
#include "FileSizeLimit.h"
#include "InterruptWatcher.h"
#include "JobDriver.h"
#include "JobSummary.h"
#include "ResultClashes.h"
#include "RunningJob.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

namespace {

// What a single run would write over what it reads, or lose of it.
QString singleRunClash(const CliRequest &request)
{
    QString clash = ResultClashes::ofResult(request.files.output, request.files.todo, request);
    if (clash.isEmpty())
        clash = ResultClashes::ofSavedDatabase(request, {request.files.todo});
    if (clash.isEmpty() && request.inPlace)
        clash = ResultClashes::ofInPlaceUpdate(request.files.todo);
    return clash;
}

int runJob(const CliRequest &request, QTextStream &out, QTextStream &err)
{
    ProcessingOptions options;
    try {
        options = cliJobOptions(request, AppFolder::file(QStringLiteral("Tallyra.ini")));
    } catch (const AppError &error) {
        err << ConsoleObserver::text(error.reportAt(cliErrorLocation()), request.names()) << Qt::endl;
        return 1;
    }
    ConsoleObserver observer(request.names());
    JobDriver driver(cliErrorLocation());
    driver.setPurifiedReferencePair(request.referencePair);
    if (!driver.run(request.files, options, observer).done())
        return 1;
    JobSummary summary = JobSummary::of(driver.statistics());
    summary.print(out);
    if (request.resultLine) {
        summary.referenceMs = observer.referenceMilliseconds();
        out << summary.resultLine() << Qt::endl;
    }
    return 0;
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    reportWritesPastFileSizeLimit();
    QCoreApplication::setApplicationName(QStringLiteral("Tallyra"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString error;
    const std::optional<CliRequest> request = parseCliArguments(QCoreApplication::arguments().mid(1), &error);
    if (!request) {
        (error.isEmpty() ? out : err) << (error.isEmpty() ? QString() : error + QStringLiteral("\n\n")) << cliUsage();
        return error.isEmpty() ? 0 : 2;
    }
    if (!request->appFolder.isEmpty())
        AppFolder::set(request->appFolder);
    else
        AppFolder::initialise();
    if (request->isCheck())
        return runCheck(*request, out, err);
    if (!request->presetFile.isEmpty() && !QFileInfo(request->presetFile).isFile()) {
        err << QStringLiteral("配置文件不存在: %1").arg(shownName(request->presetFile)) << Qt::endl;
        return 2;
    }
    if (request->isBatch())
        return runBatch(*request, out, err);
    if (const QString clash = singleRunClash(*request); !clash.isEmpty()) {
        err << clash << Qt::endl;
        return 2;
    }
    // An interrupted job takes its database shell and its work files with it.
    const InterruptWatcher watcher([](int signal) {
        RunningJob::interrupt();
        _exit(128 + signal);
    });
    return runJob(*request, out, err);
}
