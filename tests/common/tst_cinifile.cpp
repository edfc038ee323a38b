#include "FileHistory.h"
#include "cInifile.h"
#include "TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

}

class cInifileTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(u"t.ini"_qs); }

private Q_SLOTS:
    void init() { QFile::remove(path()); }

    void readsLikeProfileFunctions_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QByteArray file = "; comment\r\n[Main]\r\nName=Alpha\r\n  Spaced Key  =  value with blanks  \r\n"
                                "Empty=\r\n[Other]\r\nName=Beta\r\n[main]\r\nName=Second\r\n";
        QTest::newRow("plain") << file << u"Main"_qs << u"Name"_qs << u"Alpha"_qs;
        QTest::newRow("section case ignored") << file << u"MAIN"_qs << u"name"_qs << u"Alpha"_qs;
        QTest::newRow("first of two like-named sections") << file << u"main"_qs << u"Name"_qs << u"Alpha"_qs;
        QTest::newRow("blanks around key and value") << file << u"Main"_qs << u"spaced key"_qs << u"value with blanks"_qs;
        QTest::newRow("empty value is not the default") << file << u"Main"_qs << u"Empty"_qs << QString();
        QTest::newRow("key of another section") << file << u"Other"_qs << u"Name"_qs << u"Beta"_qs;
        QTest::newRow("missing key gives default") << file << u"Main"_qs << u"Nope"_qs << u"FAIL"_qs;
        QTest::newRow("missing section gives default") << file << u"Nope"_qs << u"Name"_qs << u"FAIL"_qs;
        QTest::newRow("comment is no key") << file << u"Main"_qs << u"; comment"_qs << u"FAIL"_qs;
        QTest::newRow("missing file gives default") << QByteArray() << u"Main"_qs << u"Name"_qs << u"FAIL"_qs;
    }
    void readsLikeProfileFunctions()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        if (!file.isEmpty())
            writeBytes(path(), file);
        cInifile ini(path(), section);
        ini.setDefault(u"FAIL"_qs);
        QCOMPARE(ini.value(key), expected);
    }

    // Reads are served from the file as last read; a change by anyone else is seen.
    void readsAgainAfterAnOutsideChange()
    {
        cInifile ini(path(), u"Main"_qs);
        writeBytes(path(), "[Main]\r\nName=Alpha\r\n");
        QCOMPARE(ini.value(u"Name"_qs), u"Alpha"_qs);
        writeBytes(path(), "[Main]\r\nName=Gamma\r\n");
        QCOMPARE(ini.value(u"Name"_qs), u"Gamma"_qs);
        QFile::remove(path());
        QCOMPARE(ini.value(u"Name"_qs), QString());
    }

    void keepsValuesWhole_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("300 characters") << QString(300, u'x');
        QTest::newRow("long chinese path") << QStringLiteral("/home/用户/字典/").repeated(40);
        QTest::newRow("outer blanks") << u"  ( "_qs;
        QTest::newRow("quoted") << u"\"quoted\""_qs;
        QTest::newRow("regex fragment") << u"(?:\\(|\\[|\\<|\\{)"_qs;
        QTest::newRow("equals sign") << u"a=b"_qs;
    }
    void keepsValuesWhole()
    {
        QFETCH(QString, value);
        cInifile ini(path(), u"S"_qs);
        ini.setValue(u"K"_qs, value);
        QVERIFY(ini.success());
        QCOMPARE(cInifile(path(), u"s"_qs).value(u"k"_qs), value);
    }

    void writesInPlaceAndCreatesWhatIsMissing()
    {
        writeBytes(path(), "; keep me\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
        cInifile ini(path(), u"a"_qs);
        ini.setValue(u"X"_qs, u"10"_qs);
        ini.setValue(u"new"_qs, u"4"_qs);
        ini.setSection(u"C"_qs);
        ini.setValue(u"w"_qs, u"5"_qs);
        QCOMPARE(readBytes(path()),
                 QByteArray("; keep me\r\n[A]\r\nx=10\r\ny=2\r\nnew=4\r\n\r\n[B]\r\nz=3\r\n[C]\r\nw=5\r\n"));
        ini.setSection(u"A"_qs);
        QCOMPARE(ini.EnumerateCurrentSection(), (QStringList{u"x"_qs, u"y"_qs, u"new"_qs}));
        QCOMPARE(ini.INISection(), QStringLiteral("x%1y%1new%1").arg(QChar(0)));
        QCOMPARE(ini.EnumerateAllSections(), (QStringList{u"A"_qs, u"B"_qs, u"C"_qs}));
    }

    void removesNulAndLineBreaksOnWrite()
    {
        cInifile ini(path(), u"S"_qs);
        ini.setValue(u"K"_qs, QStringLiteral("a%1b\r\nc=d").arg(QChar(0)));
        ini.setValue(u"L"_qs, u"2"_qs);
        QCOMPARE(ini.value(u"K"_qs), u"abc=d"_qs);
        QCOMPARE(ini.EnumerateCurrentSection(), (QStringList{u"K"_qs, u"L"_qs}));
    }

    void keepsTheFileEncoding_data()
    {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::newRow("gb18030") << TextCodec::encode(QStringLiteral("[字典]\r\n名=值\r\n"), TextEncoding::Gb18030)
                                 << TextEncoding::Gb18030;
        QTest::newRow("utf-8") << QStringLiteral("[字典]\r\n名=值\r\n").toUtf8() << TextEncoding::Utf8;
    }
    void keepsTheFileEncoding()
    {
        QFETCH(QByteArray, original);
        QFETCH(TextEncoding, encoding);
        writeBytes(path(), original);
        cInifile ini(path(), QStringLiteral("字典"));
        QCOMPARE(ini.value(QStringLiteral("名")), QStringLiteral("值"));
        ini.setValue(QStringLiteral("路径"), QStringLiteral("/tmp/参照.glo"));
        QCOMPARE(encodingOfFile(path()), encoding);
        QCOMPARE(ini.value(QStringLiteral("路径")), QStringLiteral("/tmp/参照.glo"));
    }

    void deletesKeysAndSections()
    {
        writeBytes(path(), "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");
        cInifile ini(path(), u"A"_qs);
        ini.setKey(u"x"_qs);
        ini.DeleteKey();
        QVERIFY(ini.success());
        ini.setSection(u"B"_qs);
        ini.DeleteSection();
        QCOMPARE(readBytes(path()), QByteArray("[A]\r\ny=2\r\n"));
        ini.setSection(u"Missing"_qs);
        QVERIFY(ini.EnumerateCurrentSection().isEmpty());
    }

    void failedWriteIsReported()
    {
        cInifile ini(m_dir.filePath(u"no/such/folder.ini"_qs), u"S"_qs);
        ini.setValue(u"K"_qs, u"v"_qs);
        QCOMPARE(ini.LastReturnCode(), 0);
        QVERIFY(!ini.success());
    }

    void convertsNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << u"42"_qs << 42;
        QTest::newRow("blanks and sign") << u" -7 "_qs << -7;
        QTest::newRow("not a number") << u"FAIL"_qs << -1;
        QTest::newRow("empty") << QString() << -1;
        QTest::newRow("too large") << u"99999999999"_qs << -1;
        QTest::newRow("rounds half to even") << u"2.5"_qs << 2;
    }
    void convertsNumbers()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(cInifile::CLngDefault(text, -1), expected);
    }

    void keepsFileHistories()
    {
        const QString section = FileHistory::sectionName(u"frmMain"_qs, u"cboToDo"_qs);
        QCOMPARE(section, u"frmMain.cboToDo"_qs);
        QVERIFY(!FileHistory::load(path(), section));
        QStringList list;
        for (int i = 1; i <= 9; ++i)
            list = FileHistory::add(list, QStringLiteral("/d/%1.glo").arg(i));
        QCOMPARE(list.size(), 8);
        QCOMPARE(list.first(), u"/d/9.glo"_qs);
        QCOMPARE(list.last(), u"/d/2.glo"_qs);
        list = FileHistory::add(list, u"/d/5.glo"_qs);
        QCOMPARE(list.size(), 8);
        QCOMPARE(list.mid(0, 3), (QStringList{u"/d/5.glo"_qs, u"/d/9.glo"_qs, u"/d/8.glo"_qs}));
        QCOMPARE(FileHistory::add(list, QString()), list);
        QCOMPARE(FileHistory::add({u"/D/5.glo"_qs}, u"/d/5.glo"_qs).size(), 2);

        FileHistory::save(path(), section, list);
        QCOMPARE(FileHistory::load(path(), section), std::optional<QStringList>(list));
        FileHistory::save(path(), section, list.mid(0, 2));
        QCOMPARE(FileHistory::load(path(), section)->size(), 2);
        QCOMPARE(cInifile(path(), section).value(u"Item7"_qs), list[7]);
    }
};

QTEST_GUILESS_MAIN(cInifileTest)
#include "tst_cinifile.moc"
