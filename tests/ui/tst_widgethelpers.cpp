#include "ComboHistory.h"
#include "FileDialogs.h"
#include "FormPosition.h"
#include "cInifile.h"
#include "MessageService.h"

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

class WidgetHelpersTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void convertsFilters_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("qt");
        QTest::newRow("one pattern") << QStringLiteral("PASSOLO字典(*.glo)|*.glo") << QStringLiteral("PASSOLO字典(*.glo) (*.glo)");
        QTest::newRow("two patterns") << QStringLiteral("PASSOLO字典/青墨文本(*.glo;*.a.txt;*.u.txt)|*.glo;*.txt")
                                      << QStringLiteral("PASSOLO字典/青墨文本(*.glo;*.a.txt;*.u.txt) (*.glo *.txt)");
        QTest::newRow("no bar") << u"*.ini"_qs << u"*.ini"_qs;
    }
    void convertsFilters()
    {
        QFETCH(QString, entry);
        QFETCH(QString, qt);
        QCOMPARE(qtNameFilter(entry), qt);
    }

    void bindsHistoriesToDropDowns()
    {
        const QString ini = m_dir.filePath(u"Tallyra.ini"_qs);
        QWidget window;
        window.setObjectName(u"frmMain"_qs);
        auto *combo = new QComboBox(&window);
        combo->setObjectName(u"cboToDo"_qs);
        combo->setEditable(true);
        int textChanges = 0;
        connect(combo, &QComboBox::editTextChanged, this, [&] { ++textChanges; });
        for (int i = 1; i <= 9; ++i)
            AddComboHistory(combo, QStringLiteral("/字典/%1.glo").arg(i));
        QCOMPARE(combo->count(), 8);
        QCOMPARE(combo->currentText(), QStringLiteral("/字典/9.glo"));
        QVERIFY(textChanges > 0);
        SaveComboHistory(combo, ini);
        QCOMPARE(cInifile(ini, u"frmMain.cboToDo"_qs).value(u"Count"_qs), u"8"_qs);

        QWidget other;
        other.setObjectName(u"frmMain"_qs);
        auto *restored = new QComboBox(&other);
        restored->setObjectName(u"cboToDo"_qs);
        restored->setEditable(true);
        LoadComboHistory(restored, ini);
        QCOMPARE(restored->count(), 8);
        QCOMPARE(restored->itemText(0), QStringLiteral("/字典/9.glo"));
        QCOMPARE(restored->currentText(), QString());
    }

    void keepsFormPositions()
    {
        cInifile ini(m_dir.filePath(u"pos.ini"_qs), u"wnd"_qs);
        QWidget window;
        window.setGeometry(40, 50, 300, 200);
        SaveFormPosition(ini, &window);
        QCOMPARE(ini.value(u"Width"_qs), QString::number(300 * TwipsPerPixel));
        QCOMPARE(ini.value(u"Maximised"_qs), u"0"_qs);
        ini.setKey(u"Top"_qs);
        ini.setValue(u"garbage"_qs);
        QWidget other;
        other.setGeometry(10, 70, 100, 100);
        LoadFormPosition(ini, &other, 0, 250);
        QCOMPARE(other.geometry().size(), QSize(300, 250));
        QCOMPARE(other.geometry().y(), 70);
        QCOMPARE(ini.defaultValue(), QString());
    }
};

QTEST_MAIN(WidgetHelpersTest)
#include "tst_widgethelpers.moc"
