#pragma once

#include <QString>

// One entry of a dictionary in any of its file formats; all four fields are text.
struct DictionaryEntry {
    QString status;
    // Kept exactly as read: "0012" stays "0012".
    QString number;
    QString source;
    QString translation;
};

namespace EntryStatus {
inline const QString Untranslated = QStringLiteral("未译");
inline const QString Translated = QStringLiteral("已译");
inline const QString NotToTranslate = QStringLiteral("不译");
inline const QString Review = QStringLiteral("复查");

inline bool isStatus(QStringView text)
{
    return text == Untranslated || text == Translated || text == NotToTranslate || text == Review;
}

// The status of an entry read from a format that stores none: a translation identical
// to its source is still untranslated, anything else (an empty one too) is translated.
inline const QString &fromTexts(const QString &source, const QString &translation)
{
    return translation == source ? Untranslated : Translated;
}
}
