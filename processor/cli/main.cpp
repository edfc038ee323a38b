#include "AppFolder.h"
#include "CliOptions.h"
#include "ConsoleObserver.h"
#include "ErrorReport.h"
#include "FileSizeLimit.h"
#include "JobDriver.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace {

const QString CliLocation = QStringLiteral("Module 'tallyra-cli' -> 'main'");

void printSummary(const JobStatistics &statistics, QTextStream &out)
{
    out << QStringLiteral("已预翻译 %1 / %2 条未译条目").arg(statistics.translatedCandidates()).arg(statistics.candidates())
        << Qt::endl;
    QString caseCount = QString::number(statistics.hitsNeeding(JobStatistics::LetterCase));
    if (statistics.caseCounting() == JobStatistics::CaseCounting::Unknown)
        caseCount = QStringLiteral("不详(参照为已净化的数据库)");
    out << QStringLiteral("命中条目所用的规则: 加速键(&X) %1，快捷键(\\t) %2，前后空格 %3，末尾冒号或省略号 %4，大小写 %5")
               .arg(statistics.hitsNeeding(JobStatistics::Accelerator))
               .arg(statistics.hitsNeeding(JobStatistics::Shortcut))
               .arg(statistics.hitsNeeding(JobStatistics::Spaces))
               .arg(statistics.hitsNeeding(JobStatistics::TrailingMark))
               .arg(caseCount)
        << Qt::endl;
}

int runJob(const CliRequest &request, QTextStream &out, QTextStream &err)
{
    if (!request.appFolder.isEmpty())
        AppFolder::set(request.appFolder);
    else
        AppFolder::initialise();
    if (!request.presetFile.isEmpty() && !QFileInfo(request.presetFile).isFile()) {
        err << QStringLiteral("配置文件不存在: %1").arg(request.presetFile) << Qt::endl;
        return 2;
    }
    ProcessingOptions options;
    try {
        options = cliJobOptions(request, AppFolder::file(QStringLiteral("Tallyra.ini")));
    } catch (const AppError &error) {
        err << QString(error.reportAt(CliLocation).boxText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
            << Qt::endl;
        return 1;
    }
    ConsoleObserver observer;
    JobDriver driver(CliLocation);
    if (!driver.run(request.files, options, observer))
        return 1;
    printSummary(driver.statistics(), out);
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
    return runJob(*request, out, err);
}
