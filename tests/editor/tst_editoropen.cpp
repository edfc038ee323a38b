#include "EditorFixture.h"

#include "FileHistory.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

class EditorOpenTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensEachFormat_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("rows");
        const QStringList twoLine{u"未译|2|Open|Open"_qs, u"已译|10|Save:|保存:"_qs, u"已译|0012|Exit|"_qs};
        QTest::newRow("two-line text, sorted by number")
            << u"x.a.txt"_qs << TextCodec::encode(u"\r\n10:Save:\r\n保存:\r\n\r\n2:Open\r\nOpen\r\nabc:no\r\n0012:Exit\r\n\r\n"_qs,
                                                  TextEncoding::Gb18030)
            << twoLine;
        QTest::newRow("two-line text in UTF-8")
            << u"x.u.txt"_qs << u"10:Save:\n保存:\n2:Open\nOpen\n0012:Exit\n\n"_qs.toUtf8() << twoLine;
        QTest::newRow("glossary keeps its lines")
            << u"x.glo"_qs << TextCodec::encode(u"9 1\t4 2\r\nOpen\t打开\t多余\r\nNoTab\r\n\r\nSame\tSame"_qs, TextEncoding::Gb18030)
            << QStringList{u"已译|1|9 1|4 2"_qs, u"已译|2|Open|打开"_qs, u"已译|3|NoTab|"_qs, u"未译|4||"_qs,
                           u"未译|5|Same|Same"_qs};
        QTest::newRow("table text keeps order and statuses")
            << u"x.a.csv"_qs << TextCodec::encode(u"复查,9,\"a, b\",甲\r\n不译,1,c,c\r\n"_qs, TextEncoding::Gb18030)
            << QStringList{u"复查|9|a, b|甲"_qs, u"不译|1|c|c"_qs};
        QTest::newRow(".txt of tab lines is a glossary")
            << u"tabs.a.txt"_qs << QByteArray("Open\tOpen\r\nSave\tx\r\n") << QStringList{u"未译|1|Open|Open"_qs, u"已译|2|Save|x"_qs};
        QTest::newRow(".glo of number lines is two-line text")
            << u"numbers.glo"_qs << QByteArray("\r\n7:Open\r\nOpen\r\n\r\n3:Quit\r\nQ\r\n")
            << QStringList{u"已译|3|Quit|Q"_qs, u"未译|7|Open|Open"_qs};
    }
    void opensEachFormat()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, rows);
        SessionFixture editor;
        const QString path = editor.write(name, bytes);
        QVERIFY(editor.session.open(path));
        QCOMPARE(editor.rows(), rows);
        QCOMPARE(editor.session.path(), path);
        QVERIFY(!editor.session.EditSuppressed);
        QVERIFY(editor.messages.shown.isEmpty());
    }

    void failsWithoutCrashing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        // Named on the command line rather than chosen with the open command.
        QTest::addColumn<bool>("given");
        QTest::newRow("empty file given") << u"empty.a.txt"_qs << QByteArray() << true;
        QTest::newRow("byte-order mark only given") << u"bom.a.txt"_qs << QByteArray("\xEF\xBB\xBF") << true;
        QTest::newRow("number line only given") << u"cut.a.txt"_qs << QByteArray("\r\n1:Open") << true;
        QTest::newRow("missing file") << u"missing.a.txt"_qs << QByteArray("-") << false;
        QTest::newRow("unknown content and name") << u"notes.doc"_qs << QByteArray("just words\r\n") << false;
        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary.append(static_cast<char>((i * 37) % 256 == 9 ? 0 : (i * 37) % 256));
        QTest::newRow("binary") << u"image.bin"_qs << binary << false;
    }
    void failsWithoutCrashing()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, given);
        EditorFixture editor;
        const QString path = name.startsWith(u"missing") ? editor.path(name) : editor.write(name, bytes);
        editor.dialogs.choose(path);
        editor.messages.answers = {MessageService::Ok};
        if (given)
            editor.window->OpenGivenFile(path);
        else
            editor.trigger(u"miFOpen"_qs);
        QCOMPARE(editor.messages.texts().constLast(), u"打开文件失败!"_qs);
        QCOMPARE(editor.messages.shown.constLast().icon, MessageService::Icon::Exclamation);
        QCOMPARE(editor.window->windowTitle(), u"Quillet"_qs);
        QVERIFY(editor.window->recentFiles().isEmpty());
    }

    void reportsANumberLineThatEndsTheFile()
    {
        EditorFixture editor;
        QString text;
        for (int i = 1; i <= 6; ++i)
            text += QStringLiteral("%1:Text %1\r\n译文 %1\r\n").arg(i);
        QVERIFY(editor.window->ActFileOpen(editor.write(u"cut.a.txt"_qs, text + u"7:Last"_qs)));
        QCOMPARE(editor.messages.texts(),
                 QStringList{u"错误:62\r\n输入超出文件尾\r\n源代码位置: Form 'frmMain' -> 'LoadASCIIText'"_qs});
        QCOMPARE(editor.grid().rows(), 7);
        QVERIFY(editor.window->isEnabled());
    }

    void binaryTextFileOpensWhatItCan()
    {
        EditorFixture editor;
        QByteArray binary;
        for (int i = 0; i < 65536; ++i)
            binary.append(static_cast<char>(i * 7919 % 251));
        editor.window->ActFileOpen(editor.write(u"noise.a.txt"_qs, binary));
        QVERIFY(editor.window->isEnabled());
    }

    void asksBeforeOpeningAnUnknownName_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("opened");
        QTest::newRow("continue") << int(MessageService::Ok) << true;
        QTest::newRow("cancel") << int(MessageService::Cancel) << false;
    }
    void asksBeforeOpeningAnUnknownName()
    {
        QFETCH(int, answer);
        QFETCH(bool, opened);
        EditorFixture editor;
        editor.dialogs.choose(editor.write(u"dict.txt"_qs, QByteArray("\r\n1:Open\r\n打开\r\n")));
        editor.messages.answers = {MessageService::Answer(answer)};
        editor.trigger(u"miFReOpen"_qs);
        QCOMPARE(editor.dialogs.asked.filters.value(0), u"所支持的格式(a.txt;u.txt;a.csv;u.csv;glo)|*.txt;*.csv;*.glo"_qs);
        QCOMPARE(editor.messages.texts().value(0),
                 u"文件的后缀不是“.a.txt”或“.u.txt”或“.a.csv”或“.u.csv”\r\n此文件可能不是本编辑器所能识别的文件格式。要继续吗？"_qs);
        QCOMPARE(editor.messages.shown.size(), 1);
        QCOMPARE(!editor.window->CurrentDocumentPath().isEmpty(), opened);
    }

    void keepsTheRecentFiles()
    {
        EditorFixture editor;
        QVERIFY(editor.open(u"one.a.txt"_qs, {u"1:A"_qs, u"甲"_qs}));
        QVERIFY(editor.open(u"two.a.txt"_qs, {u"1:B"_qs, u"乙"_qs}));
        QCOMPARE(editor.window->windowTitle(), u"two.a.txt - Quillet"_qs);
        QCOMPARE(editor.grid().row(), 1);
        const QString ini = AppFolder::file(u"Quillet.ini"_qs);
        QCOMPARE(FileHistory::load(ini, u"MRUFileList"_qs).value(), (QStringList{editor.path(u"two.a.txt"_qs),
                                                                                 editor.path(u"one.a.txt"_qs)}));
        QFile::remove(editor.path(u"one.a.txt"_qs));
        editor.window->OpenRecentFile(editor.path(u"one.a.txt"_qs));
        QVERIFY(editor.messages.shown.isEmpty());
        QCOMPARE(FileHistory::load(ini, u"MRUFileList"_qs).value(), QStringList{editor.path(u"two.a.txt"_qs)});

        frmMain next;
        QCOMPARE(next.recentFiles(), QStringList{editor.path(u"two.a.txt"_qs)});
    }

    void cancelledQuestionKeepsTheRecentEntry()
    {
        EditorFixture editor;
        QVERIFY(editor.open(u"one.a.txt"_qs, {u"1:A"_qs, u"甲"_qs}));
        QVERIFY(editor.open(u"two.a.txt"_qs, {u"1:B"_qs, u"乙"_qs}));
        editor.window->MarkModified();
        editor.messages.answers = {MessageService::Cancel};
        editor.window->OpenRecentFile(editor.path(u"one.a.txt"_qs));
        QCOMPARE(editor.window->recentFiles().size(), 2);
        QCOMPARE(editor.window->CurrentDocumentPath(), editor.path(u"two.a.txt"_qs));
        QVERIFY(editor.window->isModified());
    }

    void opensDroppedFiles_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("dictionary") << true;
        QTest::newRow("missing") << false;
    }
    void opensDroppedFiles()
    {
        QFETCH(bool, exists);
        EditorFixture editor;
        const QString path = exists ? editor.write(u"drop.glo"_qs, u"Open\t打开"_qs) : editor.path(u"gone.glo"_qs);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor.window->fg->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor.window->fg->viewport(), &drop);
        QCOMPARE(editor.window->CurrentDocumentPath().isEmpty(), !exists);
        QCOMPARE(editor.messages.texts(), exists ? QStringList() : QStringList{u"打开文件失败!"_qs});
    }
};

QTEST_MAIN(EditorOpenTest)
#include "tst_editoropen.moc"
