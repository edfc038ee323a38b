#include "AccessKeyMarkers.h"

namespace AccessKeyMarkers {

QString rewrite(const QString &text, QChar from, QChar to)
{
    if (from == to || (!text.contains(from) && !text.contains(to)))
        return text;
    QString rewritten;
    rewritten.reserve(text.size() + 4);
    appendRewritten(rewritten, text, from, to);
    return rewritten;
}

void appendRewritten(QString &out, QStringView text, QChar from, QChar to)
{
    // Runs of other characters are copied whole.
    qsizetype plainFrom = 0;
    for (qsizetype i = 0; from != to && i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != from && c != to)
            continue;
        out.append(text.sliced(plainFrom, i - plainFrom));
        const bool doubled = c == from && i + 1 < text.size() && text.at(i + 1) == from;
        if (c == to)
            out.append(to).append(to);
        else
            out.append(doubled ? from : to);
        i += doubled ? 1 : 0;
        plainFrom = i + 1;
    }
    out.append(text.sliced(plainFrom));
}

}
