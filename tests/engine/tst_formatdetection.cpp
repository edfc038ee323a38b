#include "AppFolder.h"
#include "ErrorReport.h"
#include "TestData.h"
#include "TextFile.h"
#include "formats/DictionaryFormats.h"

#include <QTemporaryDir>

namespace {

QByteArray gb(const QString &text)
{
    return TextCodec::encode(text, TextEncoding::Gb18030);
}

// The name of the format found, or the error raised.
QString detected(const QString &path, QString *languagePair = nullptr)
{
    const DictionaryFormat *format = nullptr;
    if (const int error = errorNumber([&] { format = DetectDictionaryFormat(path, languagePair); }))
        return u"error %1"_qs.arg(error);
    return format ? format->name : u"unrecognised"_qs;
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

    // Rows too large or too broken for the table follow it; "bytes" takes each character for one byte.
    void detectsFormat_data()
    {
        addTestTable(u"engine/format-detection.txt"_qs, {"text", "encoding", "expected", "ending"});
        QString junk;
        for (int i = 0; i < 65536; ++i)
            junk.append(QChar(0x80 + i * 13 % 128));
        const QString txt = u".txt"_qs;
        QTest::newRow("binary junk") << junk << u"bytes"_qs << u"unrecognised"_qs << txt;
        QTest::newRow("invalid bytes") << u"\x81\x30\xFF\xFE:\n\xC0\xAF\t\x80"_qs << u"bytes"_qs << u"PASSOLO字典"_qs << txt;
        QTest::newRow("ten-thousand-line glossary")
            << u"Open\t打开\r\n"_qs.repeated(10000) << u"GB18030"_qs << u"PASSOLO字典"_qs << txt;
        QTest::newRow("10 MB line before a glossary line")
            << QString(10'000'000, u'x') + u"\na\tb"_qs << u"GB18030"_qs << u"PASSOLO字典"_qs << txt;
        QTest::newRow("10 MB number line")
            << QString(10'000'000, u'7') + u":a\nb"_qs << u"GB18030"_qs << u"青墨文本"_qs << txt;
    }
    void detectsFormat()
    {
        const auto [text, encoding, ending] = fields("text", "encoding", "ending");
        const QString lines = QString(text).replace(u"\\n"_qs, u"\n"_qs);
        const QString path = write(encoding == u"bytes" ? lines.toLatin1()
            : TextCodec::encode(lines, encoding == u"UTF-8" ? TextEncoding::Utf8 : TextEncoding::Gb18030), ending);
        QTEST(detected(path), "expected");
        QString pair = u"keep"_qs;
        QTEST(detected(path, &pair), "expected");
    }

    void recognisesLanguagePair_data() { addTestTable(u"engine/language-pairs.txt"_qs, {"text", "expected"}); }
    void recognisesLanguagePair()
    {
        const auto [text, expected] = fields("text", "expected");
        QString pair = u"keep"_qs;
        QCOMPARE(detected(write(gb(text)), &pair), u"PASSOLO字典"_qs);
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
    QString write(const QByteArray &bytes, const QString &ending = u".txt"_qs)
    {
        return writeBytes(m_dir.filePath(QStringLiteral("d%1").arg(++m_files) + ending), bytes);
    }

    QTemporaryDir m_dir;
    int m_files = 0;
};

QTEST_GUILESS_MAIN(FormatDetectionTest)
#include "tst_formatdetection.moc"
