#include "EditorFixture.h"

#include "cInifile.h"

#include <QDir>
#include <QKeyEvent>

namespace {

const QStringList Sample{u"2:Open"_qs, u"打开"_qs, u"1:Exit"_qs, u"Exit"_qs, u"3:Find"_qs, u"查找"_qs};

}

class EditorSaveTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void savesWithCompanions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("noSaveExtra");
        QTest::addColumn<QString>("companion");
        QTest::newRow("two-line text") << u"x.a.txt"_qs << u""_qs << u"x.a.csv"_qs;
        QTest::newRow("glossary gets the a table") << u"x.glo"_qs << u"0"_qs << u"x.a.csv"_qs;
        QTest::newRow("table gets two-line text") << u"x.u.csv"_qs << u"False"_qs << u"x.u.txt"_qs;
        QTest::newRow("unreadable setting is off") << u"x.a.txt"_qs << u"yes"_qs << u"x.a.csv"_qs;
        QTest::newRow("suppressed") << u"x.a.txt"_qs << u"1"_qs << QString();
        QTest::newRow("suppressed by word") << u"x.glo"_qs << u"True"_qs << QString();
    }
    void savesWithCompanions()
    {
        QFETCH(QString, name);
        QFETCH(QString, noSaveExtra);
        QFETCH(QString, companion);
        SessionFixture editor;
        QVERIFY(editor.open(u"source.a.txt"_qs, Sample));
        editor.session.model().setStatus(3, u"复查"_qs);
        editor.session.MarkModified();
        cInifile(AppFolder::file(u"Quillet.ini"_qs), u"OPTION"_qs).setValue(u"NoSaveExtra"_qs, noSaveExtra);
        QVERIFY(editor.session.save(editor.path(name)));
        QVERIFY(!editor.session.isModified());
        QStringList expected{name};
        if (!companion.isEmpty())
            expected.append(companion);
        expected.sort();
        QCOMPARE(QDir(editor.path(QString())).entryList({u"x.*"_qs}), expected);

        const QString reopen = companion.endsWith(u".csv") ? companion : name;
        QVERIFY(editor.session.open(editor.path(reopen)));
        const QString thirdStatus = reopen.endsWith(u".csv") ? u"复查"_qs : u"已译"_qs;
        QCOMPARE(editor.rows(), (QStringList{u"未译|1|Exit|Exit"_qs, u"已译|2|Open|打开"_qs, thirdStatus + u"|3|Find|查找"_qs}));
    }

    void writesTheTwoLineShape()
    {
        SessionFixture editor;
        QVERIFY(editor.open(u"d.a.txt"_qs, Sample));
        QVERIFY(editor.session.save(editor.path(u"d.a.txt"_qs)));
        QCOMPARE(editor.text(u"d.a.txt"_qs), u"\r\n1:Exit\r\nExit\r\n\r\n2:Open\r\n打开\r\n\r\n3:Find\r\n查找\r\n"_qs);
        QCOMPARE(editor.text(u"d.a.csv"_qs), u"未译,1,Exit,Exit\r\n已译,2,Open,打开\r\n已译,3,Find,查找\r\n"_qs);
    }

    void writesBackInTheEncodingItRead_data()
    {
        QTest::addColumn<int>("encoding");
        QTest::newRow("GB18030") << int(TextEncoding::Gb18030);
        QTest::newRow("UTF-8") << int(TextEncoding::Utf8);
        QTest::newRow("UTF-8 with mark") << int(TextEncoding::Utf8WithBom);
    }
    void writesBackInTheEncodingItRead()
    {
        QFETCH(int, encoding);
        SessionFixture editor;
        const auto textEncoding = static_cast<TextEncoding>(encoding);
        const QString path = editor.write(u"e.a.txt"_qs, u"\r\n1:Open\r\n打开\r\n"_qs, textEncoding);
        QVERIFY(editor.session.open(path));
        QVERIFY(editor.session.save(path));
        QCOMPARE(encodingOfFile(path), textEncoding);
        QCOMPARE(TextCodec::decode(editor.bytes(u"e.a.txt"_qs), TextEncoding::Utf8).contains(u"打开"),
                 textEncoding != TextEncoding::Gb18030);
    }

    void namesTheSaveAsFile_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("saved");
        QTest::newRow("ending appended") << u"dict"_qs << 2 << u"dict.u.txt"_qs;
        QTest::newRow("first type") << u"dict"_qs << 1 << u"dict.a.txt"_qs;
        QTest::newRow("third type") << u"dict"_qs << 3 << u"dict.a.csv"_qs;
        QTest::newRow("fourth type") << u"dict"_qs << 4 << u"dict.u.csv"_qs;
        QTest::newRow("ending kept") << u"dict.u.txt"_qs << 2 << u"dict.u.txt"_qs;
        QTest::newRow("other ending extended") << u"dict.txt"_qs << 2 << u"dict.txt.u.txt"_qs;
        QTest::newRow("case ignored") << u"DICT.A.CSV"_qs << 3 << u"DICT.A.CSV"_qs;
        QTest::newRow("glossary") << u"terms"_qs << 5 << u"terms.glo"_qs;
        QTest::newRow("NUL removed") << u"x\u0000y"_qs << 1 << u"xy.a.txt"_qs;
    }
    void namesTheSaveAsFile()
    {
        QFETCH(QString, typed);
        QFETCH(int, filter);
        QFETCH(QString, saved);
        SessionFixture editor;
        QVERIFY(editor.open(u"d.a.txt"_qs, Sample));
        QVERIFY(editor.session.saveAs(editor.path(typed), filter));
        QCOMPARE(editor.session.path(), editor.path(saved));
        QVERIFY(QFile::exists(editor.path(saved)));
    }

    void saveAsAsksWithTheFiveTypes()
    {
        EditorFixture editor;
        QVERIFY(editor.open(u"d.a.txt"_qs, Sample));
        editor.window->MarkModified();
        editor.dialogs.choose(editor.path(u"terms"_qs), 5);
        editor.trigger(u"miFSaveAs"_qs);
        QCOMPARE(editor.dialogs.asked.filters,
                 (QStringList{u"青墨文本(*.a.txt)|*.txt"_qs, u"青墨文本(*.u.txt)|*.txt"_qs, u"本编辑器文本(*.a.csv)|*.csv"_qs,
                              u"本编辑器文本(*.u.csv)|*.csv"_qs, u"PASSOLO字典(*.glo)|*.glo"_qs}));
        QCOMPARE(editor.window->windowTitle(), u"terms.glo - Quillet"_qs);
        QCOMPARE(editor.window->recentFiles().value(0), editor.path(u"terms.glo"_qs));
    }

    void answersTheSaveQuestion_data()
    {
        QTest::addColumn<MessageService::Answer>("answer");
        QTest::addColumn<MessageService::Answer>("result");
        QTest::addColumn<bool>("saved");
        QTest::newRow("yes") << MessageService::Yes << MessageService::Yes << true;
        QTest::newRow("no") << MessageService::No << MessageService::No << false;
        QTest::newRow("cancel") << MessageService::Cancel << MessageService::Cancel << false;
    }
    void answersTheSaveQuestion()
    {
        QFETCH(MessageService::Answer, answer);
        QFETCH(MessageService::Answer, result);
        QFETCH(bool, saved);
        EditorFixture editor;
        QVERIFY(editor.open(u"q.a.txt"_qs, Sample));
        QCOMPARE(editor.window->AskSaveChanges(), MessageService::NotAsked);
        QVERIFY(editor.messages.shown.isEmpty());
        editor.grid().setCursor(1);
        editor.trigger(u"miSTno"_qs);
        const QByteArray before = editor.bytes(u"q.a.txt"_qs);
        editor.messages.answers = {answer};
        QCOMPARE(editor.window->AskSaveChanges(), result);
        QCOMPARE(editor.messages.texts(), QStringList{u"当前打开的文件已经被更改，想要保存文件吗？"_qs});
        QCOMPARE(editor.messages.shown[0].buttons, MessageService::Buttons::YesNoCancel);
        QCOMPARE(editor.bytes(u"q.a.txt"_qs) != before || QFile::exists(editor.path(u"q.a.csv"_qs)), saved);
        QCOMPARE(editor.window->isModified(), !saved);
    }

    void failedSaveKeepsTheDocumentModified_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("saveAs");
        QTest::addColumn<QString>("message");
        QTest::newRow("folder missing") << u"nowhere/d.a.txt"_qs << true << u"错误:75"_qs;
        QTest::newRow("target is a folder") << u"folder.a.txt"_qs << true << u"错误:"_qs;
        QTest::newRow("companion is a folder") << u"other.a.txt"_qs << true << u"错误:"_qs;
        QTest::newRow("wrong extension") << u"x.doc"_qs << false << u"文件扩展名不符:\r\n"_qs;
    }
    void failedSaveKeepsTheDocumentModified()
    {
        QFETCH(QString, target);
        QFETCH(bool, saveAs);
        QFETCH(QString, message);
        EditorFixture editor;
        QVERIFY(editor.open(u"d.a.txt"_qs, Sample));
        QDir(editor.path(QString())).mkdir(u"folder.a.txt"_qs);
        QDir(editor.path(QString())).mkdir(u"other.a.csv"_qs);
        const QByteArray before = editor.bytes(u"d.a.txt"_qs);
        editor.grid().setCursor(2);
        editor.trigger(u"miEResume"_qs);
        editor.dialogs.choose(editor.path(target), 1);
        if (saveAs)
            editor.trigger(u"miFSaveAs"_qs);
        else
            QVERIFY(!editor.window->SaveDocument(editor.path(target)));
        QCOMPARE(editor.messages.shown.size(), 1);
        QVERIFY2(editor.messages.texts()[0].startsWith(message), qPrintable(editor.messages.texts()[0]));
        QCOMPARE(editor.messages.shown[0].icon, MessageService::Icon::Critical);
        QCOMPARE(editor.window->windowTitle(), u"*d.a.txt - Quillet"_qs);
        QCOMPARE(editor.window->CurrentDocumentPath(), editor.path(u"d.a.txt"_qs));
        QCOMPARE(editor.bytes(u"d.a.txt"_qs), before);
        QVERIFY(QFileInfo(editor.path(u"folder.a.txt"_qs)).isDir());
        QVERIFY(!QFile::exists(editor.path(u"x.doc"_qs)));
        QVERIFY(editor.window->isEnabled());
        QVERIFY(!editor.window->session().EditSuppressed);

        editor.messages.answers = {MessageService::Yes};
        QVERIFY(QFile::remove(editor.path(u"d.a.txt"_qs)) && QDir(editor.path(QString())).mkdir(u"d.a.txt"_qs));
        QCOMPARE(editor.window->AskSaveChanges(), MessageService::Cancel);
    }

    void reportsAnEmptyName()
    {
        SessionFixture editor;
        QVERIFY(!editor.session.save(QString()));
        QCOMPARE(editor.messages.texts(), QStringList{u"保存的文件名为空"_qs});
    }

    void savingKeepsTheCollapsedGroups()
    {
        EditorFixture editor;
        QVERIFY(editor.openTable(u"g.a.csv"_qs, u"复查,3,C,丙\r\n已译,1,A,甲\r\n复查,2,B,乙\r\n未译,4,D,D\r\n"_qs));
        editor.trigger(u"miVSort"_qs);
        QCOMPARE(editor.rows(), (QStringList{u"[复查]"_qs, u"复查|2|B|乙"_qs, u"复查|3|C|丙"_qs, u"[未译]"_qs, u"未译|4|D|D"_qs,
                                             u"[已译]"_qs, u"已译|1|A|甲"_qs}));
        editor.grid().setCursor(1);
        QTest::keyClick(editor.window->fg, Qt::Key_Left);
        editor.grid().setCollapsed(6, true);
        QVERIFY(editor.grid().CollapsedGroups.isSet(u"复查"_qs));
        QVERIFY(!editor.grid().CollapsedGroups.isSet(u"已译"_qs));
        editor.window->MarkModified();
        editor.trigger(u"miFSave"_qs);
        QCOMPARE(editor.text(u"g.a.csv"_qs), u"已译,1,A,甲\r\n复查,2,B,乙\r\n复查,3,C,丙\r\n未译,4,D,D\r\n"_qs);
        QCOMPARE(editor.grid().DisplayMode(), 1);
        QVERIFY(editor.grid().isCollapsed(1));
        QVERIFY(!editor.grid().isCollapsed(4));
        QVERIFY(!editor.grid().isCollapsed(6));
        QCOMPARE(editor.grid().row(), 1);
    }

    void noTabOrLineBreakReachesAFile()
    {
        EditorFixture editor;
        QVERIFY(editor.open(u"t.a.txt"_qs, Sample));
        editor.grid().setCursor(2);
        editor.typeTranslation(u"打开\tCtrl+O"_qs);
        QTest::keyClick(editor.pane().Text2, Qt::Key_Return);
        editor.trigger(u"miFSave"_qs);
        QVERIFY(editor.text(u"t.a.txt"_qs).contains(u"\r\n2:Open\r\n打开\\tCtrl+O\r\n"_qs));
    }
};

QTEST_MAIN(EditorSaveTest)
#include "tst_editorsave.moc"
