#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The history of a file drop-down: at most 8 paths, most recent first, kept in the
// program's INI file in the section "<form>.<combo box>" as "Count" and "Item0".."Item7".
// Quillet's recent files are a history of 9, one for each number key.
namespace FileHistory {
constexpr int MaxEntries = 8;

QString sectionName(const QString &formName, const QString &comboName);
// The stored list, or nothing when the section holds no "Count" (the list stays as it is).
std::optional<QStringList> load(const QString &iniPath, const QString &section, int capacity = MaxEntries);
void save(const QString &iniPath, const QString &section, const QStringList &entries);
// The text moved or put on top; the oldest entry falls off a full list.
QStringList add(QStringList entries, const QString &text, int capacity = MaxEntries);
}
