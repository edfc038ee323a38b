#include "FileHistory.h"

#include "cInifile.h"

#include <algorithm>

namespace FileHistory {

namespace {
QString itemKey(int index)
{
    return QStringLiteral("Item%1").arg(index);
}
}

QString sectionName(const QString &formName, const QString &comboName)
{
    return formName + u'.' + comboName;
}

std::optional<QStringList> load(const QString &iniPath, const QString &section, int capacity)
{
    cInifile ini(iniPath, section);
    const QString countText = ini.value(QStringLiteral("Count"));
    if (countText.isEmpty())
        return std::nullopt;
    const int count = std::clamp(cInifile::CLngDefault(countText), 0, capacity);
    QStringList entries;
    for (int i = 0; i < count; ++i)
        entries.append(ini.value(itemKey(i)));
    return entries;
}

void save(const QString &iniPath, const QString &section, const QStringList &entries)
{
    cInifile ini(iniPath, section);
    ini.setValue(QStringLiteral("Count"), QString::number(entries.size()));
    for (int i = 0; i < entries.size(); ++i)
        ini.setValue(itemKey(i), entries[i]);
}

QStringList add(QStringList entries, const QString &text, int capacity)
{
    if (text.isEmpty())
        return entries;
    const qsizetype found = entries.indexOf(text);
    if (found >= 0 && found <= capacity)
        entries.removeAt(found);
    if (entries.size() >= capacity)
        entries.removeLast();
    entries.prepend(text);
    return entries;
}

}
