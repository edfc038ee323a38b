#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class DictionaryFileWriter;
class EntryReader;
class KeptFile;
class EntryWriter;
struct JobFiles;
struct JobSettings;
class LineWriter;
class LocatedEntryReader;
class ReferenceLoader;
class ResultWriter;
class TodoLoader;

// What a format can be, each role with what the programs need of it for that role. A
// format without a role cannot take it: its files are not offered for it.

// A to-do dictionary of a job. Its loader writes S, the untranslated entries within the
// length limit; the job's result is written in the to-do's format by one of two routes.
struct TodoRole {
    enum class Route {
        // The loader writes S (OutputFile). The result writer reads the join result
        // (InputFile) and writes the produced dictionary (OutputFile) itself; it is handed
        // the job's files, so it may rewrite the to-do with the translations filled in.
        FromMatches,
        // The loader writes every entry into table O (OutputFile1) and S (OutputFile2). The
        // translations found are put into O by an update script, a second sqlite3 run dumps
        // O, and the produced two-line text is assembled from the dump.
        ThroughEntryTable,
    };
    Route route;
    std::unique_ptr<TodoLoader> (*loader)(const JobSettings &settings);
    // FromMatches only.
    std::unique_ptr<ResultWriter> (*resultWriter)(const JobSettings &settings, const JobFiles &files) = nullptr;
    // Whether the result holds every entry of the to-do or only the matched ones: only a
    // result that keeps them all may be written over its to-do.
    bool keepsEveryEntry = true;
    // A to-do named with the first ending gives a result named with the second in an
    // output folder: the template "module.pot" gives the catalogue "module.po".
    QString templateEnding;
    QString templateResultEnding;

    // The name of the result of a to-do of this name in an output folder.
    QString resultName(const QString &todoName) const;
};

// A reference dictionary of a job: its loader writes R, one row per entry that carries
// a translation.
struct ReferenceRole {
    std::unique_ptr<ReferenceLoader> (*loader)(const JobSettings &settings);
};

// A document of Quillet. Every format carries its file from open to save the same way:
// its reader hands over what the document keeps of the file (KeptFile; nothing for the
// dictionary formats), and its writer is given that back.
struct DocumentRole {
    std::unique_ptr<EntryReader> (*openReader)(const QString &path);
    // Writes beside the path; the file is replaced only by the writer's commit(). kept is
    // what the document kept of the file it was read from, null for nothing.
    std::unique_ptr<DictionaryFileWriter> (*createWriter)(const QString &path, const KeptFile *kept);
    // Put in place of the last extension of a saved document's name, it names the
    // companion file saved beside it (x.glo -> x.a.csv); empty for none.
    QString companionEnding;
    // A document read from this format ends in the flat list sorted by number.
    bool sortedByNumber = false;
    // The procedure the error box of a failed reading names.
    QString readingProcedure;
    // Its files keep every entry's status, so that a companion file of this format
    // gives back the statuses a two-line text or a glossary cannot store.
    bool keepsStatuses = false;
    // An untranslated entry has an empty translation (a catalogue's), not its source.
    bool untranslatedIsEmpty = false;
    // Its files are written only into the file a document kept of them, which holds what
    // entries cannot (a header, layout, messages that are no entries): a document read
    // from another format is not saved in it.
    bool writesItsKeptFile = false;
};

// A format the export writes, chosen by a button of the export's format frame.
struct ExportRole {
    QString buttonName;
    QString caption;
    // The button's value in the export settings ("optFormat").
    QString storedValue;
    // Chosen when the settings name no format's value.
    bool chosenByDefault = false;
    // The entries' writer, after the language line when the format has one.
    std::unique_ptr<EntryWriter> (*writer)(LineWriter &lines);
};

// A file the quality checks read: its entries with the lines they start on.
struct CheckRole {
    std::unique_ptr<LocatedEntryReader> (*openEntries)(const QString &path);
    // The access-key marker every file of the format uses ("&" for TS); null where the
    // file's users choose it.
    QChar accessKeyMarker;
};

