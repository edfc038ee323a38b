#include "ErrorReport.h"
#include "TestData.h"
#include "TextFile.h"
#include "formats/DictionaryFormats.h"
#include "formats/EntryStreams.h"
#include "formats/Glossary.h"
#include "formats/TableText.h"
#include "formats/TwoLineText.h"

#include <QBuffer>
#include <QTemporaryDir>

namespace {

// status, number, source, translation
using Entries = QList<QStringList>;

template <typename Reader>
Entries readAll(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    LineReader lines(buffer, TextCodec::detect(buffer));
    Reader reader(lines);
    Entries entries;
    DictionaryEntry entry;
    while (reader.next(entry))
        entries.append({entry.status, entry.number, entry.source, entry.translation});
    return entries;
}

template <typename Writer>
QByteArray writeAll(const Entries &entries, TextEncoding encoding)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    LineWriter lines(buffer, encoding);
    Writer writer(lines);
    for (const QStringList &fields : entries)
        writer.write({fields[0], fields[1], fields[2], fields[3]});
    lines.flush();
    return buffer.data();
}

// The document format the registry gives the file's name.
const DictionaryFormat &formatOf(const QString &path)
{
    const DictionaryFormat *format = DictionaryFormats::documentFormatFor(path);
    if (!format)
        qFatal("no document format for %s", qPrintable(path));
    return *format;
}

Entries readFile(const QString &path)
{
    const std::unique_ptr<EntryReader> reader = formatOf(path).document->openReader(path);
    Entries entries;
    DictionaryEntry entry;
    while (reader->next(entry))
        entries.append({entry.status, entry.number, entry.source, entry.translation});
    return entries;
}

void writeFile(const QString &path, const Entries &entries)
{
    const std::unique_ptr<DictionaryFileWriter> writer = formatOf(path).document->createWriter(path, nullptr);
    for (const QStringList &fields : entries)
        writer->write({fields[0], fields[1], fields[2], fields[3]});
    writer->commit();
}

// A GB18030 fixture from tests/data in the encoding asked for.
QByteArray fixture(const QString &name, TextEncoding encoding)
{
    QByteArray bytes = TextCodec::encode(TextCodec::decode(testData(name), TextEncoding::Gb18030), encoding);
    return encoding == TextEncoding::Utf8WithBom ? "\xEF\xBB\xBF" + bytes : bytes;
}

// The number of entries read, or the error number raised as a negative count.
template <typename Reader>
qsizetype readCount(const QByteArray &bytes)
{
    qsizetype count = 0;
    const int error = errorNumber([&] { count = readAll<Reader>(bytes).size(); });
    return error ? -error : count;
}

// A row for each file in each encoding.
void addFilesInEachEncoding(std::initializer_list<const char *> files)
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<TextEncoding>("encoding");
    for (const char *file : files) {
        QTest::addRow("%s gb18030", file) << QString::fromLatin1(file) << TextEncoding::Gb18030;
        QTest::addRow("%s utf-8", file) << QString::fromLatin1(file) << TextEncoding::Utf8;
        QTest::addRow("%s utf-8 bom", file) << QString::fromLatin1(file) << TextEncoding::Utf8WithBom;
    }
}

}

class DictionaryFormatsTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString fixtureFile(const QString &name, TextEncoding encoding) const
    {
        return writeBytes(m_dir.filePath(name), fixture(name, encoding));
    }

