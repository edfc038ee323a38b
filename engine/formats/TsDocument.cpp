#include "TsDocument.h"

namespace {

QStringList linesOf(const QString &text)
{
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

}

TsDocument::TsDocument(const QString &path) : m_catalogue(TsCatalogue::read(path))
{
    findEntries();
}

std::unique_ptr<CatalogueDocument> TsDocument::copy() const
{
    return std::unique_ptr<CatalogueDocument>(new TsDocument(*this));
}

EntryNotes TsDocument::notesOf(qsizetype message) const
{
    const TsMessage &full = m_catalogue.message(message);
    EntryNotes notes;
    notes.context = m_catalogue.contextName(message);
    notes.comments = linesOf(full.translatorComment);
    notes.extractedComments = linesOf(full.comment) + linesOf(full.extraComment);
    for (const TsLocation &location : full.locations)
        notes.references << (location.line < 0 ? location.fileName : location.fileName + u':' + QString::number(location.line));
    notes.plural = full.numerus;
    return notes;
}
