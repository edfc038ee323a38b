#include "TsJob.h"

#include "TsCatalogue.h"

#include <QRegularExpression>

namespace {

class TsJobCatalogue : public JobCatalogue {
public:
    explicit TsJobCatalogue(TsCatalogue catalogue) : m_catalogue(std::move(catalogue)) {}

    qsizetype count() const override { return m_catalogue.messageCount(); }
    QString status(qsizetype index) const override { return m_catalogue.status(index); }
    QString source(qsizetype index) const override { return m_catalogue.message(index).source; }
    QString translation(qsizetype index) const override
    {
        return m_catalogue.message(index).translations.value(0);
    }
    void fill(qsizetype index, const QString &text, bool review) override
    {
        m_catalogue.setTranslation(index, text);
        m_catalogue.setFinished(index, !review);
    }
    void save(const QString &path) override { m_catalogue.write(path); }

private:
    TsCatalogue m_catalogue;
};

}

std::unique_ptr<JobCatalogue> openTsJobCatalogue(const QString &path)
{
    return std::make_unique<TsJobCatalogue>(TsCatalogue::read(path));
}

bool recogniseTsContent(const QString &path)
{
    // An XML declaration, a document type and comments may come before the root element.
    static const QRegularExpression root(QStringLiteral(
        R"(^\s*(<\?xml[^>]*\?>\s*)?(<!DOCTYPE TS>\s*)?(<!--.*?-->\s*)*<TS[\s>/])"),
        QRegularExpression::DotMatchesEverythingOption);
    return root.match(QString::fromUtf8(catalogueHead(path))).hasMatch();
}
