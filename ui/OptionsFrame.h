#pragma once

#include "ErrorReport.h"
#include "ProcessingOptions.h"

#include <QFrame>
#include <QHash>
#include <QString>

#include <functional>
#include <optional>
#include <span>

class OptionControlState;
class QCheckBox;
class QComboBox;
class QLayout;
class QLineEdit;

// The advanced options frame `fraOptAdv`: a control for every option declared, under its
// control name (which is also its INI key), placed, captioned and enabled as declared,
// and the four preset buttons. The processor window and the editor's import dialog share
// it; they differ only in their form name, which their error boxes show, and in the INI
// file of the program.
class OptionsFrame : public QFrame {
    Q_OBJECT

public:
    // iniFileName is the program's INI file in the program folder ("Tallyra.ini").
    OptionsFrame(const QString &formName, const QString &iniFileName, QWidget *parent = nullptr,
                 std::span<const OptionDescriptor> options = processingOptionDeclarations());

    // The controls as the record a job reads; the length box then shows the value used.
    ProcessingOptions CfgSaveCtrlToVar();
    // An empty file name means the program's INI file. Failures show the error box.
    void CfgSaveCtrlToIni(const QString &fileName = QString());
    void CfgLoadIniToCtrl(const QString &fileName = QString());
    void CfgLoadMaxToCtrl();
    void CfgLoadMinToCtrl();

    // The option controls by control name; nullptr for another name.
    QCheckBox *checkBox(const QString &name) const { return m_checks.value(name); }
    QLineEdit *textBox(const QString &name) const { return m_texts.value(name); }

private:
    QLayout *createCheckBoxes();
    QLayout *createRows();
    QLayout *createPresetButtons();
    QCheckBox *createCheckBox(const OptionDescriptor &option);
    QLineEdit *createTextBox(const OptionDescriptor &option);
    QComboBox *createDropDown(const OptionDescriptor &option);
    QLayout *createDatabasePathRow(const OptionDescriptor &option);
    void connectEnablingRules();

    OptionControlState controlState() const;
    void showControlState(const OptionControlState &state);
    void applyPreset(OptionPreset preset);
    std::optional<AppError> changeControls(const std::function<void(OptionControlState &)> &change);
    QString iniPath(const QString &fileName) const;
    void reportError(const AppError &error, const QString &procedure);
    void reportLoadError(const AppError &error);

    void loadPresetFile();
    void savePresetFile();
    void chooseDatabaseFile();

    QString m_formName;
    QString m_iniFileName;
    std::span<const OptionDescriptor> m_options;
    QHash<QString, QCheckBox *> m_checks;
    QHash<QString, QLineEdit *> m_texts;
    QHash<QString, QComboBox *> m_choices;
    QLineEdit *m_databasePath = nullptr;
};
