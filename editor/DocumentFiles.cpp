#include "DocumentFiles.h"

#include "Glossary.h"
#include "TableText.h"
#include "TextFile.h"
#include "TwoLineText.h"

namespace DocumentFiles {

namespace {

constexpr qsizetype EntriesPerTick = 4096;

template <typename Reader>
void readAll(const QString &path, DictionaryDocument &document, const Tick &tick)
{
    TextFileReader file(path);
    Reader reader(file.lines());
    DictionaryEntry entry;
    while (reader.next(entry)) {
        document.append(entry);
        if (document.size() % EntriesPerTick == 0)
            tick();
    }
}

template <typename Writer>
void writeAll(const DictionaryDocument &document, LineWriter &lines, const Tick &tick)
{
    Writer writer(lines);
    qsizetype written = 0;
    for (const quint32 i : document.orderByNumber()) {
        writer.write(document.entryView(i));
        if (++written % EntriesPerTick == 0)
            tick();
    }
}

}

void readTwoLineText(const QString &path, DictionaryDocument &document, const Tick &tick)
{
    readAll<TwoLineTextReader>(path, document, tick);
}

void readGlossary(const QString &path, DictionaryDocument &document, const Tick &tick)
{
    readAll<GlossaryReader>(path, document, tick);
}

void readTableText(const QString &path, DictionaryDocument &document, const Tick &tick)
{
    readAll<TableTextReader>(path, document, tick);
}

std::unique_ptr<TextFileWriter> writeUncommitted(const DictionaryDocument &document, const QString &path,
                                                 DictionaryFiles::SaveFormat format, const Tick &tick)
{
    using DictionaryFiles::SaveFormat;
    auto file = std::make_unique<TextFileWriter>(path, encodingOfFile(path));
    if (format == SaveFormat::Glossary)
        writeAll<GlossaryWriter>(document, file->lines(), tick);
    else if (format == SaveFormat::TwoLineText)
        writeAll<TwoLineTextWriter>(document, file->lines(), tick);
    else if (format == SaveFormat::TableText)
        writeAll<TableTextWriter>(document, file->lines(), tick);
    file->flush();
    return file;
}

}
