#include "PoDocument.h"

PoDocument::PoDocument(const QString &path) : m_catalogue(PoCatalogue::fromFile(path))
{
    findEntries();
}

std::unique_ptr<CatalogueDocument> PoDocument::copy() const
{
    return std::unique_ptr<CatalogueDocument>(new PoDocument(*this));
}

void PoDocument::setTranslation(qsizetype message, const QString &text)
{
    m_catalogue.declareTemplateCharset();
    m_catalogue.setTranslation(int(message), text);
}

void PoDocument::setStatus(qsizetype message, const QString &status)
{
    m_catalogue.setStatus(int(message), status);
}

QStringList PoDocument::formatFlagsOf(qsizetype message) const
{
    return m_catalogue.formatFlags(int(message));
}

EntryNotes PoDocument::notesOf(qsizetype message) const
{
    const PoMessage full = m_catalogue.message(int(message));
    return EntryNotes{full.context,
                      full.notes.translatorComments,
                      full.notes.extractedComments,
                      full.notes.references,
                      full.msgidPlural.has_value(),
                      full.msgidPlural.value_or(QString()),
                      full.notes.flags.formats()};
}
