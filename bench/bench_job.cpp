// Runs whole pre-translation jobs (full preset, work files kept) on generated
// dictionaries of each size and format, and in the same run the floor: sqlite3 alone
// executing that job's own kept scripts again, on a copy of the work files. Prints
// to-do entries per second, job time / floor, the CPU time of the job's own work and
// the peak memory of the process tree (this program's VmHWM plus the largest sqlite3
// child).
//
//   bench_job [--sizes 100000,1000000] [--formats txt,glo,po,ts] [--data DIR] [--repeat N]
//
// The po and ts formats hold the two-line text's strings: the to-do as a template
// (todo.pot) or an unfinished TS file, the reference as a translated catalogue, so that
// their rows compare with the txt rows of the same size.
//
// With --repeat, each job and its floor run N times and the best times are compared,
// which keeps other load on the machine out of the figures as far as possible.
// The data is generated once per size and format under DIR (default: the temporary
// folder's tallyra-bench) and reused by later runs. Each job runs in a child process
// of its own, so that its peak memory is its own.

#include "AppFolder.h"
#include "BenchDictionaries.h"
#include "BenchMemory.h"
#include "DictionaryEntry.h"
#include "JobDriver.h"
#include "JobObserver.h"
#include "ProcessingOptions.h"
#include "formats/CatalogueJob.h"
#include "formats/TwoLineText.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QTextStream>
#include <QXmlStreamWriter>

#include <sys/resource.h>

namespace {

constexpr double RatioTarget = 1.3;
constexpr qint64 PeakTargetMb = 500;
constexpr qint64 TargetSize = 1000000;
const auto DataVersion = QStringLiteral("bench-dictionaries 2");

struct Figures {
    qint64 jobMs = 0;
    qint64 floorMs = 0;
    qint64 ownPeakKb = 0;
    qint64 sqlitePeakKb = 0;
    qint64 candidates = 0;
    qint64 translated = 0;
    // CPU time of this process during the job: reading, reducing, writing, assembling.
    qint64 ownCpuMs = 0;
};

bool isCatalogue(const QString &format)
{
    return format == u"po" || format == u"ts";
}

BenchDictionaries::Format formatNamed(const QString &name)
{
    return name == u"glo" ? BenchDictionaries::Format::Glossary : BenchDictionaries::Format::TwoLineText;
}

QString dataFolder(const QString &root, const QString &format, qint64 entries)
{
    return QDir(root).filePath(QStringLiteral("data-%1-%2").arg(format).arg(entries));
}

// The catalogues of a size stand beside the two-line text of that size.
BenchDictionaries::Files dataFiles(const QString &root, const QString &format, qint64 entries)
{
    if (!isCatalogue(format))
        return BenchDictionaries::fileNames(dataFolder(root, format, entries), formatNamed(format));
    const QDir folder(dataFolder(root, QStringLiteral("txt"), entries));
    return {folder.filePath(format == u"po" ? QStringLiteral("todo.pot") : QStringLiteral("todo.ts")),
            folder.filePath(QStringLiteral("ref.") + format)};
}

QByteArray poString(const QString &text)
{
    QByteArray quoted = "\"";
    for (const char c : text.toUtf8()) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c == '\n' ? QByteArray("\\n") : c == '\t' ? QByteArray("\\t") : QByteArray(1, c);
    }
    return quoted + '"';
}

// The entries of a two-line text as a PO or TS file; an entry whose translation is its
// source stays untranslated.
void writeCatalogue(const QString &twoLine, const QString &path)
{
    TextFileReader input(twoLine);
    TwoLineTextReader reader(input.lines());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    const bool po = path.endsWith(u".po") || path.endsWith(u".pot");
    QXmlStreamWriter xml(&file);
    if (po) {
        file.write("msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n");
    } else {
        xml.writeStartDocument();
        xml.writeStartElement(QStringLiteral("TS"));
        xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.1"));
        xml.writeAttribute(QStringLiteral("language"), QStringLiteral("zh_CN"));
        xml.writeStartElement(QStringLiteral("context"));
        xml.writeTextElement(QStringLiteral("name"), QStringLiteral("Bench"));
    }
    for (DictionaryEntry entry; reader.next(entry);) {
        const QString source = JobText::toCatalogue(entry.source);
        const QString translation = entry.translation == entry.source ? QString() : JobText::toCatalogue(entry.translation);
        if (po) {
            file.write("\nmsgid " + poString(source) + "\nmsgstr " + poString(translation) + '\n');
            continue;
        }
        xml.writeStartElement(QStringLiteral("message"));
        xml.writeTextElement(QStringLiteral("source"), source);
        xml.writeStartElement(QStringLiteral("translation"));
        if (translation.isEmpty())
            xml.writeAttribute(QStringLiteral("type"), QStringLiteral("unfinished"));
        xml.writeCharacters(translation);
        xml.writeEndElement();
        xml.writeEndElement();
    }
    if (!po)
        xml.writeEndDocument();
}

