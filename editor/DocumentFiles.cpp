#include "DocumentFiles.h"

#include "formats/DictionaryFormats.h"
#include "formats/EntryStreams.h"

namespace DocumentFiles {

namespace {
constexpr qsizetype EntriesPerTick = 4096;
}

void read(const DictionaryFormat &format, const QString &path, DictionaryDocument &document, const Tick &tick)
{
    const std::unique_ptr<EntryReader> reader = format.document->openReader(path);
    DictionaryEntry entry;
    while (reader->next(entry)) {
        document.append(entry);
        if (document.size() % EntriesPerTick == 0)
            tick();
    }
    document.keepFile(format, reader->takeFile());
}

std::unique_ptr<DictionaryFileWriter> writeUncommitted(const DictionaryDocument &document, const QString &path,
                                                       const DictionaryFormat &format, const Tick &tick)
{
    std::unique_ptr<DictionaryFileWriter> writer = format.document->createWriter(path, document.keptFile());
    const bool asDictionary = !format.document->untranslatedIsEmpty;
    qsizetype written = 0;
    for (const quint32 i : document.orderByNumber()) {
        writer->write(asDictionary ? document.dictionaryEntry(i) : document.entryView(i));
        if (++written % EntriesPerTick == 0)
            tick();
    }
    writer->flush();
    return writer;
}

}
