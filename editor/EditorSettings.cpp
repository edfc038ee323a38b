#include "EditorSettings.h"

#include "AppFolder.h"
#include "cInifile.h"
#include "NumericText.h"

namespace EditorSettings {

namespace {
const QString OptionSection = QStringLiteral("OPTION");
const QString NoSaveExtraKey = QStringLiteral("NoSaveExtra");
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

bool resetLayoutOnExit()
{
    return g_resetLayoutOnExit;
}

void setResetLayoutOnExit(bool on)
{
    g_resetLayoutOnExit = on;
}

}