QString freshFolder(const QString &root, const QString &name)
{
    QDir folder(QDir(root).filePath(name));
    folder.removeRecursively();
    QDir().mkpath(folder.path());
    return folder.path();
}

// Generates the pair of dictionaries unless an earlier run left the same ones.
BenchDictionaries::Files ensureData(const QString &root, const QString &format, qint64 entries, QTextStream &out)
{
    if (isCatalogue(format)) {
        const BenchDictionaries::Files twoLine = ensureData(root, QStringLiteral("txt"), entries, out);
        const BenchDictionaries::Files files = dataFiles(root, format, entries);
        if (!QFileInfo::exists(files.todo) || QFileInfo(files.todo).lastModified() < QFileInfo(twoLine.todo).lastModified()) {
            writeCatalogue(twoLine.todo, files.todo);
            writeCatalogue(twoLine.reference, files.reference);
        }
        return files;
    }
    const QString folder = dataFolder(root, format, entries);
    const BenchDictionaries::Files files = BenchDictionaries::fileNames(folder, formatNamed(format));
    const QString stamp = QStringLiteral("%1 seed %2").arg(DataVersion).arg(BenchDictionaries::DefaultSeed);
    QFile stampFile(QDir(folder).filePath(QStringLiteral("stamp.txt")));
    if (QFileInfo::exists(files.todo) && QFileInfo::exists(files.reference) && stampFile.open(QIODevice::ReadOnly)
        && stampFile.readAll() == stamp.toUtf8()) {
        return files;
    }
    stampFile.close();
    out << "generating " << entries << " + " << entries << " entries (" << format << ") in " << folder << " ... "
        << Qt::flush;
    QElapsedTimer clock;
    clock.start();
    BenchDictionaries::write(folder, formatNamed(format), {entries, entries});
    if (stampFile.open(QIODevice::WriteOnly))
        stampFile.write(stamp.toUtf8());
    out << clock.elapsed() << " ms" << Qt::endl;
    return files;
}

// Keeps the stage times for the report; the running captions are not needed.
class TimingObserver : public JobObserver {
public:
    QStringList stages;

    void stageProgress(int, StageProgress) override {}
    void stageFinished(const StageResult &result) override
    {
        static const QStringList names{QStringLiteral("reference"), QStringLiteral("to-do"),
                                       QStringLiteral("database"), QStringLiteral("result")};
        stages << QStringLiteral("%1 %2 ms").arg(names.at(result.stage)).arg(result.milliseconds);
    }
    void errorReported(const ErrorReport &report) override { error = report.boxText(); }
    QString error;
};

qint64 ownCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

// The first script builds the database and writes the join, the second (two-line
// to-do only) applies the updates and dumps O.
QStringList scriptsInRunOrder(const QString &folder)
{
    QString first;
    QString second;
    for (const QFileInfo &file : QDir(folder).entryInfoList({QStringLiteral("*.sh")}, QDir::Files)) {
        QFile script(file.filePath());
        script.open(QIODevice::ReadOnly);
        const QByteArray text = script.readAll();
        if (text.contains("-separator"))
            first = file.fileName();
        else if (text.contains("-line"))
            second = file.fileName();
    }
    QStringList scripts{first};
    if (!second.isEmpty())
        scripts << second;
    return scripts;
}

// Copies the job's scripts and their SQL input, leaving out the database and the
// outputs, so that the scripts run again exactly as in the job.
void copyScriptInput(const QString &from, const QString &to)
{
    for (const QFileInfo &file : QDir(from).entryInfoList({QStringLiteral("*.sh"), QStringLiteral("*.sql")}, QDir::Files))
        QFile::copy(file.filePath(), QDir(to).filePath(file.fileName()));
}

// The time of each script, in run order; empty when one failed.
QList<qint64> runFloor(const QString &workFolder, const QString &floorFolder)
{
    copyScriptInput(workFolder, floorFolder);
    QList<qint64> times;
    for (const QString &script : scriptsInRunOrder(floorFolder)) {
        QElapsedTimer clock;
        clock.start();
        QProcess shell;
        shell.setWorkingDirectory(floorFolder);
        shell.setStandardOutputFile(QProcess::nullDevice());
        shell.start(QStringLiteral("/bin/sh"), {script});
        if (!shell.waitForFinished(-1) || shell.exitCode() != 0)
            return {};
        times << clock.elapsed();
    }
    return times;
}

