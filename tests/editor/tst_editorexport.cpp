#include "DialogHelpers.h"
#include "EditorFixture.h"

#include "EditorSettings.h"
#include "FileHistory.h"
#include "cInifile.h"
#include "frmExport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <csignal>
#include <sys/resource.h>

namespace {

// Source and translation lengths in GB18030 bytes: 1 (2, 4), 2 (4, 2), 3 (3, 3), 4 (4, 2), 5 (1, 1).
const QString Document = u"已译,1,ab,打开\r\n已译,2,Open,ab\r\n未译,3,abc,abc\r\n复查,4,打开,开\r\n不译,5,x,x\r\n"_qs;
const QStringList GlossaryLines{u"ab\t打开"_qs, u"Open\tab"_qs, u"abc\tabc"_qs, u"打开\t开"_qs, u"x\tx"_qs};
const QStringList AllStatuses{u"chkStaUN"_qs, u"chkStaED"_qs, u"chkStaNO"_qs, u"chkStaCK"_qs};
const QString FailureLocation = u"\r\n源代码位置: Form 'frmExport' -> 'cmdStart_Click'"_qs;

class ExportFixture : public EditorFixture {
public:
    explicit ExportFixture(const QString &document = Document)
    {
        if (!openTable(u"doc.a.csv"_qs, document))
            qFatal("document not opened");
        dialogs.choose(path(u"out"_qs));
        dialog = std::make_unique<frmExport>(window->session(), window->gridController(), window.get());
        if (!showDialog(*dialog))
            qFatal("export dialog not shown");
    }

    template <typename T>
    T *find(const QString &name) const { return control<T>(*dialog, name); }

    void check(const QStringList &statuses) const
    {
        for (const QString &name : AllStatuses)
            find<QCheckBox>(name)->setChecked(statuses.contains(name));
    }
    void chooseLength(int condition, const QString &value) const
    {
        find<QComboBox>(u"cboCondition"_qs)->setCurrentIndex(condition);
        find<QLineEdit>(u"txtLenLimit"_qs)->setText(value);
    }
    void start() const { find<QPushButton>(u"cmdStart"_qs)->click(); }

    // The glossary lines written after the language line.
    QStringList entryLines() const
    {
        QStringList lines = text(u"out.txt"_qs).split(u"\r\n"_qs);
        lines.removeLast();
        return lines.mid(1);
    }

    std::unique_ptr<frmExport> dialog;
};

QStringList glossaryLines(const QList<int> &numbers)
{
    QStringList lines;
    for (int number : numbers)
        lines.append(GlossaryLines[number - 1]);
    return lines;
}

// Writes beyond the size limit fail (EFBIG) for as long as the guard lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

}

class EditorExportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void exportsByLengthCondition_data()
    {
        QTest::addColumn<int>("condition");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QList<int>>("exported");
        QTest::newRow("any length") << 0 << u"3"_qs << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("source shorter") << 1 << u"3"_qs << QList<int>{1, 5};
        QTest::newRow("source equal, Chinese counts 2") << 2 << u"4"_qs << QList<int>{2, 4};
        QTest::newRow("source longer") << 3 << u"3"_qs << QList<int>{2, 4};
        QTest::newRow("translation shorter") << 4 << u"3"_qs << QList<int>{2, 4, 5};
        QTest::newRow("translation equal 2") << 5 << u"2"_qs << QList<int>{2, 4};
        QTest::newRow("translation longer") << 6 << u"3"_qs << QList<int>{1};
        QTest::newRow("translation longer than source") << 7 << u"3"_qs << QList<int>{1};
    }
    void exportsByLengthCondition()
    {
        QFETCH(int, condition);
        QFETCH(QString, value);
        QFETCH(QList<int>, exported);
        ExportFixture exporter;
        exporter.check(AllStatuses);
        exporter.chooseLength(condition, value);
        exporter.start();
        QVERIFY(exporter.messages.shown.isEmpty());
        QCOMPARE(exporter.entryLines(), glossaryLines(exported));
    }

    void exportsTheChosenStatuses_data()
    {
        QTest::addColumn<QStringList>("statuses");
        QTest::addColumn<QList<int>>("exported");
        QTest::newRow("untranslated") << QStringList{u"chkStaUN"_qs} << QList<int>{3};
        QTest::newRow("translated") << QStringList{u"chkStaED"_qs} << QList<int>{1, 2};
        QTest::newRow("not to translate") << QStringList{u"chkStaNO"_qs} << QList<int>{5};
        QTest::newRow("review") << QStringList{u"chkStaCK"_qs} << QList<int>{4};
        QTest::newRow("translated and review") << QStringList{u"chkStaED"_qs, u"chkStaCK"_qs} << QList<int>{1, 2, 4};
    }
    void exportsTheChosenStatuses()
    {
        QFETCH(QStringList, statuses);
        QFETCH(QList<int>, exported);
        ExportFixture exporter;
        exporter.check(statuses);
        exporter.start();
        QCOMPARE(exporter.entryLines(), glossaryLines(exported));
    }

    void writesEachFormat_data()
    {
        QTest::addColumn<bool>("twoLine");
        QTest::addColumn<QString>("identifiers");
        QTest::addColumn<QString>("file");
        QTest::newRow("two-line text") << true << u"7 1|4 1"_qs << u"\r\n1:ab\r\n打开\r\n\r\n2:Open\r\nab\r\n"_qs;
        QTest::newRow("glossary") << false << u"7 1|4 1"_qs << u"7 1\t4 1\r\nab\t打开\r\nOpen\tab\r\n"_qs;
        QTest::newRow("glossary, empty identifiers") << false << u"|"_qs << u"9 1\t4 2\r\nab\t打开\r\nOpen\tab\r\n"_qs;
    }
    void writesEachFormat()
    {
        QFETCH(bool, twoLine);
        QFETCH(QString, identifiers);
        QFETCH(QString, file);
        ExportFixture exporter;
        QVERIFY(exporter.find<QRadioButton>(u"Option1"_qs)->isChecked());
        exporter.find<QRadioButton>(twoLine ? u"Option2"_qs : u"Option1"_qs)->setChecked(true);
        exporter.find<QLineEdit>(u"txtPLOID1"_qs)->setText(identifiers.section(u'|', 0, 0));
        exporter.find<QLineEdit>(u"txtPLOID2"_qs)->setText(identifiers.section(u'|', 1, 1));
        exporter.check({u"chkStaED"_qs});
        exporter.start();
        QCOMPARE(exporter.text(u"out.txt"_qs), file);

        QCOMPARE(exporter.find<QLabel>(u"LabelDoing"_qs)->text(), u"成功导出!"_qs);
        QVERIFY(exporter.find<QLabel>(u"LabelDoing"_qs)->isVisible());
        auto *finish = exporter.find<QPushButton>(u"cmdClose"_qs);
        QVERIFY(finish->isVisible());
        QCOMPARE(finish->text(), u"完成(&F)"_qs);
        for (const QString &hidden : {u"Frame1"_qs, u"Frame4"_qs, u"cboExFile"_qs, u"cmdSave"_qs, u"cmdStart"_qs, u"lalFRD"_qs})
            QVERIFY2(exporter.find<QWidget>(hidden)->isHidden(), qPrintable(hidden));
        QVERIFY(!exporter.window->session().EditSuppressed);
        QVERIFY(exporter.window->fg->updatesEnabled());
    }

    void warnsWhenNoStatusIsChosen()
    {
        ExportFixture exporter;
        exporter.check({});
        exporter.chooseLength(1, u"abc"_qs);
        exporter.start();
        QCOMPARE(exporter.messages.texts(), QStringList{u"至少要选中一个“状态”复选框！"_qs});
        QCOMPARE(exporter.messages.shown[0].icon, MessageService::Icon::Exclamation);
        QVERIFY(!QFile::exists(exporter.path(u"out.txt"_qs)));
        QCOMPARE(exporter.find<QLineEdit>(u"txtLenLimit"_qs)->text(), u"abc"_qs);
        QVERIFY(exporter.find<QPushButton>(u"cmdStart"_qs)->isVisible());
        QVERIFY(exporter.find<QWidget>(u"Frame4"_qs)->isVisible());
    }

    void exportsCollapsedGroupsInFlatOrder()
    {
        ExportFixture exporter;
        exporter.grid().DisplayCategorized();
        for (int row = 1; row < exporter.grid().rows(); ++row)
            exporter.grid().setCollapsed(row, true);
        exporter.check({u"chkStaED"_qs, u"chkStaNO"_qs});
        exporter.start();
        QCOMPARE(exporter.entryLines(), glossaryLines({1, 2, 5}));
        QCOMPARE(exporter.grid().DisplayMode(), 0);
        QCOMPARE(exporter.rows().size(), 5);
    }

    // Lengths are never squeezed into 16 bits; the box shows the value used.
    void takesAnyLengthUpToTheLimit_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("used");
        QTest::addColumn<int>("exported");
        QTest::newRow("above 32767") << u"40000"_qs << u"40000"_qs << 5;
        QTest::newRow("the limit") << u"999999999"_qs << u"999999999"_qs << 5;
        QTest::newRow("above the limit") << u"1000000000"_qs << u"999999999"_qs << 5;
        QTest::newRow("not a number") << u"abc"_qs << u"50"_qs << 5;
        QTest::newRow("below one") << u"0"_qs << u"50"_qs << 5;
        QTest::newRow("rounded") << u"2.6"_qs << u"3"_qs << 2;
    }
    void takesAnyLengthUpToTheLimit()
    {
        QFETCH(QString, typed);
        QFETCH(QString, used);
        QFETCH(int, exported);
        ExportFixture exporter;
        exporter.check(AllStatuses);
        exporter.chooseLength(1, typed);
        exporter.start();
        QVERIFY(exporter.messages.shown.isEmpty());
        QCOMPARE(exporter.find<QLineEdit>(u"txtLenLimit"_qs)->text(), used);
        QCOMPARE(exporter.entryLines().size(), exported);
    }

    // A failed run keeps what the file held, closes the dialog and leaves the editor usable.
    void failedWritesKeepTheOldFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("entries");
        QTest::newRow("missing folder") << u"none/out.txt"_qs << 5;
        QTest::newRow("write fails midway") << u"out.txt"_qs << 3000;
    }
    void failedWritesKeepTheOldFile()
    {
        QFETCH(QString, target);
        QFETCH(int, entries);
        QString document;
        for (int i = 1; i <= entries; ++i)
            document += u"已译,%1,Source text %1,译文 %1\r\n"_qs.arg(i);
        ExportFixture exporter(document);
        exporter.write(u"out.txt"_qs, QByteArray("old"));
        exporter.find<QComboBox>(u"cboExFile"_qs)->setEditText(exporter.path(target));
        exporter.check(AllStatuses);
        {
            const FileSizeLimit limit(16 * 1024);
            exporter.start();
        }
        QCOMPARE(exporter.messages.shown.size(), 1);
        const QString box = exporter.messages.shown[0].text;
        QVERIFY2(box.startsWith(u"错误:") && box.endsWith(FailureLocation), qPrintable(box));
        QCOMPARE(exporter.messages.shown[0].icon, MessageService::Icon::Critical);
        QCOMPARE(exporter.bytes(u"out.txt"_qs), QByteArray("old"));
        QCOMPARE(QDir(exporter.path(QString())).entryList({u"out.txt*"_qs}), QStringList{u"out.txt"_qs});
        QVERIFY(!exporter.dialog->isVisible());
        QVERIFY(!exporter.window->session().EditSuppressed);
        QVERIFY(exporter.window->fg->updatesEnabled());
    }

    void keepsSettingsAndHistoryInTheEditorsIni()
    {
        ExportFixture exporter;
        QCOMPARE(exporter.dialogs.asked.title, u"选择导出文件的保存位置"_qs);
        QCOMPARE(exporter.find<QComboBox>(u"cboExFile"_qs)->currentText(), exporter.path(u"out.txt"_qs));
        exporter.find<QRadioButton>(u"Option2"_qs)->setChecked(true);
        exporter.check({u"chkStaUN"_qs, u"chkStaCK"_qs});
        exporter.find<QLineEdit>(u"txtPLOID1"_qs)->setText(u"7 1"_qs);
        exporter.chooseLength(6, u"-3"_qs);
        exporter.dialog->close();

        cInifile ini(EditorSettings::iniPath(), u"ExportSetting"_qs);
        QStringList keys = ini.EnumerateCurrentSection();
        keys.sort();
        QCOMPARE(keys, (QStringList{u"cboCondition"_qs, u"chkStaCK"_qs, u"chkStaED"_qs, u"chkStaNO"_qs, u"chkStaUN"_qs,
                                    u"optFormat"_qs, u"txtLenLimit"_qs, u"txtPLOID1"_qs, u"txtPLOID2"_qs}));
        QCOMPARE(ini.value(u"optFormat"_qs), u"1"_qs);
        QCOMPARE(ini.value(u"chkStaCK"_qs), u"1"_qs);
        QCOMPARE(ini.value(u"txtLenLimit"_qs), u"50"_qs);
        QCOMPARE(FileHistory::load(EditorSettings::iniPath(), u"frmExport.cboExFile"_qs).value_or(QStringList()),
                 QStringList{exporter.path(u"out.txt"_qs)});

        exporter.dialogs.choice = FileDialogChoice();
        frmExport again(exporter.window->session(), exporter.window->gridController(), exporter.window.get());
        QVERIFY(showDialog(again));
        QVERIFY(control<QRadioButton>(again, u"Option2"_qs)->isChecked());
        QVERIFY(control<QCheckBox>(again, u"chkStaCK"_qs)->isChecked());
        QVERIFY(!control<QCheckBox>(again, u"chkStaED"_qs)->isChecked());
        QCOMPARE(control<QLineEdit>(again, u"txtPLOID1"_qs)->text(), u"7 1"_qs);
        QCOMPARE(control<QComboBox>(again, u"cboCondition"_qs)->currentIndex(), 6);
        QCOMPARE(control<QComboBox>(again, u"cboExFile"_qs)->itemText(0), exporter.path(u"out.txt"_qs));
        QVERIFY(!control<QPushButton>(again, u"cmdStart"_qs)->isEnabled());
    }

    void lengthBoxFollowsTheCondition()
    {
        ExportFixture exporter;
        auto *conditions = exporter.find<QComboBox>(u"cboCondition"_qs);
        QCOMPARE(conditions->count(), 8);
        for (int condition = 0; condition < conditions->count(); ++condition) {
            conditions->setCurrentIndex(condition);
            QCOMPARE(exporter.find<QLineEdit>(u"txtLenLimit"_qs)->isEnabled(), condition != 0 && condition != 7);
        }
    }

    void namesTheOutputFile_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("name");
        QTest::newRow("no ending") << u"out"_qs << 1 << u"out.txt"_qs;
        QTest::newRow("its own .txt") << u"OUT.TXT"_qs << 1 << u"OUT.TXT"_qs;
        QTest::newRow("its own .glo") << u"out.glo"_qs << 1 << u"out.glo"_qs;
        QTest::newRow("another ending") << u"out.csv"_qs << 1 << u"out.csv.txt"_qs;
    }
    void namesTheOutputFile()
    {
        QFETCH(QString, chosen);
        QFETCH(int, filter);
        QFETCH(QString, name);
        ExportFixture exporter;
        exporter.dialogs.choose(exporter.path(chosen), filter);
        exporter.find<QPushButton>(u"cmdSave"_qs)->click();
        QCOMPARE(exporter.find<QComboBox>(u"cboExFile"_qs)->currentText(), exporter.path(name));
    }
};

QTEST_MAIN(EditorExportTest)
#include "tst_editorexport.moc"
