#pragma once

#include "DocumentChecks.h"
#include "DocumentEdits.h"
#include "GridModel.h"
#include "StatusFile.h"

#include <QObject>
#include <QString>

#include <functional>

struct DictionaryFormat;
class QWidget;
class YieldClock;

// The open document apart from any window: its entries (in the grid's model), the edits
// and their history, its path, and reading and writing it. It counts as modified while
// its history is away from the state last read or written.
// Windows follow it through its signals; its message boxes go to the given parent.
class DocumentSession : public QObject {
    Q_OBJECT

public:
    explicit DocumentSession(QWidget *messageParent, QObject *parent = nullptr);
    ~DocumentSession() override;

    GridModel &model() { return m_model; }
    const GridModel &model() const { return m_model; }
    DocumentEdits &edits() { return m_edits; }
    const DocumentChecks &checks() const { return m_checks; }
    // The checks' settings may have changed (in the options, the import or the export):
    // every entry is checked again when they did.
    void applyCheckSettings();
    QString path() const { return m_path; }
    bool hasDocument() const { return !m_path.isEmpty(); }
    // Where file dialogs open: the open document's folder, empty while none is open.
    QString documentFolder() const;
    bool isModified() const { return m_edits.isModified(); }
    bool isBusy() const { return m_busy; }

    // While set, the edit pane commits nothing: from start-up until the first open,
    // during a save and while a whole-document job replaces the rows.
    bool EditSuppressed = true;

    // Reads the file by its content, then by its name; false when it is no dictionary
    // the editor reads. Entries read before an error stay, after the error's box.
    bool open(const QString &path);
    // Writes the entries in number order; the display stays as it is. False when the file
    // was not written; the document then stays modified.
    bool save(const QString &path);
    // An import's changes, one step of the history.
    void applyImport(std::vector<EntryState> states);
    // Saves under a name chosen in the save-as box and makes it the document's path.
    bool saveAs(const QString &chosenName, int filterIndex);
    // The types of the save-as box: the dictionary formats, and the format of a catalogue
    // the document was read from.
    QStringList saveAsFilters() const;
    // The chosen name with the ending of the chosen type appended when it lacks it.
    QString saveAsName(QString chosenName, int filterIndex) const;
    // The entry of the save-as box that is the type of the document, from 1.
    int saveAsFilterIndex() const;
    static bool hasEditorEnding(const QString &path);

Q_SIGNALS:
    void modifiedChanged(bool modified);
    // A document was opened or saved under another name; empty while none is open.
    void pathChanged(const QString &path);
    // A file is being read or written; an empty status when that has ended.
    void busyChanged(const QString &status);
    // A newly read document replaced the entries; the grid shows it from the top.
    void documentLoaded();
    // An import changed the document.
    void importApplied();

private:
    bool loadByContent(const QString &path);
    bool load(const QString &path, const DictionaryFormat &format);
    void takeDocument(const QString &path, DictionaryDocument document, const DictionaryFormat &format);
    QString writeDocumentFiles(const QString &path, YieldClock &clock);
    void setPath(const QString &path);

    QWidget *m_messageParent;
    // Before the model, which shows its findings.
    DocumentChecks m_checks;
    GridModel m_model;
    DocumentEdits m_edits{m_model};
    StatusFile m_statusFile;
    QString m_path;
    bool m_busy = false;
};

// A job that reads or replaces every entry of the open document: while it runs the edit
// pane commits nothing. Ends with the scope, however the job ends.
class SuppressedEdits {
public:
    explicit SuppressedEdits(DocumentSession &session) : m_session(session) { m_session.EditSuppressed = true; }
    ~SuppressedEdits() { m_session.EditSuppressed = false; }
    SuppressedEdits(const SuppressedEdits &) = delete;
    SuppressedEdits &operator=(const SuppressedEdits &) = delete;

private:
    DocumentSession &m_session;
};
