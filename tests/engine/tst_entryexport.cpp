#include "EntryExport.h"
#include "TestData.h"
#include "cInifile.h"

#include <QTemporaryDir>

namespace {

// The export format the settings store as this value.
const DictionaryFormat *exportFormat(const QString &stored)
{
    for (const DictionaryFormat *format : DictionaryFormats::exportTargets()) {
        if (format->exportTarget->storedValue == stored)
            return format;
    }
    qFatal("no export format stored as %s", qPrintable(stored));
}

}

class EntryExportTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void filtersByByteLength_data()
    {
        addTestTable(u"export-filter.txt"_qs, {"condition", "value", "source", "translation", "passes"});
    }
    void filtersByByteLength()
    {
        const auto [condition, value, source, translation] = fields("condition", "value", "source", "translation");
        ExportOptions options;
        options.condition = condition.toInt();
        options.lengthValue = value.toInt();
        QTEST(ExportFilter(options, source, translation) ? u"yes"_qs : u"no"_qs, "passes");
    }

    void writesTheChosenStatuses_data()
    {
        addTestTable(u"engine/export-statuses.txt"_qs, {"format", "statuses", "expected"});
    }
    void writesTheChosenStatuses()
    {
        const auto [format, statuses, expected] = fields("format", "statuses", "expected");
        ExportOptions options;
        options.format = exportFormat(format);
        options.untranslated = statuses[0] == u'1';
        options.translated = statuses[1] == u'1';
        options.notToTranslate = statuses[2] == u'1';
        options.review = statuses[3] == u'1';
        const QString path = m_dir.filePath(u"export.txt"_qs);
        EntryExportWriter writer(path, options);
        for (const DictionaryEntry &e : std::initializer_list<DictionaryEntry>{
                 {EntryStatus::Translated, u"1"_qs, u"Open"_qs, u"打开"_qs},
                 {EntryStatus::Untranslated, u"2"_qs, u"Close"_qs, u"Close"_qs},
                 {EntryStatus::Translated, u"3"_qs, u"Save"_qs, u"保存"_qs},
                 {EntryStatus::NotToTranslate, u"4"_qs, u"Ctrl"_qs, u"Ctrl"_qs},
                 {EntryStatus::Review, u"0012"_qs, u"Exit"_qs, u"退出"_qs}})
            writer.offer(e);
        writer.commit();
        QCOMPARE(readBytes(path), testData(expected));
    }

    void keepsTheSettings()
    {
        const QString ini = m_dir.filePath(u"Quillet.ini"_qs);
        ExportControlState saved;
        saved.format = exportFormat(u"1"_qs);
        saved.statusStates[u"chkStaED"_qs] = 1;
        saved.statusStates[u"chkStaNO"_qs] = 1;
        saved.txtPLOID1 = u"7 1"_qs;
        saved.cboCondition = 5;
        saved.txtLenLimit = u"0"_qs;
        saved.saveToIni(ini);
        QCOMPARE(saved.txtLenLimit, u"50"_qs);
        QCOMPARE(readBytes(ini), testData(u"export-settings.ini"_qs));
        cInifile(ini, ExportControlState::IniSection).setValue(u"cboCondition"_qs, u"9"_qs);
        cInifile(ini, ExportControlState::IniSection).setValue(u"txtPLOID2"_qs, QString());
        ExportControlState loaded;
        loaded.cboCondition = 3;
        loaded.loadFromIni(ini);
        QCOMPARE(loaded.format, exportFormat(u"1"_qs));
        QCOMPARE(loaded.statusStates.value(u"chkStaNO"_qs), 1);
        QCOMPARE(loaded.txtPLOID1, u"7 1"_qs);
        QCOMPARE(loaded.txtPLOID2, u"4 2"_qs);
        QCOMPARE(loaded.cboCondition, 3);
        loaded.txtLenLimit = u"5000000000"_qs;
        loaded.format = exportFormat(u"0"_qs);  // a glossary's identifiers left empty export as the defaults
        loaded.txtPLOID1.clear();
        loaded.txtPLOID2.clear();
        const ExportOptions options = loaded.toOptions();
        QCOMPARE(options.lengthValue, 999999999);
        QCOMPARE(loaded.txtLenLimit, u"999999999"_qs);
        QCOMPARE(options.sourceLanguage + u'\t' + options.targetLanguage, u"9 1\t4 2"_qs);
    }
};

QTEST_GUILESS_MAIN(EntryExportTest)
#include "tst_entryexport.moc"
