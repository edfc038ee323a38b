#include "CatalogueJob.h"

#include "DictionaryEntry.h"
#include "JobSettings.h"
#include "SqlScriptWriter.h"

#include <QFile>

#include <algorithm>

namespace {

bool needsEscape(QChar c)
{
    return c == u'\\' || c == u'\t' || c == u'\n' || c == u'\r';
}

int percentOf(qsizetype done, qsizetype all)
{
    return all == 0 ? 100 : int(done * 100 / all);
}

// The source of an untranslated to-do entry within the length limit, as the tables hold
// it; empty for any other entry. The loader and the result writer select alike by it.
QString candidateSource(const JobCatalogue &catalogue, qsizetype index, int lengthLimit)
{
    if (catalogue.status(index) != EntryStatus::Untranslated)
        return {};
    QString source = JobText::fromCatalogue(catalogue.source(index));
    return source.size() <= lengthLimit ? source : QString();
}

}

namespace JobText {

QString fromCatalogue(const QString &text)
{
    if (std::none_of(text.begin(), text.end(), needsEscape))
        return text;
    QString escaped;
    escaped.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (!needsEscape(c)) {
            escaped.append(c);
            continue;
        }
        escaped.append(u'\\');
        escaped.append(c == u'\t' ? u't' : c == u'\n' ? u'n' : c == u'\r' ? u'r' : u'\\');
    }
    return escaped;
}

QString toCatalogue(QStringView text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (text[i] != u'\\' || (next != u'\\' && next != u't' && next != u'n' && next != u'r')) {
            plain.append(text[i]);
            continue;
        }
        plain.append(next == u't' ? u'\t' : next == u'n' ? u'\n' : next == u'r' ? u'\r' : u'\\');
        ++i;
    }
    return plain;
}

}

QByteArray catalogueHead(const QString &path)
{
    constexpr qint64 HeadLength = 16384;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(HeadLength);
    return head.startsWith("\xEF\xBB\xBF") ? head.mid(3) : head;
}

CatalogueReferenceLoader::CatalogueReferenceLoader(const JobSettings &settings, CatalogueOpener open,
                                                   const char *className)
    : ReferenceLoader(settings), m_open(open), m_className(className)
{
}

void CatalogueReferenceLoader::run()
{
    TableScriptWriter script(m_outputFile, WorkTable::R);
    startClock();
    const std::unique_ptr<JobCatalogue> catalogue = m_open(m_inputFile);
    const bool takeReview = m_settings.options.chkrTakeFuzzy;
    for (qsizetype i = 0, count = catalogue->count(); i < count; ++i) {
        showPercent(percentOf(i, count));
        const QString status = catalogue->status(i);
        if (status != EntryStatus::Translated && !(takeReview && status == EntryStatus::Review))
            continue;
        const QString translation = catalogue->translation(i);
        if (!translation.isEmpty())
            addPair(JobText::fromCatalogue(catalogue->source(i)), JobText::fromCatalogue(translation), script);
    }
    script.finish();
    stopClock();
}

CatalogueTodoLoader::CatalogueTodoLoader(const JobSettings &settings, CatalogueOpener open, const char *className)
    : TodoLoader(settings), m_open(open), m_className(className)
{
}

void CatalogueTodoLoader::run()
{
    TableScriptWriter script(m_outputFile, WorkTable::S);
    startClock();
    const std::unique_ptr<JobCatalogue> catalogue = m_open(m_inputFile);
    for (qsizetype i = 0, count = catalogue->count(); i < count; ++i) {
        showPercent(percentOf(i, count));
        const QString source = candidateSource(*catalogue, i, m_settings.options.txtLenLimit);
        if (!source.isEmpty())
            addCandidate(source, source, script);
    }
    script.finish();
    stopClock();
}

CatalogueResultWriter::CatalogueResultWriter(const JobSettings &settings, const QString &todo,
                                             CatalogueOpener open, const char *className)
    : ResultWriter(settings), m_todo(todo), m_open(open), m_className(className)
{
}

void CatalogueResultWriter::write(QStringView source, const QString &translation)
{
    // A translation that is its own source leaves the entry untranslated, so a later one
    // may still fill it.
    if (translation == source)
        return;
    const QString key = source.toString();
    if (!m_found.contains(key))
        m_found.insert(key, translation);
}

void CatalogueResultWriter::close()
{
    const std::unique_ptr<JobCatalogue> todo = m_open(m_todo);
    const bool review = !m_settings.options.chkNotAddFuzzy;
    for (qsizetype i = 0, count = m_found.isEmpty() ? 0 : todo->count(); i < count; ++i) {
        const auto found = m_found.constFind(candidateSource(*todo, i, m_settings.options.txtLenLimit));
        if (found != m_found.cend())
            todo->fill(i, JobText::toCatalogue(*found), review);
    }
    todo->save(m_outputFile);
}
