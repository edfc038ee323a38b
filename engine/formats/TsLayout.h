#pragma once

#include "TsMessage.h"

#include <QByteArray>

// How lupdate lays out a message, for the messages that were changed; every other
// message keeps the bytes it was read with.

struct TsSpan {
    qint64 begin = 0;
    qint64 end = 0;
};

struct TsAttribute {
    QString name;
    QString value;
};

// Where a message stands in the file read, and what it holds that lupdate's layout has
// no place for; a changed message writes these back as they were.
struct TsMessagePlace {
    // From the '<' of <message> to just after </message>.
    TsSpan span;
    // Attributes besides id and numerus, and those of <translation> besides type and variants.
    QList<TsAttribute> messageAttributes;
    QList<TsAttribute> translationAttributes;
    // Written back byte for byte: <location> elements keep their relative form that way.
    QList<TsSpan> locations;
    // <userdata>, unknown elements, comments.
    QList<TsSpan> others;
    bool changed = false;
};

namespace TsLayout {

// Length variants of one translation are joined by this character, as in Qt's tools.
inline constexpr QChar VariantSeparator = QChar(0x9C);

// The text as lupdate escapes it: the five XML entities, control characters as
// <byte value="xN"/>, spaces beyond ASCII as numeric references.
QString escaped(QStringView text);

// The numerus forms lupdate gives a message in the language ("zh_CN", "de", "pt_BR"):
// one for Chinese, and one for a language Qt's tools do not know.
int numerusFormCount(const QString &languageCode);

// The message from its '<message' to its '</message>', with lineEnd after each line
// inside; the file's bytes hold the spans of place.
QByteArray message(const TsMessage &message, const TsMessagePlace &place, const QByteArray &file,
                   QByteArrayView lineEnd);

}