private Q_SLOTS:
    // Each fixture holds the awkward lines of its format; its .expected file lists the entries.
    void readsDictionaries_data() { addFilesInEachEncoding({"read.txt", "read.glo", "read.csv"}); }
    void readsDictionaries()
    {
        QFETCH(QString, file);
        QFETCH(TextEncoding, encoding);
        Entries expected;
        for (const QString &line : QString::fromUtf8(testData(file + u".expected"_qs)).split(u'\n')) {
            if (!line.isEmpty() && !line.startsWith(u'#'))
                expected.append(line.split(u'|'));
        }
        QCOMPARE(readFile(fixtureFile(file, encoding)), expected);
    }

    // A dictionary read and written over itself keeps the encoding it was read in and is
    // unchanged; the table text fixture holds every field that needs quoting.
    void roundTripsFiles_data() { addFilesInEachEncoding({"roundtrip.txt", "roundtrip.glo", "roundtrip.csv"}); }
    void roundTripsFiles()
    {
        QFETCH(QString, file);
        QFETCH(TextEncoding, encoding);
        const QString path = fixtureFile(file, encoding);
        const QByteArray bytes = readBytes(path);
        QCOMPARE(TextCodec::detect(bytes), encoding);
        writeFile(path, readFile(path));
        QCOMPARE(readBytes(path), bytes);
    }

    void glossaryWriterEscapesTabs()
    {
        const Entries entries{{EntryStatus::Translated, u"1"_qs, u"Open\tCtrl+O"_qs, u"打开\tCtrl+O"_qs}};
        QCOMPARE(writeAll<GlossaryWriter>(entries, TextEncoding::Utf8), u"Open\\tCtrl+O\t打开\\tCtrl+O\r\n"_qs.toUtf8());
    }

    // Entries read by the two-line, glossary and table readers; a negative count is the error raised.
    void survivesBadInput_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<qsizetype>>("counts");
        QByteArray junk;
        for (int i = 0; i < 4096; ++i)
            junk.append(char(i * 7 % 256 == '\n' ? 0 : i * 7 % 256));
        const qsizetype pastEnd = -int(Errors::InputPastEnd);
        QTest::newRow("empty") << QByteArray() << QList<qsizetype>{0, 0, 0};
        QTest::newRow("binary junk") << junk << QList<qsizetype>{0, 1, 1};
        QTest::newRow("invalid gb18030 and utf-8 bytes")
            << QByteArray("1:\x81\x30\xFF\n\xC0\xAF\x80\t\xFE\n") << QList<qsizetype>{1, 2, 2};
        QTest::newRow("number line at end") << QByteArray("1:a\r\nb\r\n2:c\r\n") << QList<qsizetype>{pastEnd, 3, 3};
        QTest::newRow("10 MB number") << QByteArray(10'000'000, '1') + ":a\nb" << QList<qsizetype>{1, 2, 2};
        QTest::newRow("10 MB of commas") << QByteArray(10'000'000, ',') << QList<qsizetype>{0, 1, 1};
        QTest::newRow("10 MB of quotes") << QByteArray(10'000'000, '"') << QList<qsizetype>{0, 1, 1};
    }
    void survivesBadInput()
    {
        QFETCH(QByteArray, bytes);
        const QList<qsizetype> counts{readCount<TwoLineTextReader>(bytes), readCount<GlossaryDocumentReader>(bytes),
                                      readCount<TableTextReader>(bytes)};
        QTEST(counts, "counts");
    }

    // What each role needs of an entry of the registry, so that an entry left incomplete
    // fails here and not in the middle of a job or a save.
    void registryEntriesAreComplete_data()
    {
        QTest::addColumn<const DictionaryFormat *>("format");
        for (const DictionaryFormat *format : DictionaryFormats::all())
            QTest::newRow(qPrintable(format->name)) << format;
    }
    void registryEntriesAreComplete()
    {
        QFETCH(const DictionaryFormat *, format);
        for (const QString &ending : format->endings)
            QVERIFY(format->names(u"x"_qs + ending.toUpper()));
        if (format->todo || format->reference)
            QVERIFY(format->recognise && !format->letter.isNull());
        if (format->todo) {
            QVERIFY(format->todo->loader);
            QCOMPARE(format->todo->resultWriter != nullptr, format->todo->route == TodoRole::Route::FromMatches);
        }
        if (format->reference)
            QVERIFY(format->reference->loader);
        if (format->document) {
            QVERIFY(format->document->openReader && format->document->createWriter);
            const QString companion = DictionaryFormats::companionPath(u"x"_qs + format->endings[0]);
            QCOMPARE(companion.isEmpty(), format->document->writesItsKeptFile);
            QVERIFY(companion.isEmpty() || DictionaryFormats::documentFormatFor(companion));
        }
        if (format->exportTarget)
            QVERIFY(format->exportTarget->writer);
        const auto targets = DictionaryFormats::exportTargets();
        QCOMPARE(std::count_if(targets.begin(), targets.end(), [](auto *t) { return t->exportTarget->chosenByDefault; }), 1);
    }

    void listsTheFileTypes_data()
    {
        QTest::addColumn<QStringList>("types");
        QTest::addColumn<QStringList>("expected");
        using namespace DictionaryFormats;
        const QHash<QString, QStringList> lists{
            {u"to-do"_qs, todoFilters()},   {u"reference"_qs, referenceFilters()},
            {u"result"_qs, resultFilters()}, {u"batch"_qs, todoNamePatterns()},
            {u"open document"_qs, openDocumentFilters()}, {u"save document"_qs, saveDocumentFilters(nullptr)},
            {u"save PO document"_qs, saveDocumentFilters(DictionaryFormats::documentFormatFor(u"x.po"_qs))},
            {u"export"_qs, exportFilters()}};
        for (const QString &block : QString::fromUtf8(testData(u"engine/file-types.txt"_qs)).split(u"\n\n"_qs)) {
            QStringList lines = block.split(u'\n', Qt::SkipEmptyParts);
            if (lines.first().startsWith(u'#'))
                continue;
            const QString name = lines.takeFirst();
            QTest::newRow(qPrintable(name)) << lists.value(name) << lines;
        }
    }
    void listsTheFileTypes()
    {
        QFETCH(QStringList, types);
        QTEST(types, "expected");
    }

    void namesFiles_data() { addTestTable(u"dictionary-names.txt"_qs, {"path", "format", "companion"}); }
    void namesFiles()
    {
        QFETCH(QString, path);
        const DictionaryFormat *format = DictionaryFormats::documentFormatFor(path);
        QTEST(format ? format->name : u"none"_qs, "format");
        QTEST(DictionaryFormats::companionPath(path), "companion");
    }
};

QTEST_GUILESS_MAIN(DictionaryFormatsTest)
#include "tst_dictionaryformats.moc"
