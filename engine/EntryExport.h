#pragma once

#include "DictionaryEntry.h"
#include "TextFile.h"
#include "formats/DictionaryFormats.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

class EntryWriter;

// What an export run writes: the format, the glossary's language identifiers, the
// length condition with its value, and the statuses to export.
struct ExportOptions {
    enum Condition {
        AnyLength,
        SourceShorter,
        SourceEqual,
        SourceLonger,
        TranslationShorter,
        TranslationEqual,
        TranslationLonger,
        TranslationLongerThanSource,
        ConditionCount
    };

    const DictionaryFormat *format = &DictionaryFormats::defaultExportTarget();
    // The language line of a format that has one.
    QString sourceLanguage = QStringLiteral("9 1");
    QString targetLanguage = QStringLiteral("4 2");
    int condition = AnyLength;
    // Up to 999999999: the value is never squeezed into 16 bits.
    int lengthValue = 50;
    bool untranslated = false;
    bool translated = false;
    bool notToTranslate = false;
    bool review = false;

    bool anyStatus() const { return untranslated || translated || notToTranslate || review; }
    bool exportsStatus(const QString &status) const;
};

// The texts of the length conditions, in index order.
const QStringList &exportConditionTexts();

// The length condition on the GB18030 byte lengths; an index outside 0..7 passes nothing.
bool ExportFilter(const ExportOptions &options, const QString &source, const QString &translation);

// Writes the chosen entries in the chosen format, after its language line when it has one.
// The file replaces an existing one only when commit() completes it.
class EntryExportWriter {
public:
    EntryExportWriter(const QString &path, const ExportOptions &options);
    ~EntryExportWriter();
    // Writes the entry when its status is chosen and it passes the length condition.
    bool offer(const DictionaryEntry &entry);
    void commit();
    qint64 written() const { return m_written; }

private:
    ExportOptions m_options;
    TextFileWriter m_file;
    std::unique_ptr<EntryWriter> m_entries;
    qint64 m_written = 0;
};

// The export dialog's controls as values, by control name, and their INI form in the
// section "ExportSetting".
class ExportControlState {
public:
    static const QString IniSection;
    static const QStringList StatusCheckBoxes;  // chkStaUN, chkStaED, chkStaCK, chkStaNO

    const DictionaryFormat *format = &DictionaryFormats::defaultExportTarget();  // the button chosen
    QHash<QString, int> statusStates;     // by check-box name
    QString txtPLOID1 = QStringLiteral("9 1");
    QString txtPLOID2 = QStringLiteral("4 2");
    int cboCondition = 0;
    QString txtLenLimit = QStringLiteral("50");

    void loadFromIni(const QString &path);
    void saveToIni(const QString &path);
    // The byte limit on translations the stored settings give: the value of the
    // condition "译文长度大于:" while that one is chosen, else 0. Reads only.
    static int storedTranslationLimit(const QString &path);
    // The run's values; the length box shows the value used afterwards.
    ExportOptions toOptions();
};
