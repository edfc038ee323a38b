// Writes a to-do and a reference dictionary of the given size for benchmarks and
// trials: interface strings with accelerators, shortcuts, spaces and trailing marks,
// in GB18030, about half of the to-do entries findable in the reference.
//
//   bench_datagen --entries N [--reference-entries M] --format txt|glo --out DIR [--seed S]

#include "BenchDictionaries.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>

namespace {

std::optional<qint64> count(const QCommandLineParser &parser, const QString &name)
{
    bool ok = false;
    const qint64 value = parser.value(name).toLongLong(&ok);
    return ok && value >= 0 ? std::optional<qint64>(value) : std::nullopt;
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes benchmark dictionaries (todo and reference)."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("entries"), QStringLiteral("Entries of the to-do dictionary."),
                      QStringLiteral("N"), QStringLiteral("100000")});
    parser.addOption({QStringLiteral("reference-entries"),
                      QStringLiteral("Entries of the reference (default: as many as the to-do)."), QStringLiteral("M")});
    parser.addOption({QStringLiteral("format"), QStringLiteral("txt (two-line text) or glo (PASSOLO glossary)."),
                      QStringLiteral("txt|glo"), QStringLiteral("txt")});
    parser.addOption({QStringLiteral("out"), QStringLiteral("Folder to write into."), QStringLiteral("DIR"),
                      QStringLiteral(".")});
    parser.addOption({QStringLiteral("seed"), QStringLiteral("Seed of the generator."), QStringLiteral("S"),
                      QString::number(BenchDictionaries::DefaultSeed)});
    parser.process(app);

    const QString format = parser.value(QStringLiteral("format"));
    const std::optional<qint64> todoEntries = count(parser, QStringLiteral("entries"));
    const std::optional<qint64> referenceEntries = parser.isSet(QStringLiteral("reference-entries"))
        ? count(parser, QStringLiteral("reference-entries"))
        : todoEntries;
    const std::optional<qint64> seed = count(parser, QStringLiteral("seed"));
    if ((format != u"txt" && format != u"glo") || !todoEntries || !referenceEntries || !seed) {
        err << parser.helpText();
        return 2;
    }

    QElapsedTimer clock;
    clock.start();
    const auto files = BenchDictionaries::write(
        parser.value(QStringLiteral("out")),
        format == u"glo" ? BenchDictionaries::Format::Glossary : BenchDictionaries::Format::TwoLineText,
        {*todoEntries, *referenceEntries}, std::uint64_t(*seed));
    out << files.todo << "  " << QFileInfo(files.todo).size() / 1024 << " KB, " << *todoEntries << " entries\n"
        << files.reference << "  " << QFileInfo(files.reference).size() / 1024 << " KB, " << *referenceEntries
        << " entries\n"
        << "written in " << clock.elapsed() << " ms\n";
    return 0;
}
