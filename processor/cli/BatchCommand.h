#pragma once

#include <QTextStream>

struct CliRequest;

// The batch form of tallyra-cli: checks the reference and the to-do files, hands the
// options to the jobs in one preset file, runs the jobs and prints the totals.
// Returns the exit status: 0 all done, 1 a file failed or was skipped, 2 bad arguments,
// 128 + the signal number after an interrupt.
int runBatch(const CliRequest &request, QTextStream &out, QTextStream &err);
