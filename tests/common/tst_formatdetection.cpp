#include "AppFolder.h"
#include "ErrorReport.h"
#include "FormatDetection.h"
#include "TestData.h"
#include "TextFile.h"

#include <QTemporaryDir>

namespace {

QByteArray gb(const QString &text)
{
    return TextCodec::encode(text, TextEncoding::Gb18030);
}

int detected(const QString &path, QString *languagePair = nullptr)
{
    try {
        return int(DetectDictionaryFormat(path, languagePair));
    } catch (const AppError &error) {
        return -error.number();
    }
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

    // The format found, or the error raised as a negative number.
    void detectsFormat_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("expected");
        using enum DictionaryFormat;
        QTest::newRow("one glossary line") << gb(u"Open\t打开"_qs) << int(Glossary);
        QTest::newRow("glossary after other lines") << gb(u"x\n1:a\nb\nOpen\t打开\n"_qs) << int(Glossary);
        QTest::newRow("two-tab lines are tested as text") << gb(u"a\tb\tc\n1:a\tb\tc\nb\n"_qs) << int(TwoLineText);
        QTest::newRow("two-tab lines without entries") << gb(u"a\tb\tc\nd\te\tf\n"_qs) << int(Unrecognised);
        QTest::newRow("empty translation line not counted")
            << gb(u"1:未译\n\n2:已译\nword\n"_qs) << int(TwoLineText);
        QTest::newRow("only empty translations") << gb(u"1:a\n\n2:b\n\n"_qs) << int(Unrecognised);
        QTest::newRow("follow-up line not examined") << gb(u"1:a\n2:b"_qs) << int(TwoLineText);
        QTest::newRow("non-numeric prefixes") << gb(u":Open\nabc:Open\nx\n"_qs) << int(Unrecognised);
        QTest::newRow("utf-8 two-line") << u"\r\n1:Open\r\n打开\r\n"_qs.toUtf8() << int(TwoLineText);
        QTest::newRow("utf-8 bom glossary") << QByteArray("\xEF\xBB\xBF") + u"打开\t打开"_qs.toUtf8() << int(Glossary);
        QTest::newRow("table text") << gb(u"复查,1,Open,打开\r\n"_qs) << int(Unrecognised);
        QTest::newRow("five pairs end the text pass before a number line at end")
            << gb(u"1:a\nb\n"_qs.repeated(5) + u"9:z"_qs) << int(TwoLineText);
        QTest::newRow("ten-thousand-line glossary") << gb(u"Open\t打开\r\n"_qs.repeated(10000)) << int(Glossary);
        QTest::newRow("10 MB line before a glossary line") << QByteArray(10'000'000, 'x') + "\na\tb" << int(Glossary);
        QTest::newRow("10 MB number line") << QByteArray(10'000'000, '7') + ":a\nb" << int(TwoLineText);
        QTest::newRow("invalid bytes") << QByteArray("\x81\x30\xFF\xFE:\n\xC0\xAF\t\x80") << int(Glossary);
        QByteArray junk;
        for (int i = 0; i < 65536; ++i)
            junk.append(char(0x80 + i * 13 % 128));
        QTest::newRow("binary junk") << junk << int(Unrecognised);
        const int pastEnd = -int(Errors::InputPastEnd);
        QTest::newRow("empty file") << QByteArray() << pastEnd;
        QTest::newRow("number line last") << QByteArray("abc\r\n1:x") << pastEnd;
        QTest::newRow("number line last with line end") << QByteArray("1:x\r\n") << pastEnd;
        QTest::newRow("after four pairs") << gb(u"1:a\nb\n"_qs.repeated(4) + u"9:z"_qs) << pastEnd;
    }
    void detectsFormat()
    {
        QFETCH(QByteArray, bytes);
        const QString path = write(bytes);
        QTEST(detected(path), "expected");
        QString pair = u"keep"_qs;
        QTEST(detected(path, &pair), "expected");
    }

    void recognisesLanguagePair_data() { addTestTable(u"common/language-pairs.txt"_qs, {"text", "expected"}); }
    void recognisesLanguagePair()
    {
        const auto [text, expected] = fields("text", "expected");
        QString pair = u"keep"_qs;
        QCOMPARE(DetectDictionaryFormat(write(gb(text)), &pair), DictionaryFormat::Glossary);
        QCOMPARE(pair, expected);
    }

    // The table the language pair is recognised by is written for the processor only.
    void writesLanguageTable()
    {
        const QString tablePath = AppFolder::file(u"POLOLID.ini"_qs);
        QFile::remove(tablePath);
        DetectDictionaryFormat(write(gb(u"9 1\t4 2"_qs)));
        QVERIFY2(!QFile::exists(tablePath), "the editor's detection needs no language table");
        QString pair;
        DetectDictionaryFormat(write(gb(u"9 1\t4 2"_qs)), &pair);
        QCOMPARE(readBytes(tablePath), testData(u"POLOLID.ini"_qs));
    }

private:
    QString write(const QByteArray &bytes)
    {
        return writeBytes(m_dir.filePath(QStringLiteral("d%1.txt").arg(++m_files)), bytes);
    }

    QTemporaryDir m_dir;
    int m_files = 0;
};

QTEST_GUILESS_MAIN(FormatDetectionTest)
#include "tst_formatdetection.moc"