// The floor did the job's database work only if it wrote the same join result and dump.
bool sameOutputs(const QString &workFolder, const QString &floorFolder)
{
    for (const QFileInfo &output : QDir(workFolder).entryInfoList({QStringLiteral("*.txt")}, QDir::Files)) {
        if (QFileInfo(QDir(floorFolder).filePath(output.fileName())).size() != output.size())
            return false;
    }
    return true;
}

// Runs the job in this process; the memory peaks are taken before the floor runs.
std::optional<Figures> runJob(const QString &root, const QString &format, qint64 entries, const QString &workFolder,
                              QTextStream &out)
{
    const BenchDictionaries::Files data = dataFiles(root, format, entries);
    const QString result = freshFolder(root, QStringLiteral("result-%1-%2").arg(format).arg(entries));
    AppFolder::set(workFolder);
    const QString resultName = format == u"txt" ? QStringLiteral("result.u.txt") : QStringLiteral("result.") + format;
    const JobFiles files{data.todo, data.reference, QDir(result).filePath(resultName)};
    ProcessingOptions options = ProcessingOptions::full();
    options.chkaKeepTmpFile = true;

    TimingObserver observer;
    JobDriver driver(QStringLiteral("Module 'bench_job' -> 'runJob'"));
    QElapsedTimer clock;
    const qint64 cpuBefore = ownCpuMs();
    clock.start();
    if (!driver.run(files, options, observer).done()) {
        out << "job failed: " << observer.error << Qt::endl;
        return std::nullopt;
    }
    Figures figures;
    figures.jobMs = clock.elapsed();
    figures.ownCpuMs = ownCpuMs() - cpuBefore;
    figures.ownPeakKb = BenchMemory::ownPeakKb();
    // The largest finished child or grandchild: sqlite3 under sh.
    figures.sqlitePeakKb = BenchMemory::childrenPeakKb();
    figures.candidates = driver.statistics().candidates();
    figures.translated = driver.statistics().translatedCandidates();
    out << "job stages: " << observer.stages.join(QStringLiteral(", ")) << Qt::endl;
    return figures;
}

// Child mode: one job and its floor; prints the figures as one line.
int measure(const QString &root, const QString &format, qint64 entries)
{
    QTextStream out(stdout);
    const QString tag = QStringLiteral("%1-%2").arg(format).arg(entries);
    const QString workFolder = freshFolder(root, QStringLiteral("work-") + tag);
    std::optional<Figures> figures = runJob(root, format, entries, workFolder, out);
    if (!figures)
        return 1;
    const QString floorFolder = freshFolder(root, QStringLiteral("floor-") + tag);
    const QList<qint64> floorTimes = runFloor(workFolder, floorFolder);
    const bool floorValid = !floorTimes.isEmpty() && sameOutputs(workFolder, floorFolder);
    QDir(floorFolder).removeRecursively();
    if (!floorValid) {
        out << "the floor scripts failed or wrote other outputs than the job" << Qt::endl;
        return 1;
    }
    QStringList floorParts;
    for (const qint64 milliseconds : floorTimes) {
        figures->floorMs += milliseconds;
        floorParts << QStringLiteral("%1 ms").arg(milliseconds);
    }
    out << "floor scripts: " << floorParts.join(QStringLiteral(", ")) << "\n";
    out << "figures " << figures->jobMs << ' ' << figures->floorMs << ' ' << figures->ownPeakKb << ' '
        << figures->sqlitePeakKb << ' ' << figures->candidates << ' ' << figures->translated << ' '
        << figures->ownCpuMs << Qt::endl;
    return 0;
}

std::optional<Figures> parseFigures(const QString &line)
{
    const QStringList words = line.split(u' ');
    if (words.size() != 8 || words.first() != u"figures")
        return std::nullopt;
    return Figures{words[1].toLongLong(), words[2].toLongLong(), words[3].toLongLong(), words[4].toLongLong(),
                   words[5].toLongLong(), words[6].toLongLong(), words[7].toLongLong()};
}

// Runs one measurement in a child process and relays its stage line.
std::optional<Figures> measureInChild(const QString &root, const QString &format, qint64 entries, QTextStream &out)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--measure"), QStringLiteral("--data"), root, QStringLiteral("--formats"), format,
                 QStringLiteral("--sizes"), QString::number(entries)});
    child.waitForFinished(-1);
    std::optional<Figures> figures;
    for (const QString &line : QString::fromUtf8(child.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
        if (const std::optional<Figures> parsed = parseFigures(line))
            figures = parsed;
        else
            out << "  " << line << Qt::endl;
    }
    return figures;
}

const auto Header =
    QStringLiteral("fmt     entries   job s  floor s  ratio  entries/s  own CPU s  peak MB (ours + sqlite3)  pre-translated");

