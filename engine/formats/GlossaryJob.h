#pragma once

#include "ReferenceLoaders.h"
#include "ResultWriters.h"
#include "TodoLoaders.h"

#include <memory>

class TextFileWriter;

// A glossary in a job, read through the line scanner; every loader passes over the lines
// that hold no pair (isJobPair), and a line without a tab has an empty translation.

// The reference: one row of R per pair whose translation differs from its source.
class clsDikGLO1 : public ReferenceLoader {
public:
    using ReferenceLoader::ReferenceLoader;

protected:
    const char *className() const override { return "clsDikGLO1"; }
    void run() override;
};

// The to-do: an entry is untranslated when its translation equals its source.
class clsDikGLO2 : public TodoLoader {
public:
    using TodoLoader::TodoLoader;

protected:
    const char *className() const override { return "clsDikGLO2"; }
    void run() override;
};

// Writes the translated glossary itself: the language line, then one line per match.
class clsDikGLO3 : public ResultWriter {
public:
    using ResultWriter::ResultWriter;

protected:
    const char *className() const override { return "clsDikGLO3"; }
    void open() override;
    void write(QStringView source, const QString &translation) override;
    void close() override;

private:
    std::unique_ptr<TextFileWriter> m_output;
};
