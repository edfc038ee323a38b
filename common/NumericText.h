#pragma once

#include <QString>
#include <optional>

// The one numeric test of the system, shared by detection, the readers, the engine and
// the editor: optional blanks around an optionally signed decimal number with an
// optional decimal point and exponent ("12", " 0012 ", "-5", "1.5", "2e3").
bool isNumeric(QStringView text);
// The value of a numeric text; nothing for any other text. A value beyond the range
// of a double comes out as infinity (too large) or zero (too small), for callers whose
// own range rule settles such values.
std::optional<double> numericValue(QStringView text);
// The checked conversion that follows the number test wherever a whole number is
// needed: the value rounded half to even when it lies within [minimum, maximum];
// nothing for a text that is not numeric or whose value lies outside, including one
// too large or too small for a double.
std::optional<int> wholeNumberValue(QStringView text, int minimum, int maximum);

// The length limits of the options and of the export: 1 to 999999999 characters.
namespace LengthLimit {
constexpr int Maximum = 999999999;
constexpr int Fallback = 50;
const QString MaximumText = QStringLiteral("999999999");
const QString FallbackText = QStringLiteral("50");

struct Result {
    int value = Fallback;
    // What the text box shows afterwards (unchanged for a non-numeric text).
    QString boxText;
    // The value fell below 1 and was replaced by the fallback.
    bool belowOne = false;
};

// A non-numeric text gives 50; a number above 999999999 makes the box "999999999";
// the value is the box's number rounded to a whole number; below 1 it becomes 50.
Result validate(const QString &text);
}