// The fastest job and the fastest floor of two runs; the larger memory peaks.
Figures bestOf(const Figures &a, const Figures &b)
{
    Figures best = a;
    best.jobMs = std::min(a.jobMs, b.jobMs);
    best.floorMs = std::min(a.floorMs, b.floorMs);
    best.ownCpuMs = std::min(a.ownCpuMs, b.ownCpuMs);
    best.ownPeakKb = std::max(a.ownPeakKb, b.ownPeakKb);
    best.sqlitePeakKb = std::max(a.sqlitePeakKb, b.sqlitePeakKb);
    return best;
}

void printRow(const QString &format, qint64 entries, const Figures &f, bool judge, QTextStream &out)
{
    const QLocale c = QLocale::c();
    const double ratio = double(f.jobMs) / double(std::max<qint64>(1, f.floorMs));
    const qint64 peakMb = (f.ownPeakKb + f.sqlitePeakKb) / 1024;
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 (%9 + %10) %11/%12")
               .arg(format, -4)
               .arg(c.toString(entries), 10)
               .arg(c.toString(f.jobMs / 1000.0, 'f', 2), 8)
               .arg(c.toString(f.floorMs / 1000.0, 'f', 2), 8)
               .arg(c.toString(ratio, 'f', 3), 6)
               .arg(c.toString(qint64(entries * 1000.0 / std::max<qint64>(1, f.jobMs))), 10)
               .arg(c.toString(f.ownCpuMs / 1000.0, 'f', 2), 10)
               .arg(peakMb, 7)
               .arg(f.ownPeakKb / 1024)
               .arg(f.sqlitePeakKb / 1024)
               .arg(f.translated)
               .arg(f.candidates)
        << Qt::endl;
    if (judge && entries == TargetSize) {
        out << QStringLiteral("     target: ratio %1 <= %2 %3, peak %4 MB < %5 MB %6")
                   .arg(c.toString(ratio, 'f', 3))
                   .arg(RatioTarget)
                   .arg(ratio <= RatioTarget ? QStringLiteral("met") : QStringLiteral("MISSED"))
                   .arg(peakMb)
                   .arg(PeakTargetMb)
                   .arg(peakMb < PeakTargetMb ? QStringLiteral("met") : QStringLiteral("MISSED"))
            << Qt::endl;
    }
}

QList<qint64> sizesFrom(const QString &list)
{
    QList<qint64> sizes;
    for (const QString &item : list.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const qint64 size = item.toLongLong(&ok);
        if (ok && size > 0)
            sizes << size;
    }
    return sizes;
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("sizes"), QStringLiteral("Entries on each side, comma-separated."),
                      QStringLiteral("N,..."), QStringLiteral("100000,1000000")});
    parser.addOption({QStringLiteral("formats"),
                      QStringLiteral("txt (two-line text), glo (glossary), po (template and catalogue), ts, comma-separated."),
                      QStringLiteral("F,..."), QStringLiteral("txt,glo")});
    parser.addOption({QStringLiteral("data"), QStringLiteral("Folder for the dictionaries and work files."),
                      QStringLiteral("DIR"), QDir(QDir::tempPath()).filePath(QStringLiteral("tallyra-bench"))});
    parser.addOption({QStringLiteral("repeat"), QStringLiteral("Runs of each job; the best times count."),
                      QStringLiteral("N"), QStringLiteral("1")});
    parser.addOption({QStringLiteral("measure"), QStringLiteral("Internal: measure one job in this process.")});
    parser.process(app);

    const QString root = QFileInfo(parser.value(QStringLiteral("data"))).absoluteFilePath();
    const QList<qint64> sizes = sizesFrom(parser.value(QStringLiteral("sizes")));
    const QStringList formats = parser.value(QStringLiteral("formats")).split(u',', Qt::SkipEmptyParts);
    if (parser.isSet(QStringLiteral("measure")))
        return sizes.size() == 1 && formats.size() == 1 ? measure(root, formats.first(), sizes.first()) : 2;

    const int repeat = std::max(1, parser.value(QStringLiteral("repeat")).toInt());
    out << "whole jobs, full preset, work files kept; floor = sqlite3 running the job's kept scripts again\n";
    int status = 0;
    for (const QString &format : formats) {
        for (const qint64 entries : sizes) {
            ensureData(root, format, entries, out);
            out << Header << Qt::endl;
            std::optional<Figures> best;
            for (int run = 0; run < repeat; ++run) {
                const std::optional<Figures> figures = measureInChild(root, format, entries, out);
                if (!figures) {
                    out << format << ' ' << entries << ": measurement failed" << Qt::endl;
                    status = 1;
                    break;
                }
                if (repeat > 1)
                    printRow(format, entries, *figures, false, out);
                best = best ? bestOf(*best, *figures) : *figures;
            }
            if (best && repeat > 1)
                out << "best of " << repeat << ":" << Qt::endl;
            if (best)
                printRow(format, entries, *best, true, out);
        }
    }
    return status;
}
