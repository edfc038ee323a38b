#pragma once

#include "BatchPlan.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QStringList>

#include <atomic>
#include <list>
#include <memory>

class BatchProgress;
class QProcess;

// Runs the jobs of a batch side by side, each as a single-file run of this program in
// a work folder of its own, so that every result is what a single run would write.
// When the reference still has to be purified, jobs run one at a time until one of
// them has saved the purified database; the others then use it as their reference.
class BatchRunner {
public:
    struct Setup {
        QString program;
        QString reference;
        // The preset file that hands every job the same options.
        QString optionsFile;
        QString workFolder;
        int jobs = 1;
        bool keepWorkFiles = false;
        // Each result replaces its own to-do dictionary.
        bool inPlace = false;
        // Where the first job saves the purified reference; empty when the reference
        // already is a purified database.
        QString databasePath;
        QString referencePair;
    };

    BatchRunner(const Setup &setup, const std::vector<BatchItem> &items, BatchProgress &progress);
    ~BatchRunner();

    // Returns when every job has ended or after an interrupt (then the signal number).
    int run();
    // From any thread: has the running batch stop its jobs and remove their work
    // folders. False when no batch runs its jobs.
    static bool interruptRunning(int signal);

private:
    struct Job;

    void startJobs();
    void startJob(size_t index);
    QStringList jobArguments(const BatchItem &item, const QString &folder) const;
    void jobFinished(Job &job);
    void interrupt(int signal);
    void forget(Job &job);

    Setup m_setup;
    const std::vector<BatchItem> &m_items;
    BatchProgress &m_progress;
    size_t m_next = 0;
    bool m_purified;
    int m_signal = 0;
    std::atomic<int> m_requested = 0;
    std::list<std::unique_ptr<Job>> m_running;
    std::list<std::unique_ptr<Job>> m_finished;
    QEventLoop m_loop;
};
