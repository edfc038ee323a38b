#include "LocatedEntries.h"

#include "PoCatalogue.h"
#include "TsCatalogue.h"

namespace {

// Yields a message's forms one after another; the catalogue says what each form is.
class CatalogueEntryReader : public LocatedEntryReader {
public:
    bool next(LocatedEntry &entry) override
    {
        while (m_form >= m_forms.size()) {
            if (m_message >= messageCount())
                return false;
            m_forms.clear();
            m_form = 0;
            if (take(m_message++, m_current))
                m_current.number = QString::number(++m_entries);
        }
        entry = m_current;
        entry.translation = m_forms[m_form].translation;
        entry.source = m_forms[m_form].source;
        ++m_form;
        return true;
    }

protected:
    struct Form {
        QString source;
        QString translation;
    };

    virtual qsizetype messageCount() const = 0;
    // Fills the entry but its number and the forms of the message; false for a message
    // that is no entry.
    virtual bool take(qsizetype message, LocatedEntry &entry) = 0;
    void addForm(const QString &source, const QString &translation) { m_forms.append({source, translation}); }

private:
    qsizetype m_message = 0;
    qint64 m_entries = 0;
    LocatedEntry m_current;
    QList<Form> m_forms;
    qsizetype m_form = 0;
};

class PoEntryReader : public CatalogueEntryReader {
public:
    explicit PoEntryReader(const QString &path) : m_catalogue(PoCatalogue::fromFile(path)) {}

protected:
    qsizetype messageCount() const override { return m_catalogue.count(); }
    bool take(qsizetype message, LocatedEntry &entry) override
    {
        const int index = int(message);
        if (m_catalogue.isObsolete(index))
            return false;
        entry.line = m_catalogue.line(index);
        entry.status = m_catalogue.status(index);
        entry.formatFlags = m_catalogue.formatFlags(index);
        const std::optional<QString> plural = m_catalogue.msgidPlural(index);
        const QStringList forms = m_catalogue.translations(index);
        for (qsizetype form = 0; form < forms.size(); ++form) {
            const bool singular = !plural || (form == 0 && forms.size() > 1);
            addForm(singular ? m_catalogue.msgid(index) : *plural, forms[form]);
        }
        return true;
    }

private:
    PoCatalogue m_catalogue;
};

class TsEntryReader : public CatalogueEntryReader {
public:
    explicit TsEntryReader(const QString &path) : m_catalogue(TsCatalogue::read(path)) {}

protected:
    qsizetype messageCount() const override { return m_catalogue.messageCount(); }
    bool take(qsizetype index, LocatedEntry &entry) override
    {
        entry.status = m_catalogue.status(index);
        if (entry.status.isEmpty())
            return false;
        const TsMessage &message = m_catalogue.message(index);
        entry.line = message.line;
        for (const QString &translation : message.translations)
            addForm(message.source, translation);
        return true;
    }

private:
    TsCatalogue m_catalogue;
};

}

std::unique_ptr<LocatedEntryReader> openLocatedPoEntries(const QString &path)
{
    return std::make_unique<PoEntryReader>(path);
}

std::unique_ptr<LocatedEntryReader> openLocatedTsEntries(const QString &path)
{
    return std::make_unique<TsEntryReader>(path);
}
