// Opens a generated PO catalogue (laid out by msgcat, as a project's file is) in Quillet's
// real window, headless, and the same entries as a two-line dictionary, and saves each
// with one entry changed. Each open runs three times in a process of its own and the
// best run counts; wall-clock and processor times are printed, the memory is what the
// open document holds.
//
//   bench_editor_catalogue [entries]        (default 1000000)

#include "AppFolder.h"
#include "BenchCatalogue.h"
#include "BenchMemory.h"
#include "BenchMessages.h"
#include "BenchTiming.h"
#include "DocumentSession.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <climits>
#include <cstdio>

namespace {

using BenchTiming::ratio;
using BenchTiming::Timing;

// The step with the window's pending work (layout, painting).
Timing timed(const std::function<void()> &step)
{
    return BenchTiming::timed([&step] {
        step();
        QCoreApplication::processEvents();
    });
}

// In a process of its own: opens the file, then saves it with one entry changed; prints
// both times (wall-clock, processor), the memory the document holds and its entry count.
int openAlone(const QString &path)
{
    PrintingMessages messages;
    MessageService::setInstance(&messages);
    frmMain window;
    window.show();
    QCoreApplication::processEvents();
    const qint64 before = BenchMemory::ownHeldKb();
    bool opened = false;
    const Timing open = timed([&] { opened = window.ActFileOpen(path); });
    const qint64 heldKb = BenchMemory::ownHeldKb() - before;
    const qsizetype entries = window.session().model().document().size();
    window.session().edits().commitTranslation(1, QStringLiteral("改动的译文"));
    const Timing save = timed([&] { window.SaveDocument(path); });
    if (!opened || window.isModified())
        return 1;
    std::printf("%lld %lld %lld %lld %lld %lld\n", static_cast<long long>(open.wallMs),
                static_cast<long long>(open.processorMs), static_cast<long long>(save.wallMs),
                static_cast<long long>(save.processorMs), static_cast<long long>(heldKb), static_cast<long long>(entries));
    MessageService::setInstance(nullptr);
    return 0;
}

struct Run {
    Timing open{LLONG_MAX, LLONG_MAX};
    Timing save{LLONG_MAX, LLONG_MAX};
    qint64 heldKb = 0;
};

Timing best(const Timing &kept, const QByteArray &wallMs, const QByteArray &processorMs)
{
    return {std::min(kept.wallMs, wallMs.toLongLong()), std::min(kept.processorMs, processorMs.toLongLong())};
}

// The best of three, each on a fresh copy of the file.
Run bestOpen(const QString &path, qint64 expectedEntries)
{
    Run fastest;
    for (int run = 0; run < 3; ++run) {
        const QFileInfo original(path);
        const QString copy = original.dir().filePath(QStringLiteral("run-") + original.fileName());
        QFile::remove(copy);
        QFile::copy(path, copy);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--open"), copy});
        if (!child.waitForFinished(-1) || child.exitCode() != 0)
            qFatal("the open failed: %s", child.readAllStandardOutput().constData());
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        if (figures.size() != 6 || figures[5].toLongLong() != expectedEntries)
            qFatal("the file did not open whole");
        fastest = {best(fastest.open, figures[0], figures[1]), best(fastest.save, figures[2], figures[3]),
                   figures[4].toLongLong()};
    }
    return fastest;
}

void report(const char *kind, const Run &run)
{
    std::printf("%-10s open %6lld ms wall %6lld ms processor   save %6lld ms wall %6lld ms processor   %5lld MB held\n",
                kind, static_cast<long long>(run.open.wallMs), static_cast<long long>(run.open.processorMs),
                static_cast<long long>(run.save.wallMs), static_cast<long long>(run.save.processorMs),
                static_cast<long long>(run.heldKb / 1024));
}

}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    AppFolder::set(dir.path());
    if (argc == 3)
        return openAlone(QString::fromLocal8Bit(argv[2]));
    const qint64 entries = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1000000;
    const QString raw = dir.filePath(QStringLiteral("raw.po"));
    const QString po = dir.filePath(QStringLiteral("bench.po"));
    const QString twoLine = dir.filePath(QStringLiteral("bench.a.txt"));
    BenchCatalogue::writeUnwrapped(raw, entries);
    BenchCatalogue::runMsgcat(raw, po);
    QFile::remove(raw);
    BenchCatalogue::writeTwoLine(twoLine, entries);
    std::printf("%lld entries: PO %lld MB (UTF-8), two-line %lld MB (GB18030)\n", static_cast<long long>(entries),
                static_cast<long long>(QFile(po).size() >> 20), static_cast<long long>(QFile(twoLine).size() >> 20));
    const Run catalogue = bestOpen(po, entries);
    const Run dictionary = bestOpen(twoLine, entries);
    report("PO", catalogue);
    report("two-line", dictionary);
    std::printf("PO / two-line: open %.2f wall %.2f processor, save %.2f wall %.2f processor\n",
                ratio(catalogue.open.wallMs, dictionary.open.wallMs),
                ratio(catalogue.open.processorMs, dictionary.open.processorMs),
                ratio(catalogue.save.wallMs, dictionary.save.wallMs),
                ratio(catalogue.save.processorMs, dictionary.save.processorMs));
    return 0;
}
