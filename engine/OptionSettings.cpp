#include "OptionSettings.h"

#include "ErrorReport.h"
#include "cInifile.h"
#include "LengthLimitSetting.h"
#include "NumericText.h"

namespace {

using Control = OptionDescriptor::Control;

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

OptionControlState::OptionControlState(std::span<const OptionDescriptor> options) : m_options(options)
{
}

QStringList OptionControlState::savedNames() const
{
    QStringList names;
    for (const OptionDescriptor &option : m_options) {
        if (option.saved)
            names << option.name;
    }
    return names;
}

void OptionControlState::applyPreset(OptionPreset preset)
{
    for (const OptionDescriptor &option : m_options) {
        const std::optional<QString> &value = option.presetValue(preset);
        if (!value)
            continue;
        if (option.control == Control::CheckBox)
            setCheckState(option.name, value->toInt());
        else
            setText(option.name, *value);
    }
}

ProcessingOptions OptionControlState::toOptions()
{
    ProcessingOptions options;
    for (const OptionDescriptor &option : m_options) {
        std::visit([&](auto field) {
            auto &value = options.*field;
            using Value = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, bool>) {
                value = checkState(option.name) != 0;
            } else if constexpr (std::is_same_v<Value, int>) {
                value = LengthLimit::validate(text(option.name)).value;
                setText(option.name, QString::number(value));
            } else if constexpr (std::is_same_v<Value, QChar>) {
                value = choice(option).front();
            } else {
                value = text(option.name);
            }
        }, option.field);
    }
    return options;
}

QString OptionControlState::choice(const OptionDescriptor &option) const
{
    const QString chosen = text(option.name);
    return option.choices.contains(chosen) ? chosen : option.choices.value(0);
}

void OptionControlState::saveToIni(const QString &path)
{
    cInifile ini(path, IniSection);
    for (const OptionDescriptor &option : m_options) {
        if (!option.saved)
            continue;
        if (option.control == Control::CheckBox)
            writeIniValue(ini, option.name, QString::number(checkState(option.name)));
        else if (option.control == Control::NumberBox)
            LengthLimitSetting::save(ini, option.name, m_texts[option.name]);
        else if (option.control == Control::DropDown)
            writeIniValue(ini, option.name, choice(option));
        else
            writeIniValue(ini, option.name, text(option.name));
    }
}

void OptionControlState::loadFromIni(const QString &path)
{
    cInifile ini(path, IniSection);
    for (const OptionDescriptor &option : m_options) {
        if (option.saved)
            load(option, ini);
    }
}

void OptionControlState::load(const OptionDescriptor &option, cInifile &ini)
{
    if (option.control == Control::NumberBox) {
        LengthLimitSetting::load(ini, option.name, m_texts[option.name]);
        return;
    }
    const QString stored = ini.value(option.name);
    switch (option.control) {
    case Control::CheckBox:
        if (isNumeric(stored))
            setCheckState(option.name, checkStateFrom(stored));
        break;
    case Control::TextBox:
        if (!stored.isEmpty())
            setText(option.name, stored);
        break;
    case Control::DatabasePathBox:
        setText(option.name, stored);
        break;
    case Control::DropDown:
        if (option.choices.contains(stored))
            setText(option.name, stored);
        break;
    case Control::NumberBox:
        break;
    }
}
