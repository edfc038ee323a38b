#include "FileHistory.h"
#include "TestData.h"
#include "TextFile.h"
#include "cInifile.h"

#include <QTemporaryDir>

class cInifileTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(u"t.ini"_qs); }

private Q_SLOTS:
    void init() { QFile::remove(path()); }

    void readsLikeProfileFunctions_data() { addTestTable(u"profile-cases.txt"_qs, {"section", "key", "expected"}); }
    void readsLikeProfileFunctions()
    {
        const auto [section, key] = fields("section", "key");
        cInifile ini(testDataPath(u"profile.ini"_qs), section);
        ini.setDefault(u"FAIL"_qs);
        QTEST(ini.value(key), "expected");
        cInifile missing(path(), section);
        missing.setDefault(u"FAIL"_qs);
        QCOMPARE(missing.value(key), u"FAIL"_qs);
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

    void keepsValuesWhole_data() { addTestTable(u"ini-values.txt"_qs, {"value"}); }
    void keepsValuesWhole()
    {
        QFETCH(QString, value);
        cInifile ini(path(), u"S"_qs);
        ini.setValue(u"K"_qs, value);
        QVERIFY(ini.success());
        QCOMPARE(cInifile(path(), u"s"_qs).value(u"k"_qs), value);
    }

    void editsInPlace()
    {
        writeBytes(path(), testData(u"edit-before.ini"_qs));
        cInifile ini(path(), u"a"_qs);
        ini.setValue(u"X"_qs, u"10"_qs);
        ini.setValue(u"new"_qs, u"4"_qs);
        // A key added right above the next section moves that section down.
        ini.setSection(u"b"_qs);
        ini.setValue(u"n"_qs, u"5"_qs);
        ini.setSection(u"d"_qs);
        ini.setValue(u"q"_qs, u"2"_qs);
        ini.setSection(u"a"_qs);
        ini.setKey(u"y"_qs);
        ini.DeleteKey();
        QVERIFY(ini.success());
        ini.setSection(u"C"_qs);
        ini.setValue(u"w"_qs, u"5"_qs);
        ini.setSection(u"D"_qs);
        ini.DeleteSection();
        QCOMPARE(readBytes(path()), testData(u"edit-after.ini"_qs));
        QVERIFY(ini.EnumerateCurrentSection().isEmpty());
        ini.setSection(u"A"_qs);
        QCOMPARE(ini.EnumerateCurrentSection(), (QStringList{u"x"_qs, u"new"_qs}));
        QCOMPARE(ini.INISection(), QStringLiteral("x%1new%1").arg(QChar(0)));
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

    void keepsTheFileEncoding()
    {
        const QString text = TextCodec::decode(testData(u"chinese.ini"_qs), TextEncoding::Gb18030);
        for (const TextEncoding encoding : {TextEncoding::Gb18030, TextEncoding::Utf8}) {
            writeBytes(path(), TextCodec::encode(text, encoding));
            cInifile ini(path(), u"字典"_qs);
            QCOMPARE(ini.value(u"名"_qs), u"值"_qs);
            ini.setValue(u"路径"_qs, u"/tmp/参照.glo"_qs);
            QCOMPARE(encodingOfFile(path()), encoding);
            QCOMPARE(ini.value(u"路径"_qs), u"/tmp/参照.glo"_qs);
        }
    }

    void keepsFileHistories()
    {
        const QString section = FileHistory::sectionName(u"frmMain"_qs, u"cboToDo"_qs);
        QCOMPARE(section, u"frmMain.cboToDo"_qs);
        QVERIFY(!FileHistory::load(path(), section));
        QStringList list;
        for (int i = 1; i <= 9; ++i)
            list = FileHistory::add(list, QStringLiteral("/d/%1.glo").arg(i));
        QCOMPARE(list.join(u' '), u"/d/9.glo /d/8.glo /d/7.glo /d/6.glo /d/5.glo /d/4.glo /d/3.glo /d/2.glo"_qs);
        list = FileHistory::add(list, u"/d/5.glo"_qs);
        QCOMPARE(list.join(u' '), u"/d/5.glo /d/9.glo /d/8.glo /d/7.glo /d/6.glo /d/4.glo /d/3.glo /d/2.glo"_qs);
        QCOMPARE(FileHistory::add(list, QString()), list);
        QCOMPARE(FileHistory::add({u"/D/5.glo"_qs}, u"/d/5.glo"_qs).size(), 2);

        FileHistory::save(path(), section, list);
        QCOMPARE(FileHistory::load(path(), section), std::optional<QStringList>(list));
        FileHistory::save(path(), section, list.mid(0, 2));
        QCOMPARE(FileHistory::load(path(), section)->size(), 2);
        QCOMPARE(cInifile(path(), section).value(u"Item7"_qs), list[7]);
        // Quillet's recent files keep one path for each number key.
        const QStringList nine = FileHistory::add(FileHistory::add(list, u"/d/1.glo"_qs, 9), u"/d/0.glo"_qs, 9);
        QCOMPARE(nine.size(), 9);
        FileHistory::save(path(), section, nine);
        QCOMPARE(FileHistory::load(path(), section, 9), std::optional<QStringList>(nine));
    }
};

QTEST_GUILESS_MAIN(cInifileTest)
#include "tst_cinifile.moc"
