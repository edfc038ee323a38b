#include "DictionaryFiles.h"
#include "ErrorReport.h"
#include "Glossary.h"
#include "TableText.h"
#include "TextFile.h"
#include "TwoLineText.h"

#include <QBuffer>
#include <QTest>

namespace {

// status, number, source, translation
using Entries = QList<QStringList>;

QByteArray gb(const QString &text)
{
    return TextCodec::encode(text, TextEncoding::Gb18030);
}

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

// The error number a reader raises, 0 when it reads to the end.
template <typename Reader>
int readError(const QByteArray &bytes, qsizetype *count = nullptr)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    LineReader lines(buffer, TextCodec::detect(buffer));
    Reader reader(lines);
    DictionaryEntry entry;
    qsizetype entries = 0;
    try {
        while (reader.next(entry))
            ++entries;
    } catch (const AppError &error) {
        return error.number();
    }
    if (count)
        *count = entries;
    return 0;
}

const QString Untranslated = EntryStatus::Untranslated;
const QString Translated = EntryStatus::Translated;

}

class DictionaryFormatsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsTwoLineText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Entries>("expected");
        QTest::newRow("colon in source") << u"\r\n12:Open: file\r\n打开: 文件\r\n"_qs
                                         << Entries{{Translated, u"12"_qs, u"Open: file"_qs, u"打开: 文件"_qs}};
        QTest::newRow("non-numeric prefixes passed over")
            << u":Open\nabc:Open\n3:Save\nSave\n"_qs << Entries{{Untranslated, u"3"_qs, u"Save"_qs, u"Save"_qs}};
        QTest::newRow("empty translation is translated")
            << u"1:Open\n\n"_qs << Entries{{Translated, u"1"_qs, u"Open"_qs, QString()}};
        QTest::newRow("translation that looks like a number line")
            << u"1:Open\n3:Save\n"_qs << Entries{{Translated, u"1"_qs, u"Open"_qs, u"3:Save"_qs}};
        QTest::newRow("leading zeros and blanks kept")
            << u"0012:Open\nx\n 7 :a\na"_qs
            << Entries{{Translated, u"0012"_qs, u"Open"_qs, u"x"_qs}, {Untranslated, u" 7 "_qs, u"a"_qs, u"a"_qs}};
        QTest::newRow("signed and decimal numbers")
            << u"-3:a\nb\n1.5:c\nd\n1e:x\ny"_qs
            << Entries{{Translated, u"-3"_qs, u"a"_qs, u"b"_qs}, {Translated, u"1.5"_qs, u"c"_qs, u"d"_qs}};
        QTest::newRow("status is case-sensitive")
            << u"1:Open\nopen\n"_qs << Entries{{Translated, u"1"_qs, u"Open"_qs, u"open"_qs}};
        QTest::newRow("empty file") << QString() << Entries{};
    }
    void readsTwoLineText()
    {
        QFETCH(QString, text);
        QFETCH(Entries, expected);
        QCOMPARE(readAll<TwoLineTextReader>(gb(text)), expected);
        QCOMPARE(readAll<TwoLineTextReader>(text.toUtf8()), expected);
    }

    void readsGlossary_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Entries>("expected");
        QTest::newRow("third field ignored")
            << u"Open\t打开\tx\r\n"_qs << Entries{{Translated, u"1"_qs, u"Open"_qs, u"打开"_qs}};
        QTest::newRow("no tab, empty line, numbering over all lines")
            << u"abc\n\na\tb\nc\td"_qs
            << Entries{{Translated, u"1"_qs, u"abc"_qs, QString()}, {Untranslated, u"2"_qs, QString(), QString()},
                       {Translated, u"3"_qs, u"a"_qs, u"b"_qs}, {Translated, u"4"_qs, u"c"_qs, u"d"_qs}};
        QTest::newRow("language line is an entry")
            << u"9 1\t4 2\nOpen\tOpen\n"_qs
            << Entries{{Translated, u"1"_qs, u"9 1"_qs, u"4 2"_qs}, {Untranslated, u"2"_qs, u"Open"_qs, u"Open"_qs}};
        QTest::newRow("escaped tab stays escaped")
            << u"Open\\tCtrl+O\t打开\\tCtrl+O"_qs
            << Entries{{Translated, u"1"_qs, u"Open\\tCtrl+O"_qs, u"打开\\tCtrl+O"_qs}};
    }
    void readsGlossary()
    {
        QFETCH(QString, text);
        QFETCH(Entries, expected);
        QCOMPARE(readAll<GlossaryReader>(gb(text)), expected);
        QCOMPARE(readAll<GlossaryReader>(text.toUtf8()), expected);
    }

    void readsTableText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Entries>("expected");
        QTest::newRow("plain") << u"复查,7,Open,打开\r\n"_qs << Entries{{u"复查"_qs, u"7"_qs, u"Open"_qs, u"打开"_qs}};
        QTest::newRow("outline column dropped")
            << u",不译,7,Open,Open"_qs << Entries{{u"不译"_qs, u"7"_qs, u"Open"_qs, u"Open"_qs}};
        QTest::newRow("five fields without outline column")
            << u",x,7,Open,y"_qs << Entries{{QString(), u"x"_qs, u"7"_qs, u"Open"_qs}};
        QTest::newRow("empty status of four fields kept")
            << u",7,Open,打开"_qs << Entries{{QString(), u"7"_qs, u"Open"_qs, u"打开"_qs}};
        QTest::newRow("missing fields empty, empty lines passed over")
            << u"\r\n已译,1\r\n\r\n"_qs << Entries{{Translated, u"1"_qs, QString(), QString()}};
        QTest::newRow("unclosed quote runs to the end")
            << u"已译,1,\"a,b"_qs << Entries{{Translated, u"1"_qs, u"a,b"_qs, QString()}};
        QTest::newRow("text after closing quote kept")
            << u"已译,1,\"a\"b,c"_qs << Entries{{Translated, u"1"_qs, u"ab"_qs, u"c"_qs}};
    }
    void readsTableText()
    {
        QFETCH(QString, text);
        QFETCH(Entries, expected);
        QCOMPARE(readAll<TableTextReader>(gb(text)), expected);
    }

    void tableTextKeepsEveryField_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("commas and quotes") << QStringList{u"复查"_qs, u"1"_qs, u"a,b"_qs, u"\"x\", \"y\""_qs};
        QTest::newRow("only a quote") << QStringList{u"不译"_qs, u"2"_qs, u"\""_qs, u"\",\""_qs};
        QTest::newRow("backslashes") << QStringList{u"已译"_qs, u"3"_qs, u"C:\\dir\\"_qs, u"Open\\tCtrl+O"_qs};
        QTest::newRow("zeros and blanks") << QStringList{u"未译"_qs, u"0012"_qs, u"  lead"_qs, u"trail  "_qs};
        QTest::newRow("empty fields") << QStringList{QString(), QString(), QString(), QString()};
        QTest::newRow("chinese") << QStringList{u"已译"_qs, u"9"_qs, u"文件(&F)"_qs, u"“打开”，保存"_qs};
        QTest::newRow("outline look-alike") << QStringList{QString(), u"未译"_qs, u","_qs, u"x"_qs};
    }
    void tableTextKeepsEveryField()
    {
        QFETCH(QStringList, fields);
        for (const TextEncoding encoding : {TextEncoding::Gb18030, TextEncoding::Utf8}) {
            const QByteArray bytes = writeAll<TableTextWriter>({fields, fields}, encoding);
            QCOMPARE(readAll<TableTextReader>(bytes), (Entries{fields, fields}));
        }
    }

    // A file read and written back in the encoding it was read in is unchanged.
    void roundTripsFiles_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("encoding");
        const QString twoLine = u"\r\n1:Open\r\n打开\r\n\r\n0002:Save: all\r\n\r\n\r\n3:x\r\nx\r\n"_qs;
        const QString glossary = u"9 1\t4 2\r\nOpen\t打开\r\n\t\r\nSave\t\r\n"_qs;
        const QString table = u"复查,1,\"a,\"\"b\"\"\",打开\r\n不译,0002,\" x \",\r\n"_qs;
        for (const auto &[name, encoding] : {std::pair{"gb18030", TextEncoding::Gb18030},
                                              std::pair{"utf-8", TextEncoding::Utf8},
                                              std::pair{"utf-8 bom", TextEncoding::Utf8WithBom}}) {
            QTest::addRow("two-line %s", name) << 0 << twoLine << int(encoding);
            QTest::addRow("glossary %s", name) << 1 << glossary << int(encoding);
            QTest::addRow("table %s", name) << 2 << table << int(encoding);
        }
    }
    void roundTripsFiles()
    {
        QFETCH(int, format);
        QFETCH(QString, text);
        QFETCH(int, encoding);
        const auto written = static_cast<TextEncoding>(encoding);
        QByteArray bytes = TextCodec::encode(text, written);
        if (written == TextEncoding::Utf8WithBom)
            bytes.prepend("\xEF\xBB\xBF");
        QCOMPARE(TextCodec::detect(bytes), written);
        QByteArray again;
        if (format == 0)
            again = writeAll<TwoLineTextWriter>(readAll<TwoLineTextReader>(bytes), written);
        else if (format == 1)
            again = writeAll<GlossaryWriter>(readAll<GlossaryReader>(bytes), written);
        else
            again = writeAll<TableTextWriter>(readAll<TableTextReader>(bytes), written);
        QCOMPARE(again, bytes);
    }

    void statusesOutsideTableTextFollowTheRule()
    {
        const Entries saved{{u"复查"_qs, u"1"_qs, u"Open"_qs, u"打开"_qs}, {u"不译"_qs, u"2"_qs, u"OK"_qs, u"OK"_qs}};
        const QStringList expected{Translated, Untranslated};
        const Entries twoLine = readAll<TwoLineTextReader>(writeAll<TwoLineTextWriter>(saved, TextEncoding::Gb18030));
        const Entries glossary = readAll<GlossaryReader>(writeAll<GlossaryWriter>(saved, TextEncoding::Gb18030));
        QCOMPARE((QStringList{twoLine[0][0], twoLine[1][0]}), expected);
        QCOMPARE((QStringList{glossary[0][0], glossary[1][0]}), expected);
        QCOMPARE(readAll<TableTextReader>(writeAll<TableTextWriter>(saved, TextEncoding::Gb18030)), saved);
    }

    void glossaryWriterEscapesTabs()
    {
        const Entries entries{{Translated, u"1"_qs, u"Open\tCtrl+O"_qs, u"打开\tCtrl+O"_qs}};
        QCOMPARE(writeAll<GlossaryWriter>(entries, TextEncoding::Gb18030), gb(u"Open\\tCtrl+O\t打开\\tCtrl+O\r\n"_qs));
    }

    void survivesBadInput_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("twoLineError");
        QTest::addColumn<qsizetype>("glossaryEntries");
        QTest::addColumn<qsizetype>("tableEntries");
        QByteArray junk;
        for (int i = 0; i < 4096; ++i)
            junk.append(char(i * 7 % 256 == '\n' ? 0 : i * 7 % 256));
        QTest::newRow("empty") << QByteArray() << 0 << qsizetype(0) << qsizetype(0);
        QTest::newRow("binary junk") << junk << 0 << qsizetype(1) << qsizetype(1);
        QTest::newRow("invalid gb18030 and utf-8 bytes")
            << QByteArray("1:\x81\x30\xFF\n\xC0\xAF\x80\t\xFE\n") << 0 << qsizetype(2) << qsizetype(2);
        QTest::newRow("number line at end") << QByteArray("1:a\r\nb\r\n2:c\r\n") << int(Errors::InputPastEnd)
                                            << qsizetype(3) << qsizetype(3);
        QTest::newRow("10 MB number") << QByteArray(10'000'000, '1') + ":a\nb" << 0 << qsizetype(2) << qsizetype(2);
        QTest::newRow("10 MB of commas") << QByteArray(10'000'000, ',') << 0 << qsizetype(1) << qsizetype(1);
        QTest::newRow("10 MB of quotes") << QByteArray(10'000'000, '"') << 0 << qsizetype(1) << qsizetype(1);
    }
    void survivesBadInput()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, twoLineError);
        QFETCH(qsizetype, glossaryEntries);
        QFETCH(qsizetype, tableEntries);
        qsizetype count = -1;
        QCOMPARE(readError<TwoLineTextReader>(bytes), twoLineError);
        QCOMPARE(readError<GlossaryReader>(bytes, &count), 0);
        QCOMPARE(count, glossaryEntries);
        QCOMPARE(readError<TableTextReader>(bytes, &count), 0);
        QCOMPARE(count, tableEntries);
    }

    void namesFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<DictionaryFiles::SaveFormat>("format");
        QTest::addColumn<QString>("companion");
        using enum DictionaryFiles::SaveFormat;
        QTest::newRow("glossary") << u"/d/x.glo"_qs << Glossary << u"/d/x.a.csv"_qs;
        QTest::newRow("two-line") << u"/d/x.a.txt"_qs << TwoLineText << u"/d/x.a.csv"_qs;
        QTest::newRow("table") << u"/d/x.u.csv"_qs << TableText << u"/d/x.u.txt"_qs;
        QTest::newRow("upper case") << u"/d/X.GLO"_qs << Glossary << u"/d/X.a.csv"_qs;
        QTest::newRow("dotted folder") << u"/d.v/x.TXT"_qs << TwoLineText << u"/d.v/x.csv"_qs;
        QTest::newRow("other") << u"/d/x.doc"_qs << None << QString();
        QTest::newRow("bare ending") << u"txt"_qs << None << QString();
    }
    void namesFiles()
    {
        QFETCH(QString, path);
        QFETCH(DictionaryFiles::SaveFormat, format);
        QFETCH(QString, companion);
        QCOMPARE(DictionaryFiles::saveFormat(path), format);
        QCOMPARE(DictionaryFiles::companionPath(path), companion);
    }
};

QTEST_GUILESS_MAIN(DictionaryFormatsTest)
#include "tst_dictionaryformats.moc"
