#pragma once

#include "CheckRule.h"

// A source with an access key needs exactly one in the translation, with the same
// letter, inline or bracketed, and before a trailing ellipsis, colon or shortcut; a
// source without one gets none.
class AccessKeyRule : public CheckRule {
public:
    AccessKeyRule();
    void check(const PreparedEntry &entry, QList<CheckFinding> &findings) const override;
};

// The shortcut after the source's tab is carried over unchanged.
class ShortcutRule : public CheckRule {
public:
    ShortcutRule();
    void check(const PreparedEntry &entry, QList<CheckFinding> &findings) const override;
};

// The same class of end punctuation, Chinese forms allowed.
class EndPunctuationRule : public CheckRule {
public:
    EndPunctuationRule();
    void check(const PreparedEntry &entry, QList<CheckFinding> &findings) const override;
};

// The same placeholders in source and translation, counted as a multiset.
class PlaceholderRule : public CheckRule {
public:
    PlaceholderRule();
    void check(const PreparedEntry &entry, QList<CheckFinding> &findings) const override;
};

// Leading and trailing spaces kept; a space after a colon may go with "：".
class OuterSpacesRule : public CheckRule {
public:
    OuterSpacesRule();
    void check(const PreparedEntry &entry, QList<CheckFinding> &findings) const override;
};

// Doubled spaces, tabs or line breaks that the source does not have.
class InnerSpacingRule : public CheckRule {
public:
    InnerSpacingRule();
    void check(const PreparedEntry &entry, QList<CheckFinding> &findings) const override;
};

// A translated entry whose translation is its source, where that source reads as
// interface text rather than a name, unit, key name or code.
class UntranslatedRule : public CheckRule {
public:
    UntranslatedRule();
    void check(const PreparedEntry &entry, QList<CheckFinding> &findings) const override;
};

// The translation's GB18030 byte length over a limit; no limit, no finding.
class LengthRule : public CheckRule {
public:
    LengthRule();
    void setLimit(int bytes) { m_limit = bytes; }
    void check(const PreparedEntry &entry, QList<CheckFinding> &findings) const override;

private:
    int m_limit = 0;
};

// Unbalanced brackets or quotes in the translation where the source's are balanced.
class BracketRule : public CheckRule {
public:
    BracketRule();
    void check(const PreparedEntry &entry, QList<CheckFinding> &findings) const override;
};
