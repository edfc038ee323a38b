#pragma once

// A generated PO catalogue of interface strings (references on every entry, extracted
// and translator comments, contexts, plurals, fuzzy and untranslated entries, messages
// long enough to wrap) and the same entries as a two-line dictionary, for the benchmarks
// that compare the two.

#include "BenchDictionaries.h"
#include "TextFile.h"
#include "formats/TwoLineText.h"

#include <QProcess>
#include <QSet>

namespace BenchCatalogue {

using BenchDictionaries::Detail::Phrase;

constexpr std::uint64_t Seed = 20240917;

struct Entry {
    QString context;
    QString msgid;
    QString plural;
    QString translation;
};

inline Entry phrasedEntry(qint64 i)
{
    Phrase phrase = BenchDictionaries::Detail::referenceEntry(Seed, i);
    if (i % 7 == 0) {
        // A help text of several sentences, which wraps.
        for (qint64 k = 1; k <= 3; ++k) {
            const Phrase more = BenchDictionaries::Detail::referenceEntry(Seed, i * 31 + k);
            phrase.source += QStringLiteral(". ") + more.source;
            phrase.translation += QStringLiteral("。") + more.translation;
        }
    }
    Entry result{QString(), phrase.source, QString(), i % 6 == 0 ? QString() : phrase.translation};
    if (i % 8 == 0)
        result.context = i % 16 == 0 ? QStringLiteral("menu") : QStringLiteral("dialog");
    if (i % 10 == 0) {
        result.msgid = QStringLiteral("%d ") + phrase.source;
        result.plural = QStringLiteral("%d ") + phrase.source + u's';
        result.translation = i % 6 == 0 ? QString() : QStringLiteral("%d 个") + phrase.translation;
    }
    return result;
}

// The entries in order, the same for the catalogue and the two-line file; a msgid that
// came before in the same context gets a context of its own, as gettext allows no two alike.
class Entries {
public:
    Entry next()
    {
        Entry e = phrasedEntry(m_index);
        if (m_seen.contains(qHash(e.context + u'\x04' + e.msgid)))
            e.context = QStringLiteral("item %1").arg(m_index);
        m_seen.insert(qHash(e.context + u'\x04' + e.msgid));
        ++m_index;
        return e;
    }

private:
    qint64 m_index = 0;
    QSet<size_t> m_seen;
};

inline QString quoted(const QString &text)
{
    QString escaped = text;
    escaped.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    escaped.replace(u'\t', QStringLiteral("\\t"));
    return u'"' + escaped + u'"';
}

// One line per string; msgcat then lays the file out as gettext writes it.
inline void writeUnwrapped(const QString &path, qint64 entries)
{
    TextFileWriter file(path, TextEncoding::Utf8, LineEnd::Lf);
    LineWriter &lines = file.lines();
    lines.writeLine(u"msgid \"\"\nmsgstr \"\"\n\"Project-Id-Version: bench 1.0\\n\"\n"
                    u"\"Content-Type: text/plain; charset=UTF-8\\n\"\n\"Plural-Forms: nplurals=1; plural=0;\\n\"\n");
    Entries all;
    for (qint64 i = 0; i < entries; ++i) {
        const Entry e = all.next();
        if (i % 20 == 0)
            lines.writeLine(QStringLiteral("# 第 %1 条的译者注释").arg(i));
        if (i % 5 == 0)
            lines.writeLine(QStringLiteral("#. TRANSLATORS: shown in the %1 pane").arg(i % 3 ? u"left" : u"right"));
        lines.writeLine(QStringLiteral("#: src/module%1/view%2.c:%3").arg(i % 97).arg(i % 13).arg(i % 4000 + 1));
        if (i % 15 == 0 && !e.translation.isEmpty())
            lines.writeLine(e.plural.isEmpty() ? u"#, fuzzy" : u"#, fuzzy, c-format");
        else if (!e.plural.isEmpty())
            lines.writeLine(u"#, c-format");
        if (!e.context.isEmpty())
            lines.writeLine(QStringLiteral("msgctxt ") + quoted(e.context));
        lines.writeLine(QStringLiteral("msgid ") + quoted(e.msgid));
        if (e.plural.isEmpty()) {
            lines.writeLine(QStringLiteral("msgstr ") + quoted(e.translation));
        } else {
            lines.writeLine(QStringLiteral("msgid_plural ") + quoted(e.plural));
            lines.writeLine(QStringLiteral("msgstr[0] ") + quoted(e.translation));
        }
        lines.writeLine(QStringView());
    }
    file.commit();
}

inline void writeTwoLine(const QString &path, qint64 entries)
{
    TextFileWriter file(path, TextEncoding::Gb18030);
    TwoLineTextWriter writer(file.lines());
    Entries all;
    for (qint64 i = 0; i < entries; ++i) {
        const Entry e = all.next();
        writer.write({QString(), QString::number(i + 1), e.msgid, e.translation.isEmpty() ? e.msgid : e.translation});
    }
    file.commit();
}

inline void runMsgcat(const QString &input, const QString &output)
{
    QProcess msgcat;
    msgcat.start(QStringLiteral("msgcat"), {input, QStringLiteral("-o"), output});
    if (!msgcat.waitForFinished(-1) || msgcat.exitCode() != 0)
        qFatal("msgcat failed: %s", msgcat.readAllStandardError().constData());
}

}
