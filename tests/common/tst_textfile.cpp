#include "TestData.h"
#include "TextFile.h"

#include <QBuffer>
#include <QTemporaryDir>

namespace {

QStringList readAll(const QByteArray &bytes, LineEnd lineEnd = LineEnd::CrLf)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    LineReader reader(buffer, TextCodec::detect(buffer), lineEnd);
    QStringList lines;
    for (QString line; reader.readLine(line);)
        lines.append(line);
    return lines;
}

// A table field with "\r" and "\n" turned into the characters they stand for.
QString unescaped(QString field)
{
    return field.replace(u"\\r"_qs, u"\r"_qs).replace(u"\\n"_qs, u"\n"_qs);
}

}

class TextFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void detectsEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TextEncoding>("expected");
        const QByteArray chinese = QStringLiteral("打开").toUtf8();
        QTest::newRow("ascii only") << QByteArray("1:Open\r\n") << TextEncoding::Gb18030;
        QTest::newRow("gb18030 chinese")
            << TextCodec::encode(u"1:Open\r\n打开\r\n"_qs, TextEncoding::Gb18030) << TextEncoding::Gb18030;
        QTest::newRow("utf-8 chinese") << QByteArray("1:Open\r\n") + chinese << TextEncoding::Utf8;
        QTest::newRow("utf-8 bom") << QByteArray("\xEF\xBB\xBF" "abc") << TextEncoding::Utf8WithBom;
        QTest::newRow("empty") << QByteArray() << TextEncoding::Gb18030;
        QTest::newRow("invalid byte late") << chinese + QByteArray(100000, 'a') + "\xFF" << TextEncoding::Gb18030;
        QTest::newRow("overlong form") << QByteArray("\xC0\xAF") << TextEncoding::Gb18030;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << TextEncoding::Gb18030;
        QTest::newRow("truncated sequence at end") << QByteArray("ab\xE6\x89") << TextEncoding::Gb18030;
        // A sequence that straddles the scanner's 64 KiB pieces is judged whole.
        QTest::newRow("sequence across chunks") << QByteArray(65535, 'a') + chinese << TextEncoding::Utf8;
    }
    void detectsEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(TextEncoding, expected);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QCOMPARE(TextCodec::detect(buffer), expected);
        QCOMPARE(buffer.pos(), 0);
        QCOMPARE(TextCodec::detect(bytes), expected);
    }

    // Rows with bytes no encoding gives, or too large for the table, follow it.
    void splitsLines_data()
    {
        addTestTable(u"common/line-splitting.txt"_qs, {"text", "encoding", "lineEnd", "lines"});
        QTest::newRow("invalid gb18030 bytes keep the line end")
            << u"a\x81 b\x81\r\nc\r\n"_qs << u"bytes"_qs << u"CR LF"_qs << u"a\uFFFD b/c"_qs;
        const QString longLine(10 << 20, u'x');
        QTest::newRow("very long line whole")
            << longLine + u"\r\nend"_qs << u"GB18030"_qs << u"CR LF"_qs << longLine + u"/end"_qs;
    }
    void splitsLines()
    {
        const auto [text, encoding, lineEnd, lines] = fields("text", "encoding", "lineEnd", "lines");
        const QByteArray bytes = encoding == u"bytes" ? text.toLatin1()
            : TextCodec::encode(unescaped(text), encoding == u"UTF-8" ? TextEncoding::Utf8 : TextEncoding::Gb18030);
        const QStringList expected = lines.isEmpty() ? QStringList() : unescaped(lines).split(u'/');
        QCOMPARE(readAll(bytes, lineEnd == u"LF" ? LineEnd::Lf : LineEnd::CrLf), expected);
    }

    void countsGb18030Bytes_data() { addTestTable(u"common/gb18030-lengths.txt"_qs, {"text", "bytes"}); }
    void countsGb18030Bytes()
    {
        const auto [text, bytes] = fields("text", "bytes");
        QCOMPARE(TextCodec::gb18030ByteLength(text), bytes.toInt());
    }

    void writesBackInTheEncodingRead()
    {
        for (const TextEncoding encoding : {TextEncoding::Gb18030, TextEncoding::Utf8, TextEncoding::Utf8WithBom}) {
            QTemporaryDir dir;
            const QString path = dir.filePath(u"d.txt"_qs);
            const QStringList lines{QString(), QStringLiteral("1:Open"), QStringLiteral("打开€😀")};
            {
                TextFileWriter writer(path, encoding);
                for (const QString &line : lines)
                    writer.lines().writeLine(line);
                writer.commit();
            }
            QCOMPARE(encodingOfFile(path), encoding);
            QCOMPARE(readAll(readBytes(path)), lines);
            QVERIFY(readBytes(path).endsWith("\r\n"));
        }
    }

    void unfinishedWriteKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = writeBytes(dir.filePath(u"keep.txt"_qs), "old\r\n");
        {
            TextFileWriter writer(path, TextEncoding::Gb18030);
            for (int i = 0; i < 100000; ++i)
                writer.lines().writeLine(u"new content that never gets committed"_qs);
        }
        QCOMPARE(readBytes(path), QByteArray("old\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"keep.txt"_qs});
    }

    void failedOpenForWritingCarriesItsNumber()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"no/such.txt"_qs);
        QCOMPARE(errorNumber([&] { TextFileWriter writer(path, TextEncoding::Gb18030); }), 75);
    }
};

QTEST_GUILESS_MAIN(TextFileTest)
#include "tst_textfile.moc"
