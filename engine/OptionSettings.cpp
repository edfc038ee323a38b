#include "OptionSettings.h"

#include "ErrorReport.h"
#include "cInifile.h"
#include "LengthLimitSetting.h"
#include "NumericText.h"

namespace {

struct CheckField {
    const char16_t *name;
    bool ProcessingOptions::*member;
};

// The saved check boxes in the order of saving, then the two job flags.
const CheckField CheckFields[] = {
    {u"chkaAndX", &ProcessingOptions::chkaAndX},
    {u"chkaBanMaoHao", &ProcessingOptions::chkaBanMaoHao},
    {u"chkaBanSenHao", &ProcessingOptions::chkaBanSenHao},
    {u"chkaLTrimSpace", &ProcessingOptions::chkaLTrimSpace},
    {u"chkaMTab", &ProcessingOptions::chkaMTab},
    {u"chkaRTrimSpace", &ProcessingOptions::chkaRTrimSpace},
    {u"chkaUpperCase", &ProcessingOptions::chkaUpperCase},
    {u"chkNotAddANDX", &ProcessingOptions::chkNotAddANDX},
    {u"chkrAndXEER", &ProcessingOptions::chkrAndXEER},
    {u"chkrQuanMaoHao", &ProcessingOptions::chkrQuanMaoHao},
    {u"chkrQuanSenHao", &ProcessingOptions::chkrQuanSenHao},
    {u"chkaKeepTmpFile", &ProcessingOptions::chkaKeepTmpFile},
    {u"chkSaveRefDB", &ProcessingOptions::chkSaveRefDB},
};
constexpr int SavedCheckCount = 11;

struct TextField {
    const char16_t *name;
    QString ProcessingOptions::*member;
};

const TextField BracketFields[] = {
    {u"txtrAndXBK1", &ProcessingOptions::txtrAndXBK1},
    {u"txtrAndXBK2", &ProcessingOptions::txtrAndXBK2},
    {u"txttAndXBK1", &ProcessingOptions::txttAndXBK1},
    {u"txttAndXBK2", &ProcessingOptions::txttAndXBK2},
};

const QString LenLimit = QStringLiteral("txtLenLimit");
const QString SaveRefDB = QStringLiteral("txtSaveRefDB");

QStringList checkNames(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(QString::fromUtf16(CheckFields[i].name));
    return names;
}

// A stored state is a 16-bit whole number that a check box must accept.
int checkStateFrom(const QString &stored)
{
    const std::optional<int> number = wholeNumberValue(stored, -32768, 32767);
    if (!number)
        Errors::raise(Errors::Overflow);
    if (*number < 0 || *number > 2)
        Errors::raise(Errors::InvalidPropertyValue);
    return *number;
}

}

const QString OptionControlState::IniSection = QStringLiteral("TallyraCustomSetting");
const QStringList OptionControlState::SavedCheckBoxes = checkNames(SavedCheckCount);
const QStringList OptionControlState::CheckBoxes = checkNames(std::size(CheckFields));
const QStringList OptionControlState::TextBoxes = {
    LenLimit, QStringLiteral("txtrAndXBK1"), QStringLiteral("txtrAndXBK2"),
    QStringLiteral("txttAndXBK1"), QStringLiteral("txttAndXBK2"), SaveRefDB};

void OptionControlState::applyPreset(const ProcessingOptions &preset)
{
    for (int i = 0; i < SavedCheckCount; ++i)
        setCheckState(QString::fromUtf16(CheckFields[i].name), preset.*CheckFields[i].member ? 1 : 0);
    setText(LenLimit, QString::number(preset.txtLenLimit));
    for (const TextField &field : BracketFields)
        setText(QString::fromUtf16(field.name), preset.*field.member);
}

ProcessingOptions OptionControlState::toOptions()
{
    ProcessingOptions options;
    for (const CheckField &field : CheckFields)
        options.*field.member = checkState(QString::fromUtf16(field.name)) != 0;
    options.txtLenLimit = LengthLimit::validate(text(LenLimit)).value;
    setText(LenLimit, QString::number(options.txtLenLimit));
    for (const TextField &field : BracketFields)
        options.*field.member = text(QString::fromUtf16(field.name));
    options.txtSaveRefDB = text(SaveRefDB);
    return options;
}

void OptionControlState::saveToIni(const QString &path)
{
    cInifile ini(path, IniSection);
    for (const QString &name : SavedCheckBoxes)
        writeIniValue(ini, name, QString::number(checkState(name)));
    LengthLimitSetting::save(ini, LenLimit, m_texts[LenLimit]);
    for (const TextField &field : BracketFields)
        writeIniValue(ini, QString::fromUtf16(field.name), text(QString::fromUtf16(field.name)));
    writeIniValue(ini, SaveRefDB, text(SaveRefDB));
}

void OptionControlState::loadFromIni(const QString &path)
{
    cInifile ini(path, IniSection);
    for (const QString &name : SavedCheckBoxes) {
        const QString stored = ini.value(name);
        if (isNumeric(stored))
            setCheckState(name, checkStateFrom(stored));
    }
    LengthLimitSetting::load(ini, LenLimit, m_texts[LenLimit]);
    for (const TextField &field : BracketFields) {
        const QString stored = ini.value(QString::fromUtf16(field.name));
        if (!stored.isEmpty())
            setText(QString::fromUtf16(field.name), stored);
    }
    setText(SaveRefDB, ini.value(SaveRefDB));
}
