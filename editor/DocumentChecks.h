#pragma once

#include "DictionaryDocument.h"
#include "checks/Checker.h"

#include <QObject>

#include <vector>

// The quality checks of the open document. Which entries have findings is kept, one
// byte per entry: worked out for every entry when a document is read (on every core)
// and afterwards only for the entries a change touches, so that the grid, its filter
// and the status bar never check while they paint. The messages themselves are found
// again when they are shown.
class DocumentChecks : public QObject {
    Q_OBJECT

public:
    explicit DocumentChecks(QObject *parent = nullptr);

    const Checker &checker() const { return m_checker; }
    // Takes the switches, the length limit and the document's access-key marker as they
    // are set now; true when any of them changed since they were last taken.
    bool loadSettings(const DictionaryDocument &document);

    void checkAll(const DictionaryDocument &document);
    // The entries of the states (a step's, before or after it) are checked again.
    void recheck(const DictionaryDocument &document, const std::vector<EntryState> &changed);

    bool hasFindings(qsizetype entry) const;
    qsizetype entriesWithFindings() const { return m_withFindings; }
    // The entry's findings as it stands, and as it would be with this status and
    // translation (as stored: tabs escaped).
    QList<CheckFinding> findings(const DictionaryDocument &document, qsizetype entry) const;
    QList<CheckFinding> findings(const DictionaryDocument &document, qsizetype entry, const QString &status,
                                 QStringView translation) const;
    // The messages of the findings, one per line.
    static QString messages(const QList<CheckFinding> &findings);

    // The access-key marker of the document's entries: the one its format always uses
    // (TS), else the to-do marker chosen in the import options, where the document plays
    // the to-do's part.
    static QChar accessKeyMarker(const DictionaryDocument &document);
    // The placeholder syntaxes an entry is read with, with this translation: those its PO
    // format flags name; a dictionary entry carries no flags.
    static PlaceholderSyntaxes placeholderSyntaxes(const DictionaryDocument &document, qsizetype entry,
                                                   QStringView translation);
    // The export's limit on a translation's byte length: the value of its condition
    // "译文长度大于:" when that is the condition chosen, else 0 (no limit).
    static int exportLengthLimit();

Q_SIGNALS:
    // Findings were worked out anew, for some entries or all.
    void changed();

private:
    bool checkEntry(const DictionaryDocument &document, qsizetype entry) const;
    qsizetype checkRange(const DictionaryDocument &document, qsizetype begin, qsizetype end);

    Checker m_checker;
    QChar m_marker = u'&';
    int m_lengthLimit = 0;
    // 1 for an entry with findings.
    std::vector<quint8> m_flagged;
    qsizetype m_withFindings = 0;
};