struct DictionaryFormat {
    // The format's name in file dialogs: "PASSOLO字典".
    QString name;
    // What a file of the format is named with in file dialogs and recognised by when its
    // content is not: ".glo".
    QString extension;
    // The endings its files are named with (".a.txt", ".u.txt"): the save-as types and
    // the files a batch takes from a folder.
    QStringList endings;
    // How lists of files to write name the format's files, when not by its name
    // (Tallyra's result, the export).
    QString writtenTypeName;
    // Recognises the format by the file's content; null when only its name tells. A file
    // that ends too soon raises error 62. Only a format with a language line writes
    // languagePair, and only when given one.
    bool (*recognise)(const QString &path, QString *languagePair) = nullptr;
    // The letter of the format in a job's generator name: clsDikGenOP runs a two-line
    // to-do (O) with a glossary reference (P).
    QChar letter;
    // Its files may begin with a line naming their languages, which a job carries over.
    bool languageLine = false;
    // Its files carry marks of their own (a keyword or root element at the start). It is
    // recognised before the formats that take any text with tabs or number lines, and a
    // file named with one of its endings is taken for it whatever it holds, so that its
    // reader names what is wrong with a malformed one.
    bool namedByEnding = false;
    // Place in Quillet's type lists and the export's format frame, and in Tallyra's
    // result types; Tallyra's to-do and reference types follow the registry's order.
    int listedAt = 0;

    std::optional<TodoRole> todo;
    std::optional<ReferenceRole> reference;
    std::optional<DocumentRole> document;
    std::optional<ExportRole> exportTarget;
    std::optional<CheckRole> check;

    // "青墨文本(*.a.txt;*.u.txt)|*.txt"
    QString dialogFilter() const;
    // "文本格式文件(*.txt)|*.txt"
    QString writtenFilter() const;
    // Whether the path ends in the format's extension or one of its endings, in any case.
    bool names(const QString &path) const;
    // What file dialogs show its files by: "*.txt", or "*.po" and "*.pot" where an
    // ending is no case of the extension.
    QStringList patterns() const;
};

// The registry of formats: one entry per format. Content is recognised first by the
// formats named by their endings, then in this order (a file with both single-tab lines
// and number lines is a glossary).
namespace DictionaryFormats {

const std::vector<const DictionaryFormat *> &all();
// The format a purified reference database counts as: the glossary's.
const DictionaryFormat &purifiedDatabase();

// Tallyra's and the import's file types.
QStringList todoFilters();
// The purified database is offered second, after all reference formats together.
QStringList referenceFilters();
QStringList resultFilters();
// A chosen name keeps an ending of a result format; otherwise the chosen type adds its own.
QString resultFileName(const QString &chosen, int filterIndex);
// The names a batch takes from a folder as to-do dictionaries: "*.glo", "*.a.txt", ...
QStringList todoNamePatterns();
// The names of the reference formats' files, as --help lists them.
QStringList referenceNamePatterns();

// The format the quality checks read a file in: a format only its name tells by its
// ending, else by content; nullptr for a file no checked format takes. Raises error 62
// as the detection does.
const DictionaryFormat *checkedFormatFor(const QString &path);
// The names of the files the checks take from a folder: "*.glo", "*.a.txt", ...
QStringList checkedNamePatterns();

// Quillet's documents.
QStringList openDocumentFilters();
// The save types of a document read from the format (null: none): one per ending of each
// format it can be written in.
QStringList saveDocumentFilters(const DictionaryFormat *readFrom);
// The chosen name with the ending of the chosen type appended when it lacks it.
QString saveDocumentName(const QString &chosen, int filterIndex, const DictionaryFormat *readFrom);
// The save type, counted from 1, that a document of this name is saved as: the one of
// its ending, else the first type of the format its extension names, else the first.
int saveDocumentFilterIndex(const QString &path, const DictionaryFormat *readFrom);
bool hasDocumentEnding(const QString &path);
// The document format a file is written in, or recognised by when its content is not,
// by the extension of its name; nullptr for none.
const DictionaryFormat *documentFormatFor(const QString &path);
// The file saved beside a document in another format; empty for a name of no format.
QString companionPath(const QString &path);

// The export's formats in the order of its buttons, and its save dialog, which names only
// the first format's type: the buttons choose the format.
std::vector<const DictionaryFormat *> exportTargets();
const DictionaryFormat &defaultExportTarget();
QStringList exportFilters();
QString exportFileName(const QString &chosen, int filterIndex);

}

// The format of the file by its content: the first format in the registry that
// recognises it; nullptr for a missing file or one no format recognises. An empty
// file, and a number line that ends the file, raise error 62 to the caller. The
// processor passes languagePair for the glossaries' language line.
const DictionaryFormat *DetectDictionaryFormat(const QString &path, QString *languagePair = nullptr);
