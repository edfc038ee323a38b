// Reads and writes a generated Qt TS catalogue in lupdate's layout, unchanged and with
// one message in a hundred edited, and in the same run times lconvert reading and
// writing the same file (TS to TS) as the floor. Prints times and peak memory.
//
//   bench_ts [messages]        (default 100000)

#include "BenchDictionaries.h"
#include "BenchMemory.h"
#include "DictionaryEntry.h"
#include "formats/TsCatalogue.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <cstdio>
#include <malloc.h>
#include <functional>

namespace {

const QString Lconvert = QStringLiteral("/usr/lib/qt6/bin/lconvert");
constexpr qint64 MessagesPerContext = 40;

QString translationElement(const BenchDictionaries::Detail::Phrase &phrase, BenchDictionaries::Detail::Random &random,
                           bool numerus)
{
    const int kind = int(random.below(10));
    const QString type = kind < 6 ? QString() : QStringLiteral(" type=\"unfinished\"");
    const QString text = kind < 8 ? TsLayout::escaped(phrase.translation) : QString();
    if (!numerus)
        return QStringLiteral("        <translation%1>%2</translation>\n").arg(type, text);
    return QStringLiteral("        <translation%1>\n            <numerusform>%2</numerusform>\n        </translation>\n")
            .arg(type, text);
}

// Interface strings of a large program, forty to a context, with locations, comments and
// a few numerus messages; three in five finished, the rest unfinished, some empty.
void writeCatalogue(const QString &path, qint64 messages)
{
    QByteArray file = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                      "<TS version=\"2.1\" language=\"zh_CN\" sourcelanguage=\"en\">\n";
    for (qint64 i = 0; i < messages; ++i) {
        const qint64 context = i / MessagesPerContext;
        if (i % MessagesPerContext == 0)
            file += QStringLiteral("<context>\n    <name>Dialog%1</name>\n").arg(context).toUtf8();
        const auto phrase = BenchDictionaries::Detail::referenceEntry(BenchDictionaries::DefaultSeed, i);
        auto random = BenchDictionaries::Detail::Random::forEntry(BenchDictionaries::DefaultSeed, 9, i);
        const bool numerus = random.chance(3);
        QString message = numerus ? QStringLiteral("    <message numerus=\"yes\">\n") : QStringLiteral("    <message>\n");
        message += i % MessagesPerContext == 0
                       ? QStringLiteral("        <location filename=\"../src/dialog%1.cpp\" line=\"+%2\"/>\n")
                                 .arg(context).arg(20 + random.below(40))
                       : QStringLiteral("        <location line=\"+%1\"/>\n").arg(1 + random.below(30));
        message += QStringLiteral("        <source>%1</source>\n").arg(TsLayout::escaped(phrase.source));
        if (random.chance(10))
            message += QStringLiteral("        <comment>%1</comment>\n").arg(context % 2 ? "menu" : "button");
        if (random.chance(5))
            message += QStringLiteral("        <extracomment>Shown in dialog %1</extracomment>\n").arg(context);
        message += translationElement(phrase, random, numerus);
        file += (message + QStringLiteral("    </message>\n")).toUtf8();
        if (i % MessagesPerContext == MessagesPerContext - 1 || i == messages - 1)
            file += "</context>\n";
    }
    file += "</TS>\n";
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size())
        qFatal("cannot write %s", qPrintable(path));
}

qint64 timed(const std::function<void()> &step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    return timer.elapsed();
}

// Small blocks and the large ones malloc maps by themselves.
size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void report(const char *step, qint64 ms)
{
    std::printf("%-34s %7lld ms\n", step, static_cast<long long>(ms));
}

}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const qint64 messages = argc > 1 ? QByteArray(argv[1]).toLongLong() : 100000;
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("catalogue.ts"));
    writeCatalogue(input, messages);
    std::printf("%lld messages, %.1f MB\n", static_cast<long long>(messages), QFileInfo(input).size() / 1048576.0);

    // lconvert first and alone, so that the children's peak is its own.
    const QString relaid = dir.filePath(QStringLiteral("lconvert.ts"));
    const qint64 lconvertMs = timed([&] {
        QProcess lconvert;
        lconvert.start(Lconvert, {QStringLiteral("-i"), input, QStringLiteral("-o"), relaid});
        if (!lconvert.waitForFinished(-1) || lconvert.exitCode() != 0)
            qFatal("lconvert failed: %s", lconvert.readAllStandardError().constData());
    });

    report("QXmlStreamReader alone, every token", timed([&] {
        QFile file(input);
        file.open(QIODevice::ReadOnly);
        QXmlStreamReader xml(&file);
        while (!xml.atEnd())
            xml.readNext();
    }));
    BenchMemory::resetOwnPeak();
    const qint64 rssBeforeKb = BenchMemory::ownPeakKb();
    TsCatalogue catalogue;
    const size_t heapBefore = heapInUse();
    report("read", timed([&] { catalogue = TsCatalogue::read(input); }));
    const double catalogueMb = double(heapInUse() - heapBefore) / 1048576.0;
    const QString unchanged = dir.filePath(QStringLiteral("unchanged.ts"));
    report("write unchanged", timed([&] { catalogue.write(unchanged); }));
    report("set 1 in 100 messages", timed([&] {
        for (qint64 i = 0; i < catalogue.messageCount(); i += 100) {
            if (catalogue.isEntry(i))
                catalogue.setStatus(i, i % 200 ? EntryStatus::Translated : EntryStatus::Review);
        }
    }));
    const QString edited = dir.filePath(QStringLiteral("edited.ts"));
    report("write edited", timed([&] { catalogue.write(edited); }));
    report("lconvert -i catalogue.ts -o out.ts", lconvertMs);

    const qint64 peakKb = BenchMemory::ownPeakKb();
    const auto bytes = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    std::printf("unchanged file identical: %s; lconvert's layout identical: %s\n",
                bytes(unchanged) == bytes(input) ? "yes" : "no", bytes(relaid) == bytes(input) ? "yes" : "no");
    std::printf("the catalogue holds %.1f MB of heap\n", catalogueMb);
    std::printf("peak memory: ours %lld MB over the %lld MB before reading, lconvert %lld MB\n",
                (peakKb - rssBeforeKb) / 1024, rssBeforeKb / 1024, BenchMemory::childrenPeakKb() / 1024);
    return 0;
}
