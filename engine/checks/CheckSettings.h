#pragma once

#include <QString>

class Checker;

// The switch of every check in a program's INI file: section "QualityChecks", one key
// per check id, "1" on and "0" off. A missing key or any other value leaves the check
// on, so a check added later starts on.
namespace CheckSettings {
extern const QString IniSection;
void load(const QString &iniPath, Checker &checker);
// Raises error 75 when the file cannot be written.
void save(const QString &iniPath, const Checker &checker);
}
