#include "ComboHistory.h"

#include "FileHistory.h"

#include <QComboBox>

namespace {

QString sectionOf(const QComboBox *combo)
{
    return FileHistory::sectionName(combo->window()->objectName(), combo->objectName());
}

QStringList entriesOf(const QComboBox *combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries.append(combo->itemText(i));
    return entries;
}

// Replaces the list and keeps the text the user sees in the edit field.
void setEntries(QComboBox *combo, const QStringList &entries)
{
    const QString editText = combo->currentText();
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItems(entries);
    combo->setCurrentIndex(-1);
    combo->setEditText(editText);
}

}

void LoadComboHistory(QComboBox *combo, const QString &iniPath)
{
    if (const std::optional<QStringList> entries = FileHistory::load(iniPath, sectionOf(combo)))
        setEntries(combo, *entries);
}

void SaveComboHistory(QComboBox *combo, const QString &iniPath)
{
    FileHistory::save(iniPath, sectionOf(combo), entriesOf(combo));
}

void AddComboHistory(QComboBox *combo, const QString &text)
{
    if (text.isEmpty())
        return;
    setEntries(combo, FileHistory::add(entriesOf(combo), text));
    combo->setEditText(text);
}
