#pragma once

#include "CheckRule.h"

#include <memory>
#include <vector>

class LengthRule;

// Runs the enabled checks on one entry. Only entries that are 已译 or 复查 with a
// non-empty translation are checked; the others never have findings. Every check is
// on at first; the length check finds nothing until a limit is set.
class Checker {
public:
    Checker();
    ~Checker();

    // The checks in the order their findings come.
    const std::vector<std::unique_ptr<CheckRule>> &rules() const { return m_rules; }
    const CheckRule *rule(QStringView id) const;

    bool isEnabled(QStringView id) const;
    // False for an id no check has.
    bool setEnabled(QStringView id, bool enabled);
    // The translation's GB18030 byte limit; 0 for none.
    void setLengthLimit(int bytes);

    QList<CheckFinding> check(const CheckedEntry &entry) const;

private:
    qsizetype indexOf(QStringView id) const;

    std::vector<std::unique_ptr<CheckRule>> m_rules;
    std::vector<bool> m_enabled;
    LengthRule *m_length = nullptr;
};
