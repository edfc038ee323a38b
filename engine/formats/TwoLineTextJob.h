#pragma once

#include "ReferenceLoaders.h"
#include "TodoLoaders.h"

// Two-line text in a job, read line by line: "N:source" lines and the translation line
// after each.

// The reference: one row of R per entry whose translation differs from its source.
class clsDikUPB1 : public ReferenceLoader {
public:
    using ReferenceLoader::ReferenceLoader;

protected:
    const char *className() const override { return "clsDikUPB1"; }
    void run() override;
};

// The to-do: every entry also goes into O (OutputFile1), from which the translated
// dictionary is rebuilt; the S script is OutputFile2.
class clsDikUPB2 : public TodoLoader {
public:
    using TodoLoader::TodoLoader;

protected:
    const char *className() const override { return "clsDikUPB2"; }
    void run() override;
};
