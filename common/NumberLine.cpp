#include "NumberLine.h"

#include "NumericText.h"

std::optional<NumberLine> NumberLine::parse(QStringView line)
{
    const qsizetype colon = line.indexOf(u':');
    if (colon < 0)
        return std::nullopt;
    const QStringView number = line.first(colon);
    if (!isNumeric(number))
        return std::nullopt;
    return NumberLine{number, line.sliced(colon + 1)};
}
