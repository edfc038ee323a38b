#pragma once

#include "DictionaryDocument.h"
#include "DictionaryFiles.h"

#include <functional>
#include <memory>

class TextFileWriter;

// Reading a dictionary file into a document and writing a document out, in the three
// formats. Errors are raised as AppError; a reader keeps the entries read before the
// error in the document. The tick is called every few thousand entries so that the
// caller can keep its window alive.
namespace DocumentFiles {

using Tick = std::function<void()>;

void readTwoLineText(const QString &path, DictionaryDocument &document, const Tick &tick);
void readGlossary(const QString &path, DictionaryDocument &document, const Tick &tick);
void readTableText(const QString &path, DictionaryDocument &document, const Tick &tick);

// Writes the entries in number order into a temporary file beside the path, in the
// encoding the target was written in (GB18030 for a new file), all of it on the disk
// when this returns. The returned file's commit() puts it in place; destroyed
// uncommitted, it leaves the target as it was.
std::unique_ptr<TextFileWriter> writeUncommitted(const DictionaryDocument &document, const QString &path,
                                                 DictionaryFiles::SaveFormat format, const Tick &tick);

}
