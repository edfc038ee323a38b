#include "DictionaryFiles.h"
#include "ErrorReport.h"
#include "Glossary.h"
#include "TableText.h"
#include "TestData.h"
#include "TextFile.h"
#include "TwoLineText.h"

#include <QBuffer>

namespace {

// status, number, source, translation
using Entries = QList<QStringList>;
using enum DictionaryFiles::SaveFormat;

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

Entries readFormat(DictionaryFiles::SaveFormat format, const QByteArray &bytes)
{
    switch (format) {
    case TwoLineText: return readAll<TwoLineTextReader>(bytes);
    case Glossary: return readAll<GlossaryReader>(bytes);
    default: return readAll<TableTextReader>(bytes);
    }
}

QByteArray writeFormat(DictionaryFiles::SaveFormat format, const Entries &entries, TextEncoding encoding)
{
    switch (format) {
    case TwoLineText: return writeAll<TwoLineTextWriter>(entries, encoding);
    case Glossary: return writeAll<GlossaryWriter>(entries, encoding);
    default: return writeAll<TableTextWriter>(entries, encoding);
    }
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
        QCOMPARE(readFormat(DictionaryFiles::saveFormat(file), fixture(file, encoding)), expected);
    }

    // A dictionary read and written back in the encoding it was read in is unchanged; the
    // table text fixture holds every field that needs quoting.
    void roundTripsFiles_data() { addFilesInEachEncoding({"roundtrip.txt", "roundtrip.glo", "roundtrip.csv"}); }
    void roundTripsFiles()
    {
        QFETCH(QString, file);
        QFETCH(TextEncoding, encoding);
        const QByteArray bytes = fixture(file, encoding);
        QCOMPARE(TextCodec::detect(bytes), encoding);
        const DictionaryFiles::SaveFormat format = DictionaryFiles::saveFormat(file);
        QCOMPARE(writeFormat(format, readFormat(format, bytes), encoding), bytes);
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
        const QList<qsizetype> counts{readCount<TwoLineTextReader>(bytes), readCount<GlossaryReader>(bytes),
                                      readCount<TableTextReader>(bytes)};
        QTEST(counts, "counts");
    }

    void namesFiles_data() { addTestTable(u"dictionary-names.txt"_qs, {"path", "format", "companion"}); }
    void namesFiles()
    {
        QFETCH(QString, path);
        const QStringList formats{u"none"_qs, u"glossary"_qs, u"two-line"_qs, u"table"_qs};
        QTEST(formats.value(int(DictionaryFiles::saveFormat(path))), "format");
        QTEST(DictionaryFiles::companionPath(path), "companion");
    }
};

QTEST_GUILESS_MAIN(DictionaryFormatsTest)
#include "tst_dictionaryformats.moc"
