// Runs the quality checks on real catalogues and on the same entries with one planted
// fault each, and prints the false-alarm rate and the share of planted faults found.
//
//   bench_checks_planted FOLDER [--show N] [--limit BYTES]
//
// FOLDER holds glossaries (*.glo: source, tab, translation; a tab inside a text written
// as "\t"), for example made from shipped .mo catalogues. Every entry counts as a
// correct translation (status 已译), as a shipped catalogue's entries are. A file's
// access-key marker is the one its translations use in bracketed keys such as "(_O)".
// --show prints up to N flagged correct entries per check for reading by hand.
//
// Faults are planted only into entries the checks pass: every kind that fits an entry
// is planted into a copy of its own, one fault per copy: access key dropped or its
// letter changed, shortcut translated, end punctuation lost, placeholder dropped or
// changed, outer or inner spaces changed, translation left as the source.

#include "DictionaryEntry.h"
#include "formats/Glossary.h"
#include "TextFile.h"
#include "checks/Checker.h"
#include "checks/UiText.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QMap>
#include <QTextStream>

#include <array>
#include <functional>

using namespace UiText;

namespace {

struct Catalogue {
    QString name;
    QChar marker;
    QList<DictionaryEntry> entries;
};

QChar guessMarker(const QList<DictionaryEntry> &entries)
{
    QChar best = u'&';
    int bestCount = 0;
    for (const QChar marker : {u'&', u'_', u'~'}) {
        int count = 0;
        for (const DictionaryEntry &entry : entries)
            count += findAccessKeys(entry.translation, marker).bracketed ? 1 : 0;
        if (count > bestCount) {
            best = marker;
            bestCount = count;
        }
    }
    return best;
}

QList<Catalogue> readCatalogues(const QString &folder)
{
    QList<Catalogue> catalogues;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({u"*.glo"_qs}, QDir::Files, QDir::Name)) {
        TextFileReader file(dir.filePath(name));
        GlossaryDocumentReader reader(file.lines());
        Catalogue catalogue{name, u'&', {}};
        DictionaryEntry entry;
        while (reader.next(entry)) {
            if (!entry.source.isEmpty() && !entry.translation.isEmpty()) {
                entry.status = EntryStatus::Translated;
                catalogue.entries.append(entry);
            }
        }
        catalogue.marker = guessMarker(catalogue.entries);
        catalogues.append(catalogue);
    }
    return catalogues;
}

CheckedEntry checkedEntry(const DictionaryEntry &entry, QChar marker)
{
    return {entry.source, entry.translation, entry.status, marker, PlaceholderSyntaxes::unflagged()};
}

bool hasLatinWord(const QString &text)
{
    int run = 0;
    for (const QChar c : text) {
        run = (c.unicode() < 128 && c.isLetter()) ? run + 1 : 0;
        if (run >= 2)
            return true;
    }
    return false;
}

// One fault kind: its name and how it changes a translation; an empty result means
// the kind does not fit the entry.
struct FaultKind {
    const char *name;
    std::function<QString(const DictionaryEntry &, QChar marker, int serial)> plant;
};

QString dropAccessKey(const DictionaryEntry &entry, QChar marker, int)
{
    const AccessKeys source = findAccessKeys(withoutShortcut(entry.source), marker);
    const AccessKeys own = findAccessKeys(withoutShortcut(entry.translation), marker);
    if (source.count != 1 || own.count != 1)
        return {};
    QString translation = entry.translation;
    return own.bracketed ? translation.remove(own.begin, own.end - own.begin) : translation.remove(own.marker, 1);
}

QString changeAccessKey(const DictionaryEntry &entry, QChar marker, int)
{
    const AccessKeys source = findAccessKeys(withoutShortcut(entry.source), marker);
    const AccessKeys own = findAccessKeys(withoutShortcut(entry.translation), marker);
    if (source.count != 1 || own.count != 1 || own.letter.unicode() >= 128)
        return {};
    const char16_t letter = own.letter.toUpper().unicode();
    QString translation = entry.translation;
    translation[own.marker + 1] = QChar(letter == u'Z' || letter == u'9' ? u'A' : char16_t(letter + 1));
    return translation;
}

