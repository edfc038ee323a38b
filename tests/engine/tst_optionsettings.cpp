#include "OptionSettings.h"
#include "TestData.h"
#include "cInifile.h"

#include <QTemporaryDir>

class OptionSettingsTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(u"Tallyra.ini"_qs); }
    QString stored(const QString &key) const { return cInifile(path(), OptionControlState::IniSection).value(key); }

private Q_SLOTS:
    void init() { QFile::remove(path()); }

    // A preset sets the option controls but not the work-file and database ones; the record
    // takes the controls and writes the validated limit back.
    void presetsAndTheRecord()
    {
        OptionControlState state;
        state.setCheckState(u"chkaKeepTmpFile"_qs, 1);
        state.setText(u"txtSaveRefDB"_qs, u"/d/ref.db"_qs);
        state.applyPreset(OptionPreset::Full);
        QCOMPARE(state.text(u"txtLenLimit"_qs), u"999999999"_qs);
        QCOMPARE(state.text(u"txtrAndXBK1"_qs), u"(?:\\(|\\[|\\<|\\{)"_qs);
        QCOMPARE(state.checkState(u"chkaKeepTmpFile"_qs), 1);
        QCOMPARE(state.text(u"txtSaveRefDB"_qs), u"/d/ref.db"_qs);
        state.setCheckState(u"chkaMTab"_qs, 2);
        state.setCheckState(u"chkaBanMaoHao"_qs, 0);
        state.setText(u"txtLenLimit"_qs, u"007"_qs);
        const ProcessingOptions options = state.toOptions();
        QVERIFY(options.chkaAndX && options.chkaMTab && !options.chkaBanMaoHao);
        QCOMPARE(options.txtLenLimit, 7);
        QCOMPARE(state.text(u"txtLenLimit"_qs), u"7"_qs);
        QCOMPARE(options.txttAndXBK1, u"("_qs);
        // The markers are the files' own: no preset touches them, and none chosen is "&".
        QCOMPARE(options.todoMarker, u'&');
        state.setText(u"cbouAndXMarker"_qs, u"_"_qs);
        state.setText(u"cborAndXMarker"_qs, u"~"_qs);
        state.applyPreset(OptionPreset::Minimal);
        QCOMPARE(state.toOptions().todoMarker, u'_');
        QCOMPARE(state.toOptions().referenceMarker, u'~');
        QVERIFY(!state.toOptions().chkNotAddFuzzy && !state.toOptions().chkrTakeFuzzy);
    }

    // The minimal preset with a few changes, saved in the fixed key order without the work-file
    // box, loads back into every control; the database box's check stays as it was.
    void savesAndLoadsInTheFixedKeyOrder()
    {
        OptionControlState saved;
        saved.applyPreset(OptionPreset::Minimal);
        saved.setCheckState(u"chkaKeepTmpFile"_qs, 1);
        saved.setCheckState(u"chkaUpperCase"_qs, 1);
        saved.setText(u"txttAndXBK1"_qs, u" ["_qs);
        saved.setText(u"txtSaveRefDB"_qs, QStringLiteral("/数据/ref.db"));
        saved.setText(u"cbouAndXMarker"_qs, u"_"_qs);
        saved.setCheckState(u"chkrTakeFuzzy"_qs, 1);
        saved.saveToIni(path());
        QCOMPARE(readBytes(path()), testData(u"engine/saved-options.ini"_qs));
        saved.setText(u"cborAndXMarker"_qs, u"&"_qs); // none chosen is saved as the first choice
        OptionControlState loaded;
        loaded.applyPreset(OptionPreset::Full);
        loaded.setCheckState(u"chkSaveRefDB"_qs, 1);
        loaded.loadFromIni(path());
        for (const QString &name : loaded.savedNames()) {
            QCOMPARE(loaded.checkState(name), saved.checkState(name));
            QCOMPARE(loaded.text(name), saved.text(name));
        }
        QCOMPARE(loaded.checkState(u"chkSaveRefDB"_qs), 1);
    }

    void savesTheLengthLimit_data() { addTestTable(u"engine/limit-saving.txt"_qs, {"box", "written", "boxAfter"}); }
    void savesTheLengthLimit()
    {
        const auto [box, written, boxAfter] = fields("box", "written", "boxAfter");
        OptionControlState state;
        state.setText(u"txtLenLimit"_qs, box);
        state.saveToIni(path());
        QCOMPARE(stored(u"txtLenLimit"_qs), written);
        QCOMPARE(state.text(u"txtLenLimit"_qs), boxAfter);
    }

    void loadingRepairsAndKeeps_data()
    {
        addTestTable(u"engine/options-loading.txt"_qs, {"file", "lenBox", "lenStored", "andX"});
    }
    void loadingRepairsAndKeeps()
    {
        const auto [file, lenBox, lenStored, andX] = fields("file", "lenBox", "lenStored", "andX");
        if (file != u"none")
            writeBytes(path(), testData(u"engine/"_qs + file));
        OptionControlState state;
        state.applyPreset(OptionPreset::Full);
        state.setText(u"txtSaveRefDB"_qs, u"/old.db"_qs);
        state.loadFromIni(path());
        QCOMPARE(state.text(u"txtLenLimit"_qs), lenBox);
        QCOMPARE(stored(u"txtLenLimit"_qs), lenStored);
        QCOMPARE(state.checkState(u"chkaAndX"_qs), andX.toInt());
        QCOMPARE(state.text(u"txttAndXBK1"_qs), u"("_qs);
        QCOMPARE(state.text(u"txtSaveRefDB"_qs), QString());
    }

    void invalidStateStopsTheLoading()
    {
        writeBytes(path(), testData(u"processor/bad-state.ini"_qs));
        OptionControlState state;
        state.applyPreset(OptionPreset::Full);
        QCOMPARE(errorNumber([&] { state.loadFromIni(path()); }), 380);
        QCOMPARE(state.checkState(u"chkaAndX"_qs), 0);
        QCOMPARE(state.checkState(u"chkaRTrimSpace"_qs), 1);
    }

    void checkStatesAreSixteenBitNumbers_data() { addTestTable(u"engine/check-states.txt"_qs, {"stored", "error"}); }
    void checkStatesAreSixteenBitNumbers()
    {
        const auto [stored, error] = fields("stored", "error");
        writeBytes(path(), "[TallyraCustomSetting]\r\nchkaAndX=" + stored.toLatin1() + "\r\n");
        OptionControlState state;
        QCOMPARE(errorNumber([&] { state.loadFromIni(path()); }), error.toInt());
    }

    // /proc/version reads as a file without the section, and no one may write beside it.
    void repairShowsWhereTheFileCannotTakeIt()
    {
        OptionControlState state;
        QCOMPARE(errorNumber([&] { state.loadFromIni(u"/proc/version"_qs); }), 75);
        QCOMPARE(state.text(u"txtLenLimit"_qs), u"50"_qs);
    }
};

QTEST_GUILESS_MAIN(OptionSettingsTest)
#include "tst_optionsettings.moc"
