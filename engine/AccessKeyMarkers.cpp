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
    if (from == to) {
        out.append(text);
        return;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == from) {
            const bool doubled = i + 1 < text.size() && text.at(i + 1) == from;
            out.append(doubled ? from : to);
            i += doubled ? 1 : 0;
        } else if (c == to) {
            out.append(to).append(to);
        } else {
            out.append(c);
        }
    }
}

}
