#include "BatchRunner.h"

#include "BatchProgress.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <mutex>

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace {
// The runner whose event loop runs; the signal watcher's thread reads it.
std::mutex g_runningLock;
BatchRunner *g_running = nullptr;
constexpr int StopWaitMs = 30000;
}

struct BatchRunner::Job {
    size_t index = 0;
    QString folder;
    bool purifying = false;
    QElapsedTimer clock;
    QDateTime started;
    QProcess process;
};

BatchRunner::BatchRunner(const Setup &setup, const std::vector<BatchItem> &items, BatchProgress &progress)
    : m_setup(setup), m_items(items), m_progress(progress), m_purified(setup.databasePath.isEmpty())
{
}

BatchRunner::~BatchRunner() = default;

int BatchRunner::run()
{
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [this] { m_progress.refresh(); });
    ticker.start(1000);
    QTimer::singleShot(0, [this] { startJobs(); });
    {
        const std::lock_guard guard(g_runningLock);
        g_running = this;
    }
    m_loop.exec();
    {
        const std::lock_guard guard(g_runningLock);
        g_running = nullptr;
    }
    // An interrupt that came as the loop ended found no loop to stop.
    if (m_signal == 0 && m_requested != 0)
        interrupt(m_requested);
    return m_signal;
}

bool BatchRunner::interruptRunning(int signal)
{
    const std::lock_guard guard(g_runningLock);
    if (!g_running)
        return false;
    g_running->m_requested = signal;
    BatchRunner *runner = g_running;
    QMetaObject::invokeMethod(&runner->m_loop, [runner, signal] { runner->interrupt(signal); }, Qt::QueuedConnection);
    return true;
}

void BatchRunner::startJobs()
{
    const size_t limit = m_purified ? size_t(m_setup.jobs) : 1;
    while (m_signal == 0 && m_next < m_items.size() && m_running.size() < limit)
        startJob(m_next++);
    if (m_running.empty())
        m_loop.quit();
}

QStringList BatchRunner::jobArguments(const BatchItem &item, const QString &folder) const
{
    QStringList arguments{QStringLiteral("--todo"), item.todo, QStringLiteral("--preset"), m_setup.optionsFile,
                          QStringLiteral("--app-folder"), folder, QStringLiteral("--result-line")};
    arguments << (m_setup.inPlace ? QStringList{QStringLiteral("--in-place")}
                                  : QStringList{QStringLiteral("--output"), item.output});
    if (m_setup.keepWorkFiles)
        arguments << QStringLiteral("--keep-work-files");
    if (!m_purified) {
        arguments << QStringLiteral("--reference") << m_setup.reference << QStringLiteral("--save-db")
                  << m_setup.databasePath;
        return arguments;
    }
    const bool ownDatabase = !m_setup.databasePath.isEmpty();
    arguments << QStringLiteral("--reference") << (ownDatabase ? m_setup.databasePath : m_setup.reference);
    if (ownDatabase && !m_setup.referencePair.isEmpty())
        arguments << QStringLiteral("--reference-pair") << m_setup.referencePair;
    return arguments;
}

void BatchRunner::startJob(size_t index)
{
    auto job = std::make_unique<Job>();
    job->index = index;
    job->folder = QDir(m_setup.workFolder).filePath(QStringLiteral("job-%1").arg(index + 1));
    job->purifying = !m_purified;
    const pid_t parent = getpid();
    // Each job leads its own process group, so that a terminal's Ctrl+C reaches only
    // the batch, which stops the jobs in order; a job also stops when the batch dies.
    job->process.setChildProcessModifier([parent] {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            raise(SIGTERM);
    });
    Job &running = *job;
    QObject::connect(&job->process, &QProcess::finished, [this, &running] { jobFinished(running); });
    QObject::connect(&job->process, &QProcess::errorOccurred, [this, &running](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            jobFinished(running);
    });
    job->clock.start();
    job->started = QDateTime::currentDateTime();
    job->process.start(m_setup.program, jobArguments(m_items[index], job->folder));
    m_running.push_back(std::move(job));
}

void BatchRunner::jobFinished(Job &job)
{
    if (m_signal != 0)
        return;
    const BatchItem &item = m_items[job.index];
    std::optional<JobSummary> summary;
    const QByteArray output = job.process.readAllStandardOutput();
    for (const QByteArray &line : output.split('\n')) {
        if (!summary)
            summary = JobSummary::fromResultLine(QString::fromUtf8(line).trimmed());
    }
    const bool succeeded = job.process.exitStatus() == QProcess::NormalExit && job.process.exitCode() == 0 && summary;
    if (succeeded) {
        m_progress.fileDone(item.name, *summary, job.clock.elapsed());
    } else {
        QString error = QString::fromUtf8(job.process.readAllStandardError());
        if (error.trimmed().isEmpty())
            error = job.process.errorString();
        m_progress.fileFailed(item.name, error);
    }
    // A database saved where an older one lay counts only when this job wrote it.
    if (job.purifying)
        m_purified = QFileInfo(m_setup.databasePath).lastModified() >= job.started;
    forget(job);
    startJobs();
}

void BatchRunner::forget(Job &job)
{
    if (!m_setup.keepWorkFiles)
        QDir(job.folder).removeRecursively();
    const auto found = std::find_if(m_running.begin(), m_running.end(), [&job](const auto &running) {
        return running.get() == &job;
    });
    // Its QProcess is still inside its own signal: it goes with the runner.
    m_finished.push_back(std::move(*found));
    m_running.erase(found);
}

// Each job removes its own work files and ends its database shell when told to stop;
// the batch's work folder then goes as a whole. Results are written through temporary
// files, so a stopped job leaves none half-written.
void BatchRunner::interrupt(int signal)
{
    if (m_signal != 0)
        return;
    m_signal = signal;
    for (const auto &job : m_running)
        job->process.terminate();
    for (const auto &job : m_running) {
        if (!job->process.waitForFinished(StopWaitMs))
            job->process.kill();
    }
    m_loop.quit();
}