QString translateShortcut(const DictionaryEntry &entry, QChar, int)
{
    const ShortcutSplit own = splitShortcut(entry.translation);
    if (!splitShortcut(entry.source).found() || !own.found())
        return {};
    QString shortcut = entry.translation.sliced(own.shortcut);
    shortcut.replace(u"Ctrl"_qs, u"控制"_qs).replace(u"Shift"_qs, u"上档"_qs).replace(u"Alt"_qs, u"交替"_qs);
    if (shortcut == entry.translation.sliced(own.shortcut))
        shortcut.prepend(u"键 "_qs);
    return entry.translation.first(own.shortcut) + shortcut;
}

bool isMarkCharacter(QChar c, EndMark mark)
{
    if (mark == EndMark::Ellipsis)
        return c == u'.' || c == u'…';
    return endMark(QStringView(&c, 1)).mark == mark;
}

QString loseEndPunctuation(const DictionaryEntry &entry, QChar marker, int)
{
    const EndMarkAt source = decoratedEndMark(withoutShortcut(entry.source), marker);
    const EndMarkAt own = decoratedEndMark(withoutShortcut(entry.translation), marker);
    if (source.mark == EndMark::None || own.mark != source.mark)
        return {};
    qsizetype begin = own.begin;
    while (begin > 0 && isMarkCharacter(entry.translation.at(begin - 1), own.mark))
        --begin;
    qsizetype end = own.begin;
    while (end < entry.translation.size() && isMarkCharacter(entry.translation.at(end), own.mark))
        ++end;
    QString translation = entry.translation;
    return translation.remove(begin, end - begin);
}

QString changePlaceholder(const DictionaryEntry &entry, QChar, int serial)
{
    const Placeholders own = findPlaceholders(entry.translation, PlaceholderSyntaxes::unflagged());
    if (own.isEmpty())
        return {};
    const Placeholder &changed = own[serial % own.size()];
    QString translation = entry.translation;
    if (serial % 2 == 0)
        return translation.remove(changed.position, changed.text.size());
    const qsizetype last = changed.position + changed.text.size() - 1;
    const QChar c = translation.at(last);
    if (c == u'}')
        translation.insert(last, u'x');
    else
        translation[last] = c == u's' ? u'd' : u's';
    return translation;
}

QString changeSpaces(const DictionaryEntry &entry, QChar, int serial)
{
    QString translation = entry.translation;
    const QStringView body = withoutShortcut(translation);
    const QStringView beforeSpaces = body.chopped(trailingSpaces(body));
    // Without its space "名称： " would still be right.
    const bool wideMark = !beforeSpaces.isEmpty() && QStringView(u"：，；？！。").contains(beforeSpaces.back());
    if (trailingSpaces(withoutShortcut(entry.source)) > 0 && trailingSpaces(body) > 0 && !wideMark) {
        const qsizetype end = withoutShortcut(translation).size();
        return translation.remove(end - 1, 1);
    }
    if (leadingSpaces(entry.source) > 0 && leadingSpaces(translation) > 0)
        return translation.remove(0, 1);
    // Forms that the source's own spaces would make right are passed over.
    const bool sameTrailing = trailingSpaces(withoutShortcut(entry.source)) == trailingSpaces(withoutShortcut(translation));
    const bool sourceDoubles = entry.source.contains(u"  "_qs);
    switch (serial % 3) {
    case 0:
        if (sameTrailing)
            return translation.insert(withoutShortcut(translation).size(), u' ');
        return translation.prepend(u' ');
    case 1: return translation.prepend(u' ');
    default:
        if (sourceDoubles)
            return translation.prepend(u' ');
        if (translation.contains(u' '))
            return translation.replace(translation.indexOf(u' '), 1, u"  "_qs);
        return translation.size() < 2 ? QString() : translation.insert(translation.size() / 2, u"  "_qs);
    }
}

