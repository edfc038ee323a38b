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

namespace {

struct Conversion {
    double value = 0;
    // False when the value was too large or too small for a double.
    bool exact = false;
};

std::optional<Conversion> convert(QStringView text)
{
    if (!isNumeric(text))
        return std::nullopt;
    Conversion result;
    result.value = text.toString().replace(u'\t', u' ').toDouble(&result.exact);
    return result;
}

}

std::optional<double> numericValue(QStringView text)
{
    const std::optional<Conversion> conversion = convert(text);
    if (!conversion)
        return std::nullopt;
    return conversion->value;
}

std::optional<int> wholeNumberValue(QStringView text, int minimum, int maximum)
{
    const std::optional<Conversion> conversion = convert(text);
    if (!conversion || !conversion->exact)
        return std::nullopt;
    // Whole-number conversion rounds half to even (the default rounding mode).
    const double value = std::nearbyint(conversion->value);
    if (value < minimum || value > maximum)
        return std::nullopt;
    return static_cast<int>(value);
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
