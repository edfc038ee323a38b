#include "DictionaryDocument.h"

#include "NumericText.h"
#include "TextFile.h"
#include "formats/DictionaryFormats.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace {

constexpr double NotANumberKey = std::numeric_limits<double>::infinity();

// Plain digit strings, the numbers of nearly every dictionary, skip the general test.
double parseNumberKey(QStringView number)
{
    constexpr qsizetype ExactDigits = 15;
    if (!number.isEmpty() && number.size() <= ExactDigits) {
        double value = 0;
        bool digitsOnly = true;
        for (const QChar c : number) {
            if (c < u'0' || c > u'9') {
                digitsOnly = false;
                break;
            }
            value = value * 10 + (c.unicode() - u'0');
        }
        if (digitsOnly)
            return value;
    }
    return numericValue(number).value_or(NotANumberKey);
}

// Sort keys of the labels: their rank in the code page's byte order.
std::vector<quint32> labelRanks(const QStringList &labels)
{
    std::vector<QByteArray> bytes;
    bytes.reserve(static_cast<size_t>(labels.size()));
    for (const QString &label : labels)
        bytes.push_back(TextCodec::encode(label, TextEncoding::Gb18030));
    std::vector<quint32> byRank(bytes.size());
    for (quint32 i = 0; i < byRank.size(); ++i)
        byRank[i] = i;
    std::stable_sort(byRank.begin(), byRank.end(), [&](quint32 a, quint32 b) { return bytes[a] < bytes[b]; });
    std::vector<quint32> ranks(bytes.size());
    for (quint32 rank = 0; rank < byRank.size(); ++rank)
        ranks[byRank[rank]] = rank;
    return ranks;
}

}

TextArena::Ref TextArena::store(QStringView text)
{
    const auto length = static_cast<quint32>(text.size());
    if (length == 0)
        return Ref{};
    if (length > BlockSize) {
        m_blocks.push_back(std::make_unique_for_overwrite<char16_t[]>(length));
        std::copy(text.utf16(), text.utf16() + length, m_blocks.back().get());
        return Ref{static_cast<quint32>(m_blocks.size() - 1), 0, length};
    }
    if (BlockSize - m_used < length) {
        m_blocks.push_back(std::make_unique_for_overwrite<char16_t[]>(BlockSize));
        m_open = static_cast<quint32>(m_blocks.size() - 1);
        m_used = 0;
    }
    std::copy(text.utf16(), text.utf16() + length, m_blocks[m_open].get() + m_used);
    const Ref ref{m_open, m_used, length};
    m_used += length;
    return ref;
}

DictionaryDocument::DictionaryDocument()
{
    for (const QString &text : {QString(), EntryStatus::Untranslated, EntryStatus::Translated,
                                EntryStatus::NotToTranslate, EntryStatus::Review})
        labelId(text);
}

quint32 DictionaryDocument::labelId(const QString &text)
{
    const auto found = m_labelIds.constFind(text);
    if (found != m_labelIds.cend())
        return *found;
    const auto id = static_cast<quint32>(m_labels.size());
    m_labels.append(text);
    m_labelIds.insert(text, id);
    return id;
}

void DictionaryDocument::countStatus(quint32 label, qsizetype change)
{
    if (label >= m_statusCounts.size())
        m_statusCounts.resize(label + 1);
    m_statusCounts[label] += change;
}

qsizetype DictionaryDocument::statusCount(const QString &status) const
{
    const auto found = m_labelIds.constFind(status);
    return found == m_labelIds.cend() || *found >= m_statusCounts.size() ? 0 : m_statusCounts[*found];
}

void DictionaryDocument::append(const DictionaryEntry &entry, const QString &outline)
{
    const quint32 status = labelId(entry.status);
    m_entries.push_back(Entry{m_text.store(entry.number), m_text.store(entry.source), m_text.store(entry.translation),
                              status, labelId(outline), parseNumberKey(entry.number)});
    m_numberOrder.reset();
    countStatus(status, 1);
}

