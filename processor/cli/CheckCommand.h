#pragma once

#include <QTextStream>

struct CliRequest;

// tallyra-cli --check: every finding as "FILE:LINE: 条目 N: RULE: message" on out, then
// the count per rule; files that cannot be checked are named on err with the reason.
// Returns 2 when a file could not be checked, else 1 with findings, 0 without.
int runCheck(const CliRequest &request, QTextStream &out, QTextStream &err);
