#include "AppFolder.h"
#include "ErrorReport.h"
#include "FormatDetection.h"
#include "cInifile.h"
#include "TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray gb(const QString &text)
{
    return TextCodec::encode(text, TextEncoding::Gb18030);
}

QString repeated(const QString &lines, int times)
{
    QString text;
    for (int i = 0; i < times; ++i)
        text += lines;
    return text;
}

// The keys of the language table in file order, ranges spelled out.
QStringList languageKeys()
{
    const QList<std::tuple<int, int, int>> ranges{
        {54, 1, 1}, {28, 1, 1}, {1, 1, 16}, {43, 1, 1}, {77, 1, 1}, {44, 1, 2}, {45, 1, 1}, {35, 1, 1},
        {69, 1, 1}, {2, 1, 1}, {3, 1, 1}, {4, 1, 5}, {5, 1, 1}, {6, 1, 1}, {19, 1, 2}, {9, 1, 13},
        {37, 1, 1}, {56, 1, 1}, {41, 1, 1}, {11, 1, 1}, {12, 1, 6}, {55, 1, 1}, {7, 1, 5}, {8, 1, 1},
        {71, 1, 1}, {13, 1, 1}, {57, 1, 1}, {14, 1, 1}, {15, 1, 1}, {33, 1, 1}, {16, 1, 2}, {17, 1, 1},
        {75, 1, 1}, {96, 2, 2}, {63, 1, 1}, {87, 1, 1}, {18, 1, 1}, {38, 1, 1}, {39, 1, 2}, {47, 1, 1},
        {62, 1, 2}, {76, 1, 1}, {88, 1, 1}, {78, 1, 1}, {97, 2, 2}, {20, 1, 2}, {72, 1, 1}, {21, 1, 1},
        {22, 2, 2}, {22, 1, 1}, {70, 1, 1}, {24, 1, 1}, {25, 1, 1}, {79, 1, 1}, {26, 2, 3}, {89, 1, 1},
        {27, 1, 1}, {36, 1, 1}, {10, 1, 20}, {65, 1, 1}, {29, 1, 2}, {73, 1, 1}, {68, 1, 1}, {74, 1, 1},
        {30, 1, 1}, {31, 1, 1}, {34, 1, 1}, {32, 1, 2}, {67, 1, 2}, {42, 1, 1}};
    QStringList keys;
    for (const auto &[primary, first, last] : ranges) {
        for (int sub = first; sub <= last; ++sub)
            keys.append(QStringLiteral("%1 %2").arg(primary).arg(sub));
    }
    return keys;
}

}

class FormatDetectionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        AppFolder::set(m_dir.filePath(u"app"_qs));
    }

    void detectsFormat_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<DictionaryFormat>("expected");
        using enum DictionaryFormat;
        QTest::newRow("one glossary line") << gb(u"Open\t打开"_qs) << Glossary;
        QTest::newRow("glossary after other lines") << gb(u"x\n1:a\nb\nOpen\t打开\n"_qs) << Glossary;
        QTest::newRow("two-tab lines are tested as text") << gb(u"a\tb\tc\n1:a\tb\tc\nb\n"_qs) << TwoLineText;
        QTest::newRow("two-tab lines without entries") << gb(u"a\tb\tc\nd\te\tf\n"_qs) << Unrecognised;
        QTest::newRow("empty translation line not counted")
            << gb(u"1:未译\n\n2:已译\nword\n"_qs) << TwoLineText;
        QTest::newRow("only empty translations") << gb(u"1:a\n\n2:b\n\n"_qs) << Unrecognised;
        QTest::newRow("follow-up line not examined") << gb(u"1:a\n2:b"_qs) << TwoLineText;
        QTest::newRow("non-numeric prefixes") << gb(u":Open\nabc:Open\nx\n"_qs) << Unrecognised;
        QTest::newRow("utf-8 two-line") << u"\r\n1:Open\r\n打开\r\n"_qs.toUtf8() << TwoLineText;
        QTest::newRow("utf-8 bom glossary") << QByteArray("\xEF\xBB\xBF") + u"打开\t打开"_qs.toUtf8() << Glossary;
        QTest::newRow("table text") << gb(u"复查,1,Open,打开\r\n"_qs) << Unrecognised;
        QTest::newRow("five pairs end the text pass before a number line at end")
            << gb(repeated(u"1:a\nb\n"_qs, 5) + u"9:z"_qs) << TwoLineText;
        QTest::newRow("ten-thousand-line glossary") << gb(repeated(u"Open\t打开\r\n"_qs, 10000)) << Glossary;
        QTest::newRow("10 MB line before a glossary line") << QByteArray(10'000'000, 'x') + "\na\tb" << Glossary;
        QTest::newRow("10 MB number line") << QByteArray(10'000'000, '7') + ":a\nb" << TwoLineText;
        QTest::newRow("invalid bytes") << QByteArray("\x81\x30\xFF\xFE:\n\xC0\xAF\t\x80") << Glossary;
        QByteArray junk;
        for (int i = 0; i < 65536; ++i)
            junk.append(char(0x80 + i * 13 % 128));
        QTest::newRow("binary junk") << junk << Unrecognised;
    }
    void detectsFormat()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(DictionaryFormat, expected);
        const QString path = write(bytes);
        QCOMPARE(DetectDictionaryFormat(path), expected);
        QString pair = u"keep"_qs;
        QCOMPARE(DetectDictionaryFormat(path, &pair), expected);
    }

    void raisesReadErrors_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("number line last") << QByteArray("abc\r\n1:x");
        QTest::newRow("number line last with line end") << QByteArray("1:x\r\n");
        QTest::newRow("after four pairs") << gb(repeated(u"1:a\nb\n"_qs, 4) + u"9:z"_qs);
    }
    void raisesReadErrors()
    {
        QFETCH(QByteArray, bytes);
        const QString path = write(bytes);
        try {
            DetectDictionaryFormat(path);
            QFAIL("no error raised");
        } catch (const AppError &error) {
            QCOMPARE(error.number(), int(Errors::InputPastEnd));
        }
    }

    void missingFileIsUnrecognised()
    {
        QCOMPARE(DetectDictionaryFormat(m_dir.filePath(u"none.glo"_qs)), DictionaryFormat::Unrecognised);
        QCOMPARE(DetectDictionaryFormat(m_dir.path()), DictionaryFormat::Unrecognised);
        QCOMPARE(DetectDictionaryFormat(QString()), DictionaryFormat::Unrecognised);
    }

    void recognisesLanguagePair_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("english to chinese") << u"9 1\t4 2\r\nOpen\t打开\r\n"_qs << u"9 1\t4 2"_qs;
        QTest::newRow("ends of ranges") << u"10 20\t4 5"_qs << u"10 20\t4 5"_qs;
        QTest::newRow("parenthesised values") << u"96 2\t88 1"_qs << u"96 2\t88 1"_qs;
        QTest::newRow("unknown target") << u"9 1\t4 6"_qs << u"keep"_qs;
        QTest::newRow("unknown source") << u"9 14\t4 2"_qs << u"keep"_qs;
        QTest::newRow("ordinary first entry") << u"Open\t打开\r\n9 1\t4 2"_qs << u"keep"_qs;
        QTest::newRow("empty piece") << u"\t4 2"_qs << u"keep"_qs;
        QTest::newRow("two-tab line before first single-tab line")
            << u"7 1\t4 1\tx\r\n9 1\t4 2"_qs << u"9 1\t4 2"_qs;
        QTest::newRow("two-tab line replaces the candidate")
            << u"9 1\t4 2\r\n17 1\t4 1\tx\r\na\tb"_qs << u"17 1\t4 1"_qs;
        QTest::newRow("two-tab line after the second single-tab line")
            << u"9 1\t4 2\r\na\tb\r\n17 1\t4 1\tx"_qs << u"9 1\t4 2"_qs;
        QTest::newRow("ten-thousand-line glossary")
            << u"9 1\t4 2\r\n"_qs + repeated(u"Open\t打开\r\n"_qs, 9999) << u"9 1\t4 2"_qs;
    }
    void recognisesLanguagePair()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QString pair = u"keep"_qs;
        QCOMPARE(DetectDictionaryFormat(write(gb(text)), &pair), DictionaryFormat::Glossary);
        QCOMPARE(pair, expected);
    }

    void writesLanguageTable()
    {
        const QString tablePath = AppFolder::file(u"POLOLID.ini"_qs);
        QFile::remove(tablePath);
        DetectDictionaryFormat(write(gb(u"9 1\t4 2"_qs)));
        QVERIFY2(!QFile::exists(tablePath), "the editor's detection needs no language table");

        QString pair;
        DetectDictionaryFormat(write(gb(u"9 1\t4 2"_qs)), &pair);
        cInifile table(tablePath, u"Language IDs"_qs);
        QCOMPARE(table.EnumerateCurrentSection(), languageKeys());
        const QList<std::pair<QString, QString>> samples{
            {u"9 1"_qs, u"enu"_qs}, {u"4 2"_qs, u"chs"_qs}, {u"4 1"_qs, u"cht"_qs}, {u"7 1"_qs, u"deu"_qs},
            {u"17 1"_qs, u"jpn"_qs}, {u"1 1"_qs, u"ara"_qs}, {u"12 1"_qs, u"fra"_qs}, {u"10 3"_qs, u"esn"_qs},
            {u"22 1"_qs, u"ptb"_qs}, {u"96 2"_qs, u"(6002)"_qs}, {u"88 1"_qs, u"(58)"_qs},
            {u"97 2"_qs, u"(6102)"_qs}, {u"89 1"_qs, u"(59)"_qs}};
        for (const auto &[key, value] : samples)
            QCOMPARE(table.value(key), value);
        for (const QString &key : languageKeys())
            QVERIFY2(!table.value(key).isEmpty(), qPrintable(key));
    }

private:
    QString write(const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("d%1.txt").arg(++m_files));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QTemporaryDir m_dir;
    int m_files = 0;
};

QTEST_GUILESS_MAIN(FormatDetectionTest)
#include "tst_formatdetection.moc"
