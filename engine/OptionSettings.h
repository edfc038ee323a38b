#pragma once

#include "ProcessingOptions.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <span>

class cInifile;

// The option controls of the processor window and of the editor's import dialog as
// values, by control name (which is also the INI key): check-box states 0, 1 or 2, box
// texts and drop-down choices. Both windows bind their widgets to this by object name,
// so the presets, the length-limit rules and the INI form exist once, for the options
// declared (processingOptionDeclarations() unless given).
class OptionControlState {
public:
    static const QString IniSection;  // "TallyraCustomSetting"

    explicit OptionControlState(std::span<const OptionDescriptor> options = processingOptionDeclarations());

    std::span<const OptionDescriptor> options() const { return m_options; }
    // The INI keys in the order they are saved.
    QStringList savedNames() const;

    int checkState(const QString &name) const { return m_checks.value(name); }
    void setCheckState(const QString &name, int state) { m_checks[name] = state; }
    // The text of a box or the choice of a drop-down.
    QString text(const QString &name) const { return m_texts.value(name); }
    void setText(const QString &name, const QString &text) { m_texts[name] = text; }

    // CfgLoadMaxToCtrl / CfgLoadMinToCtrl: the controls the presets touch.
    void applyPreset(OptionPreset preset);
    // CfgSaveCtrlToVar: the record a job reads; the length box shows the value used.
    ProcessingOptions toOptions();
    // CfgSaveCtrlToIni: raises an AppError when the file cannot be written.
    void saveToIni(const QString &path);
    // CfgLoadIniToCtrl: repairs a bad length limit in the file itself; a stored state
    // that is numeric but not 0, 1 or 2 raises error 380 and stops the loading there.
    void loadFromIni(const QString &path);

private:
    void load(const OptionDescriptor &option, cInifile &ini);
    // What a drop-down shows: its text when that is one of its choices, else its first.
    QString choice(const OptionDescriptor &option) const;

    std::span<const OptionDescriptor> m_options;
    QHash<QString, int> m_checks;
    QHash<QString, QString> m_texts;
};
