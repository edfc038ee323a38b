#pragma once

#include "CatalogueDocument.h"
#include "PoCatalogue.h"

// A gettext PO or POT catalogue as a document (see CatalogueDocument): the msgid is the
// source, msgstr or msgstr[0] the translation, written into every form the header's
// Plural-Forms asks for; the statuses are the catalogue's. A template given a
// translation declares the UTF-8 it is written in.
class PoDocument : public CatalogueDocument {
public:
    explicit PoDocument(const QString &path);
    std::unique_ptr<CatalogueDocument> copy() const override;
    void write(QIODevice &device) const override { m_catalogue.write(device); }

protected:
    qsizetype messageCount() const override { return m_catalogue.count(); }
    bool isEntry(qsizetype message) const override { return !m_catalogue.isObsolete(int(message)); }
    QString status(qsizetype message) const override { return m_catalogue.status(int(message)); }
    QString source(qsizetype message) const override { return m_catalogue.msgid(int(message)); }
    QString translation(qsizetype message) const override { return m_catalogue.translation(int(message)); }
    void setTranslation(qsizetype message, const QString &text) override;
    void setStatus(qsizetype message, const QString &status) override;
    EntryNotes notesOf(qsizetype message) const override;
    QStringList formatFlagsOf(qsizetype message) const override;

private:
    explicit PoDocument(const PoDocument &) = default;

    PoCatalogue m_catalogue;
};
