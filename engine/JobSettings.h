#pragma once

#include "MatchKeys.h"
#include "ProcessingOptions.h"
#include "TextFile.h"

#include <QString>

// What one job reads and never changes: the options, the rules compiled from them
// once, the job variables the driver set, and the encoding the result is written in.
struct JobSettings {
    explicit JobSettings(const ProcessingOptions &jobOptions) : options(jobOptions), rules(jobOptions) {}

    ProcessingOptions options;
    MatchKeyRules rules;
    // The reference when it is a purified database, else empty.
    QString referenceDatabasePath;
    // The glossaries' language line ("9 1", tab, "4 2"), or empty.
    QString languagePair;
    // The produced dictionary is written in the encoding its to-do dictionary was read in.
    TextEncoding outputEncoding = TextEncoding::Gb18030;
};
