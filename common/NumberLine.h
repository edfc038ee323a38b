#pragma once

#include <QStringView>

#include <optional>

// The line that opens an entry of a two-line dictionary: "12:Open: file" has the
// number "12" and the source "Open: file". The number is the text before the first
// ":" and must be numeric; the source is everything after that ":".
struct NumberLine {
    QStringView number;
    QStringView source;

    // Nothing when the line is no number line. The views point into the line.
    static std::optional<NumberLine> parse(QStringView line);
};
