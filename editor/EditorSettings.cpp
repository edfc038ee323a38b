#include "EditorSettings.h"

#include "AppFolder.h"
#include "cInifile.h"
#include "NumericText.h"

namespace EditorSettings {

namespace {
const QString OptionSection = QStringLiteral("OPTION");
const QString NoSaveExtraKey = QStringLiteral("NoSaveExtra");
const QString RecoverySecondsKey = QStringLiteral("RecoverySeconds");
constexpr int DefaultRecoverySeconds = 60;
constexpr int MaxRecoverySeconds = 3600;
bool g_resetLayoutOnExit = false;
}

QString programTitle()
{
    return QStringLiteral("Quillet");
}

QString iniPath()
{
    return AppFolder::file(QStringLiteral("Quillet.ini"));
}

QString layoutPath()
{
    return AppFolder::file(QStringLiteral("layout.cfg"));
}

bool noSaveExtra()
{
    const QString value = cInifile(iniPath(), OptionSection).value(NoSaveExtraKey).trimmed();
    if (value.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    return numericValue(value).value_or(0) != 0;
}

void setNoSaveExtra(bool on)
{
    cInifile(iniPath(), OptionSection).setValue(NoSaveExtraKey, on ? QStringLiteral("1") : QStringLiteral("0"));
}

int recoverySeconds()
{
    const double value =
        numericValue(cInifile(iniPath(), OptionSection).value(RecoverySecondsKey)).value_or(DefaultRecoverySeconds);
    return value >= 1 && value <= MaxRecoverySeconds ? static_cast<int>(value) : DefaultRecoverySeconds;
}

void setRecoverySeconds(int seconds)
{
    cInifile(iniPath(), OptionSection).setValue(RecoverySecondsKey, QString::number(seconds));
}

QString recoveryFolder()
{
    return AppFolder::file(QStringLiteral("recovery/"));
}

bool resetLayoutOnExit()
{
    return g_resetLayoutOnExit;
}

void setResetLayoutOnExit(bool on)
{
    g_resetLayoutOnExit = on;
}

}
