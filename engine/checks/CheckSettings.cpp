#include "CheckSettings.h"

#include "Checker.h"
#include "cInifile.h"

namespace CheckSettings {

const QString IniSection = QStringLiteral("QualityChecks");

void load(const QString &iniPath, Checker &checker)
{
    cInifile ini(iniPath, IniSection);
    for (const auto &rule : checker.rules())
        checker.setEnabled(rule->id(), ini.value(rule->id()).trimmed() != u"0");
}

void save(const QString &iniPath, const Checker &checker)
{
    cInifile ini(iniPath, IniSection);
    for (const auto &rule : checker.rules())
        writeIniValue(ini, rule->id(), checker.isEnabled(rule->id()) ? QStringLiteral("1") : QStringLiteral("0"));
}

}
