#pragma once

#include "CatalogueDocument.h"
#include "TsCatalogue.h"

// A Qt TS catalogue as a document (see CatalogueDocument): a numerus message's one
// translation is written into each of its forms; the statuses are the catalogue's. The
// disambiguating comment is shown with the developer's comment.
class TsDocument : public CatalogueDocument {
public:
    explicit TsDocument(const QString &path);
    std::unique_ptr<CatalogueDocument> copy() const override;
    void write(QIODevice &device) const override { m_catalogue.write(device); }

protected:
    qsizetype messageCount() const override { return m_catalogue.messageCount(); }
    bool isEntry(qsizetype message) const override { return m_catalogue.isEntry(message); }
    QString status(qsizetype message) const override { return m_catalogue.status(message); }
    QString source(qsizetype message) const override { return m_catalogue.message(message).source; }
    QString translation(qsizetype message) const override
    {
        return m_catalogue.message(message).translations.value(0);
    }
    void setTranslation(qsizetype message, const QString &text) override
    {
        m_catalogue.setTranslation(message, text);
    }
    void setStatus(qsizetype message, const QString &status) override { m_catalogue.setStatus(message, status); }
    EntryNotes notesOf(qsizetype message) const override;

private:
    explicit TsDocument(const TsDocument &) = default;

    TsCatalogue m_catalogue;
};
