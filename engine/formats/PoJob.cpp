#include "PoJob.h"

#include "DictionaryEntry.h"
#include "PoCatalogue.h"

#include <QByteArray>

namespace {

// The placeholder of a template's charset, which reads as UTF-8.
const QString TemplateCharset = QStringLiteral("charset=CHARSET");

class PoJobCatalogue : public JobCatalogue {
public:
    explicit PoJobCatalogue(PoCatalogue catalogue) : m_catalogue(std::move(catalogue)) {}

    qsizetype count() const override { return m_catalogue.count(); }
    // A fuzzy entry without a translation is for review as well: it is no job's to fill.
    QString status(qsizetype index) const override
    {
        if (m_catalogue.isObsolete(int(index)))
            return {};
        const QString status = m_catalogue.status(int(index));
        return status == EntryStatus::Untranslated && m_catalogue.isFuzzy(int(index)) ? EntryStatus::Review : status;
    }
    QString source(qsizetype index) const override { return m_catalogue.msgid(int(index)); }
    QString translation(qsizetype index) const override { return m_catalogue.translation(int(index)); }
    void fill(qsizetype index, const QString &text, bool review) override
    {
        m_catalogue.setTranslation(int(index), text);
        if (review)
            m_catalogue.setFuzzy(int(index), true);
    }
    // A template filled in becomes a catalogue in the charset it was read in.
    void save(const QString &path) override
    {
        const QString type = m_catalogue.headerField(QStringLiteral("Content-Type"));
        if (m_catalogue.isModified() && type.contains(TemplateCharset)) {
            m_catalogue.setHeaderField(QStringLiteral("Content-Type"),
                                       QString(type).replace(TemplateCharset, QStringLiteral("charset=UTF-8")));
        }
        m_catalogue.save(path);
    }

private:
    PoCatalogue m_catalogue;
};

}

std::unique_ptr<JobCatalogue> openPoJobCatalogue(const QString &path)
{
    return std::make_unique<PoJobCatalogue>(PoCatalogue::fromFile(path));
}

bool recognisePoContent(const QString &path)
{
    for (QByteArray line : catalogueHead(path).split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        return line.startsWith("msgid ") || line.startsWith("msgid\"") || line.startsWith("msgctxt ")
            || line.startsWith("msgctxt\"");
    }
    return false;
}
