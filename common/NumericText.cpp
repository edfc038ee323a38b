#include "NumericText.h"

#include <cmath>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Index just past the digits that start at i.
qsizetype skipDigits(QStringView text, qsizetype i)
{
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i;
}

}

bool isNumeric(QStringView text)
{
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && isBlank(text[i]))
        ++i;
    while (end > i && isBlank(text[end - 1]))
        --end;
    if (i < end && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    const qsizetype intStart = i;
    i = skipDigits(text, i);
    qsizetype digits = i - intStart;
    if (i < end && text[i] == u'.') {
        const qsizetype fracStart = i + 1;
        i = skipDigits(text, fracStart);
        digits += i - fracStart;
    }
    if (digits == 0)
        return false;
    if (i < end && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < end && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        const qsizetype expStart = i;
        i = skipDigits(text, i);
        if (i == expStart)
            return false;
    }
    return i == end;
}

std::optional<double> numericValue(QStringView text)
{
    if (!isNumeric(text))
        return std::nullopt;
    bool ok = false;
    const double value = text.toString().replace(u'\t', u' ').toDouble(&ok);
    // A numeric text with more digits than a double holds is still a (huge) number.
    if (!ok && !std::isinf(value))
        return std::nullopt;
    return value;
}

namespace LengthLimit {

Result validate(const QString &text)
{
    Result result;
    result.boxText = text;
    const std::optional<double> number = numericValue(text);
    if (!number)
        return result;
    double value = *number;
    if (value > Maximum) {
        result.boxText = MaximumText;
        value = Maximum;
    }
    // Whole-number conversion rounds half to even (the default rounding mode).
    value = std::nearbyint(value);
    if (value < 1) {
        result.value = Fallback;
        result.boxText = FallbackText;
        result.belowOne = true;
        return result;
    }
    result.value = static_cast<int>(value);
    return result;
}

}
