#pragma once

#include "Placeholders.h"
#include "UiText.h"

#include <QList>
#include <QString>

// One entry as the checks read it. The views must outlive the check.
struct CheckedEntry {
    QStringView source;
    QStringView translation;
    QStringView status;
    // The access-key marker of the entry's file: "&", "_" or "~".
    QChar accessKeyMarker = u'&';
    PlaceholderSyntaxes placeholders = PlaceholderSyntaxes::unflagged();
};

// An entry with what several checks read, found once: where each text's shortcut part
// starts, and the texts before it.
struct PreparedEntry : CheckedEntry {
    explicit PreparedEntry(const CheckedEntry &entry);

    UiText::ShortcutSplit sourceShortcut;
    UiText::ShortcutSplit translationShortcut;
    QStringView sourceBody;
    QStringView translationBody;
};

struct CheckFinding {
    QString ruleId;
    QString message;
    // Where in the translation the problem is; -1 when it has no single place.
    qsizetype position = -1;
};

// One quality check: its id (for settings and the command line), a short Chinese
// name and the message its findings start with.
class CheckRule {
public:
    CheckRule(const QString &id, const QString &name, const QString &message)
        : m_id(id), m_name(name), m_message(message)
    {
    }
    virtual ~CheckRule() = default;

    const QString &id() const { return m_id; }
    const QString &name() const { return m_name; }
    const QString &message() const { return m_message; }

    // Adds the findings of an entry whose translation is to be checked.
    virtual void check(const PreparedEntry &entry, QList<CheckFinding> &findings) const = 0;

protected:
    // The message, then "：" and the detail when there is one.
    void report(QList<CheckFinding> &findings, const QString &detail = QString(), qsizetype position = -1) const;

private:
    QString m_id;
    QString m_name;
    QString m_message;
};
