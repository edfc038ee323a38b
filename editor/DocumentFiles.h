#pragma once

#include "DictionaryDocument.h"

#include <functional>
#include <memory>

class DictionaryFileWriter;
struct DictionaryFormat;

// Reading a dictionary file into a document and writing a document out, in any document
// format of the registry. Errors are raised as AppError; a reader keeps the entries read
// before the error in the document. A document read whole keeps what its format keeps of
// the file, and a writer is given it back. The tick is called every few thousand entries
// so that the caller can keep its window alive.
namespace DocumentFiles {

using Tick = std::function<void()>;

void read(const DictionaryFormat &format, const QString &path, DictionaryDocument &document, const Tick &tick);

// Writes the entries in number order into a temporary file beside the path, in the
// encoding the target was written in (GB18030 for a new file), a dictionary format
// getting them as dictionaries hold them (dictionaryEntry), all of it on the disk
// when this returns. The returned writer's commit() puts it in place; destroyed
// uncommitted, it leaves the target as it was.
std::unique_ptr<DictionaryFileWriter> writeUncommitted(const DictionaryDocument &document, const QString &path,
                                                       const DictionaryFormat &format, const Tick &tick);

}
