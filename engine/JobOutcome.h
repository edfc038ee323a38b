#pragma once

#include "ErrorReport.h"

#include <optional>

// What became of a job: it could not start (its files or their formats did not do),
// one of its stages failed, or it was done. A job that was not done carries the error
// it stopped on, which its observer has already been shown.
struct JobOutcome {
    enum class Kind { NotStarted, StageFailed, Done };
    Kind kind = Kind::Done;
    std::optional<ErrorReport> error;

    bool done() const { return kind == Kind::Done; }
};
