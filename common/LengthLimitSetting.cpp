#include "LengthLimitSetting.h"

#include "cInifile.h"
#include "NumericText.h"

namespace LengthLimitSetting {

void save(cInifile &ini, const QString &key, QString &box)
{
    if (!isNumeric(box)) {
        writeIniValue(ini, key, LengthLimit::FallbackText);
        return;
    }
    box = LengthLimit::validate(box).boxText;
    writeIniValue(ini, key, box);
}

void load(cInifile &ini, const QString &key, QString &box)
{
    box = ini.value(key);
    const LengthLimit::Result limit = LengthLimit::validate(box);
    if (!isNumeric(box) || limit.belowOne) {
        // The box shows the repaired value even when the file cannot take it.
        box = LengthLimit::FallbackText;
        writeIniValue(ini, key, box);
    } else {
        box = limit.boxText;
    }
}

}