QString leaveUntranslated(const DictionaryEntry &entry, QChar, int)
{
    return hasLatinWord(entry.source) && entry.translation != entry.source ? entry.source : QString();
}

const std::array<FaultKind, 7> FaultKinds{{
    {"access key dropped", dropAccessKey},
    {"access key letter changed", changeAccessKey},
    {"shortcut translated", translateShortcut},
    {"end punctuation lost", loseEndPunctuation},
    {"placeholder dropped or changed", changePlaceholder},
    {"spaces changed", changeSpaces},
    {"left untranslated", leaveUntranslated},
}};

struct Tally {
    int planted = 0;
    int found = 0;
};

}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    int show = 0;
    int limit = 0;
    for (qsizetype i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == u"--show" || arguments[i] == u"--limit") {
            (arguments[i] == u"--show" ? show : limit) = arguments[i + 1].toInt();
            arguments.remove(i, 2);
            --i;
        }
    }
    QTextStream out(stdout);
    if (arguments.size() != 1) {
        out << "usage: bench_checks_planted FOLDER [--show N] [--limit BYTES]\n";
        return 2;
    }
    Checker checker;
    checker.setLengthLimit(limit);
    const QList<Catalogue> catalogues = readCatalogues(arguments.first());

    int entries = 0;
    int flagged = 0;
    QMap<QString, int> perRule;
    QHash<QString, int> shown;
    std::array<Tally, FaultKinds.size()> tallies{};
    QMap<QString, int> missedKinds;
    int serial = 0;
    for (const Catalogue &catalogue : catalogues) {
        out << catalogue.name << ": " << catalogue.entries.size() << " entries, marker " << catalogue.marker << '\n';
        for (const DictionaryEntry &entry : catalogue.entries) {
            ++entries;
            const QList<CheckFinding> findings = checker.check(checkedEntry(entry, catalogue.marker));
            if (!findings.isEmpty()) {
                ++flagged;
                for (const CheckFinding &finding : findings) {
                    ++perRule[finding.ruleId];
                    if (shown[finding.ruleId]++ < show)
                        out << "  [" << finding.ruleId << "] " << entry.source << "  =>  " << entry.translation
                            << "  (" << finding.message << ")\n";
                }
                continue;
            }
            for (size_t kind = 0; kind < FaultKinds.size(); ++kind) {
                DictionaryEntry faulty = entry;
                faulty.translation = FaultKinds[kind].plant(entry, catalogue.marker, serial);
                if (faulty.translation.isEmpty() || faulty.translation == entry.translation)
                    continue;
                ++serial;
                ++tallies[kind].planted;
                if (!checker.check(checkedEntry(faulty, catalogue.marker)).isEmpty())
                    ++tallies[kind].found;
                else if (missedKinds[QString::fromLatin1(FaultKinds[kind].name)]++ < show)
                    out << "  missed " << FaultKinds[kind].name << ": " << entry.source << "  =>  "
                        << faulty.translation << '\n';
            }
        }
    }
    out << "\ncorrect entries: " << entries << ", flagged: " << flagged << " ("
        << QString::number(100.0 * flagged / qMax(entries, 1), 'f', 2) << "%)\n";
    for (auto it = perRule.cbegin(); it != perRule.cend(); ++it)
        out << "  " << it.key() << ": " << it.value() << '\n';
    int planted = 0;
    int found = 0;
    double shares = 0;
    int kinds = 0;
    out << "planted faults:\n";
    for (size_t kind = 0; kind < FaultKinds.size(); ++kind) {
        const Tally &tally = tallies[kind];
        planted += tally.planted;
        found += tally.found;
        if (tally.planted > 0) {
            shares += double(tally.found) / tally.planted;
            ++kinds;
        }
        out << "  " << FaultKinds[kind].name << ": " << tally.found << " / " << tally.planted << '\n';
    }
    out << "found: " << found << " / " << planted << " (" << QString::number(100.0 * found / qMax(planted, 1), 'f', 2)
        << "%), mean of the kinds' shares " << QString::number(100.0 * shares / qMax(kinds, 1), 'f', 2) << "%\n";
    return 0;
}