DictionaryEntry DictionaryDocument::entryView(qsizetype i) const
{
    const auto raw = [](QStringView text) { return QString::fromRawData(text.data(), text.size()); };
    return DictionaryEntry{status(i), raw(number(i)), raw(source(i)), raw(translation(i))};
}

DictionaryEntry DictionaryDocument::dictionaryEntry(qsizetype i) const
{
    DictionaryEntry entry = entryView(i);
    if (untranslatedIsEmpty() && entry.status == EntryStatus::Untranslated)
        entry.translation = entry.source;
    return entry;
}

void DictionaryDocument::keepFile(const DictionaryFormat &format, std::unique_ptr<KeptFile> file)
{
    m_format = &format;
    m_file = std::move(file);
}

bool DictionaryDocument::untranslatedIsEmpty() const
{
    return m_format && m_format->document && m_format->document->untranslatedIsEmpty;
}

EntryNotes DictionaryDocument::notes(qsizetype i) const
{
    return m_file ? m_file->notes(number(i)) : EntryNotes();
}

QStringList DictionaryDocument::formatFlags(qsizetype i) const
{
    return m_file ? m_file->formatFlags(number(i)) : QStringList();
}

bool DictionaryDocument::setStatus(qsizetype i, const QString &status)
{
    const quint32 id = labelId(status);
    if (m_entries[i].status == id)
        return false;
    countStatus(m_entries[i].status, -1);
    countStatus(id, 1);
    m_entries[i].status = id;
    return true;
}

std::optional<EntryState> DictionaryDocument::stateWith(quint32 entry, const QString &asked, QStringView translation)
{
    const QString &status = !untranslatedIsEmpty() || asked == EntryStatus::NotToTranslate ? asked
        : translation.isEmpty()                                                          ? EntryStatus::Untranslated
        : asked == EntryStatus::Untranslated                                             ? EntryStatus::Review
                                                                                         : asked;
    const quint32 id = labelId(status);
    const bool sameText = this->translation(entry) == translation;
    if (id == m_entries[entry].status && sameText)
        return std::nullopt;
    return EntryState{entry, id, sameText ? m_entries[entry].translation : m_text.store(translation)};
}

void DictionaryDocument::exchange(EntryState &state)
{
    Entry &entry = m_entries[state.entry];
    countStatus(entry.status, -1);
    countStatus(state.status, 1);
    std::swap(entry.status, state.status);
    std::swap(entry.translation, state.translation);
}

const std::vector<quint32> &DictionaryDocument::orderByNumber() const
{
    if (m_numberOrder)
        return *m_numberOrder;
    std::vector<quint32> &order = m_numberOrder.emplace(m_entries.size());
    const auto byKey = [](const Entry &a, const Entry &b) { return a.numberKey < b.numberKey; };
    if (std::is_sorted(m_entries.begin(), m_entries.end(), byKey)) {
        std::iota(order.begin(), order.end(), 0u);
        return order;
    }
    // Sorting small (key, position) pairs is several times faster than a stable sort of
    // the entries themselves.
    std::vector<std::pair<double, quint32>> keys(m_entries.size());
    for (size_t i = 0; i < keys.size(); ++i)
        keys[i] = {m_entries[i].numberKey, static_cast<quint32>(i)};
    std::sort(keys.begin(), keys.end());
    for (size_t i = 0; i < keys.size(); ++i)
        order[i] = keys[i].second;
    return order;
}

// The entries in number order dealt out by status (counting sort), so that each status
// keeps the number order and its ties.
std::vector<quint32> DictionaryDocument::orderByStatusAndNumber() const
{
    const std::vector<quint32> ranks = labelRanks(m_labels);
    std::vector<size_t> next(ranks.size() + 1, 0);
    for (const Entry &entry : m_entries)
        ++next[ranks[entry.status] + 1];
    std::partial_sum(next.begin(), next.end(), next.begin());
    std::vector<quint32> order(m_entries.size());
    for (const quint32 i : orderByNumber())
        order[next[ranks[m_entries[i].status]]++] = i;
    return order;
}
