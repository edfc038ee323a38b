#include "EditorFixture.h"

#include "EditorSettings.h"
#include "FileHistory.h"
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

const QStringList AllStatuses{u"chkStaUN"_qs, u"chkStaED"_qs, u"chkStaNO"_qs, u"chkStaCK"_qs};

// The dialog on export.a.csv, or on the document given, with "out" chosen as the file.
class ExportFixture : public EditorFixture {
public:
    explicit ExportFixture(const QString &document = QString())
    {
        if (!window->ActFileOpen(document.isEmpty() ? copy(u"export.a.csv"_qs) : write(u"doc.a.csv"_qs, document)))
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

    // The sources of the glossary lines written after the language line.
    QString sources() const
    {
        QStringList lines = text(u"out.txt"_qs).split(u"\r\n"_qs).mid(1);
        lines.removeLast();
        for (QString &line : lines)
            line = line.section(u'\t', 0, 0);
        return lines.join(u',');
    }

    std::unique_ptr<frmExport> dialog;
};

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
    void exportsWhatTheControlsChoose_data()
    {
        addTestTable(u"editor/export-cases.txt"_qs, {"statuses", "condition", "typed", "used", "sources"});
    }
    void exportsWhatTheControlsChoose()
    {
        QFETCH(QString, statuses);
        QFETCH(QString, condition);
        QFETCH(QString, typed);
        ExportFixture exporter;
        exporter.check(statuses.split(u','));
        exporter.chooseLength(condition.toInt(), typed);
        exporter.start();
        QVERIFY(exporter.messages.shown.isEmpty());
        QTEST(exporter.find<QLineEdit>(u"txtLenLimit"_qs)->text(), "used");
        QTEST(exporter.sources(), "sources");
    }

    void writesEachFormat_data()
    {
        QTest::addColumn<bool>("twoLine");
        QTest::addColumn<QString>("identifiers");
        QTest::addColumn<QString>("file");
        QTest::newRow("two-line text") << true << u"7 1|4 1"_qs << u"export-two-line.a.txt"_qs;
        QTest::newRow("glossary") << false << u"7 1|4 1"_qs << u"export-glossary.glo"_qs;
        QTest::newRow("glossary, empty identifiers") << false << u"|"_qs << u"export-default-ids.glo"_qs;
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
        QCOMPARE(exporter.bytes(u"out.txt"_qs), testData(u"editor/"_qs + file));
        QCOMPARE(exporter.find<QLabel>(u"LabelDoing"_qs)->text(), u"成功导出!"_qs);
        QCOMPARE(exporter.find<QPushButton>(u"cmdClose"_qs)->text(), u"完成(&F)"_qs);
        QVERIFY(exporter.find<QPushButton>(u"cmdStart"_qs)->isHidden());
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
    }

    void exportsCollapsedGroupsInFlatOrder()
    {
        ExportFixture exporter;
        exporter.grid().DisplayCategorized();
        for (int row = 1; row < exporter.grid().rows(); ++row)
            exporter.grid().setCollapsed(row, true);
        exporter.check({u"chkStaED"_qs, u"chkStaNO"_qs});
        exporter.start();
        QCOMPARE(exporter.sources(), u"ab,Open,x"_qs);
        QCOMPARE(exporter.grid().DisplayMode(), 0);
        QCOMPARE(exporter.rows().size(), 5);
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
        QVERIFY2(box.startsWith(u"错误:") && box.endsWith(u"\r\n源代码位置: Form 'frmExport' -> 'cmdStart_Click'"),
                 qPrintable(box));
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
        exporter.find<QRadioButton>(u"Option2"_qs)->setChecked(true);
        exporter.check({u"chkStaUN"_qs, u"chkStaCK"_qs});
        exporter.find<QLineEdit>(u"txtPLOID1"_qs)->setText(u"7 1"_qs);
        exporter.chooseLength(6, u"-3"_qs);
        exporter.dialog->close();
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
        QCOMPARE(control<QLineEdit>(again, u"txtLenLimit"_qs)->text(), u"50"_qs);
        QCOMPARE(control<QComboBox>(again, u"cboExFile"_qs)->itemText(0), exporter.path(u"out.txt"_qs));
        QVERIFY(!control<QPushButton>(again, u"cmdStart"_qs)->isEnabled());
    }

    void lengthBoxFollowsTheCondition()
    {
        ExportFixture exporter;
        auto *conditions = exporter.find<QComboBox>(u"cboCondition"_qs);
        for (int condition = 0; condition < conditions->count(); ++condition) {
            conditions->setCurrentIndex(condition);
            QCOMPARE(exporter.find<QLineEdit>(u"txtLenLimit"_qs)->isEnabled(), condition != 0 && condition != 7);
        }
    }

    // The name is chosen in a real file dialog.
    void namesTheOutputFile_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("name");
        QTest::newRow("no ending") << u"out"_qs << u"out.txt"_qs;
        QTest::newRow("its own .txt") << u"OUT.TXT"_qs << u"OUT.TXT"_qs;
        QTest::newRow("its own .glo") << u"out.glo"_qs << u"out.glo"_qs;
        QTest::newRow("another ending") << u"out.csv"_qs << u"out.csv.txt"_qs;
    }
    void namesTheOutputFile()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, name);
        ExportFixture exporter;
        QCOMPARE(exporter.find<QComboBox>(u"cboExFile"_qs)->currentText(), exporter.path(u"out.txt"_qs));
        exporter.dialogs.choose(exporter.path(chosen));
        exporter.find<QPushButton>(u"cmdSave"_qs)->click();
        QCOMPARE(exporter.find<QComboBox>(u"cboExFile"_qs)->currentText(), exporter.path(name));
    }
};

QTEST_MAIN(EditorExportTest)
#include "tst_editorexport.moc"
