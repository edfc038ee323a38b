#pragma once

#include "ProcessingOptions.h"

#include <QRegularExpression>
#include <QString>

// A reference entry reduced to its bare source (r1) and bare translation (r2).
struct ReferencePair {
    QString r1, r2;
};

// A to-do source cut into head, match key, accelerator suffix and tail.
struct SourceParts {
    QString sh, sm, sk, st;
};

// The expression dialect of the rules writes code points as \uXXXX; the engine
// here wants \x{XXXX}. An escaped backslash before "u" is left alone.
QString rewriteUnicodeEscapes(const QString &pattern);

// One decoration rule: a pattern anchored at both ends of the text.
class AnchoredRule {
public:
    // A pattern that does not compile raises error 380 naming its origin.
    explicit AnchoredRule(const QString &pattern, const QString &origin = QString());
    // The match covering the whole text; hasMatch() is false otherwise.
    QRegularExpressionMatch match(const QString &text) const;

private:
    QRegularExpression m_expression;
};

// The reductions that turn strings into match keys and the re-dressing of a found
// translation, with every rule compiled once for the options of one job. Each side
// reads its own file's access-key marker; the keys and r2 are written with "&", and a
// re-dressed translation with the to-do's marker.
class MatchKeyRules {
public:
    explicit MatchKeyRules(const ProcessingOptions &options);

    ReferencePair NormaliseReferencePair(const QString &source, const QString &translation) const;
    SourceParts SplitSourceParts(const QString &source) const;
    QString RedressTranslation(QStringView sh, QStringView r2, QStringView sk, QStringView st) const;

private:
    void dropShortcut(QString &text) const;
    void dropReferenceTrailer(QString &text, bool wideMarks) const;
    void trimSpaces(QString &text) const;
    void dropReferenceAccelerators(QString &source, QString &translation) const;
    void cutAccelerator(SourceParts &parts) const;
    void cutSpaces(SourceParts &parts) const;
    void cutTrailer(SourceParts &parts) const;

    ProcessingOptions m_options;
    AnchoredRule m_shortcut;
    AnchoredRule m_referenceSourceAccelerator;
    AnchoredRule m_bracketedAccelerator;
    AnchoredRule m_wideAccelerator;
    AnchoredRule m_todoAccelerator;
    AnchoredRule m_bothSpaces;
    AnchoredRule m_leadingSpaces;
    AnchoredRule m_trailingSpaces;
    AnchoredRule m_colon;
    AnchoredRule m_ellipsis;
    AnchoredRule m_wideColon;
    AnchoredRule m_wideEllipsis;
};
