#include "DocumentChecks.h"

#include "EditorSettings.h"
#include "EntryExport.h"
#include "ErrorReport.h"
#include "OptionSettings.h"
#include "formats/DictionaryFormats.h"
#include "checks/CheckSettings.h"

#include <algorithm>
#include <future>
#include <thread>

namespace {

std::vector<bool> switches(const Checker &checker)
{
    std::vector<bool> on;
    for (const auto &rule : checker.rules())
        on.push_back(checker.isEnabled(rule->id()));
    return on;
}

}

DocumentChecks::DocumentChecks(QObject *parent) : QObject(parent) {}

bool DocumentChecks::loadSettings(const DictionaryDocument &document)
{
    const std::vector<bool> before = switches(m_checker);
    CheckSettings::load(EditorSettings::iniPath(), m_checker);
    const int limit = exportLengthLimit();
    const QChar marker = accessKeyMarker(document);
    const bool changed = switches(m_checker) != before || limit != m_lengthLimit || marker != m_marker;
    m_checker.setLengthLimit(limit);
    m_lengthLimit = limit;
    m_marker = marker;
    return changed;
}

void DocumentChecks::checkAll(const DictionaryDocument &document)
{
    const qsizetype size = document.size();
    m_flagged.assign(static_cast<size_t>(size), 0);
    m_withFindings = 0;
    // With every check off nothing can be found: the pass is spared.
    if (std::ranges::none_of(switches(m_checker), std::identity())) {
        Q_EMIT changed();
        return;
    }
    constexpr qsizetype FewEntries = 10000;
    const qsizetype parts = size < FewEntries ? 1 : std::clamp<qsizetype>(std::thread::hardware_concurrency(), 1, 4);
    // The other parts on threads of their own; each writes only its own entries' bytes.
    std::vector<std::future<qsizetype>> others;
    for (qsizetype part = 1; part < parts; ++part)
        others.push_back(std::async(std::launch::async, [this, &document, part, parts, size] {
            return checkRange(document, size * part / parts, size * (part + 1) / parts);
        }));
    m_withFindings = checkRange(document, 0, size / parts);
    for (std::future<qsizetype> &other : others)
        m_withFindings += other.get();
    Q_EMIT changed();
}

qsizetype DocumentChecks::checkRange(const DictionaryDocument &document, qsizetype begin, qsizetype end)
{
    qsizetype flagged = 0;
    for (qsizetype entry = begin; entry < end; ++entry) {
        m_flagged[static_cast<size_t>(entry)] = checkEntry(document, entry) ? 1 : 0;
        flagged += m_flagged[static_cast<size_t>(entry)];
    }
    return flagged;
}

void DocumentChecks::recheck(const DictionaryDocument &document, const std::vector<EntryState> &changed)
{
    for (const EntryState &state : changed) {
        quint8 &flag = m_flagged[state.entry];
        m_withFindings -= flag;
        flag = checkEntry(document, state.entry) ? 1 : 0;
        m_withFindings += flag;
    }
    Q_EMIT this->changed();
}

bool DocumentChecks::checkEntry(const DictionaryDocument &document, qsizetype entry) const
{
    return !findings(document, entry).isEmpty();
}

bool DocumentChecks::hasFindings(qsizetype entry) const
{
    return entry >= 0 && static_cast<size_t>(entry) < m_flagged.size() && m_flagged[static_cast<size_t>(entry)] != 0;
}

QList<CheckFinding> DocumentChecks::findings(const DictionaryDocument &document, qsizetype entry) const
{
    return findings(document, entry, document.status(entry), document.translation(entry));
}

QList<CheckFinding> DocumentChecks::findings(const DictionaryDocument &document, qsizetype entry,
                                             const QString &status, QStringView translation) const
{
    return m_checker.check(
        {document.source(entry), translation, status, m_marker, placeholderSyntaxes(document, entry, translation)});
}

QString DocumentChecks::messages(const QList<CheckFinding> &findings)
{
    QStringList lines;
    for (const CheckFinding &finding : findings)
        lines.append(finding.message);
    return lines.join(u'\n');
}

QChar DocumentChecks::accessKeyMarker(const DictionaryDocument &document)
{
    const DictionaryFormat *format = document.readFormat();
    if (format && format->check && !format->check->accessKeyMarker.isNull())
        return format->check->accessKeyMarker;
    OptionControlState options;
    try {
        options.loadFromIni(EditorSettings::iniPath());
    } catch (const AppError &) {
        return u'&';
    }
    return options.toOptions().todoMarker;
}

PlaceholderSyntaxes DocumentChecks::placeholderSyntaxes(const DictionaryDocument &document, qsizetype entry,
                                                        QStringView translation)
{
    // An entry's flags are read from its catalogue's text: only where they can matter.
    if (!mayHoldPlaceholder(document.source(entry)) && !mayHoldPlaceholder(translation))
        return PlaceholderSyntaxes::unflagged();
    return PlaceholderSyntaxes::fromFlags(document.formatFlags(entry));
}

int DocumentChecks::exportLengthLimit()
{
    return ExportControlState::storedTranslationLimit(EditorSettings::iniPath());
}
