#pragma once

#include "DictionaryDocument.h"

#include <QObject>
#include <QUndoStack>

#include <vector>

class GridModel;
class TranslationReplacer;

// The one way the document changes: every change is one undoable step of the history,
// which stores only the entries it changed. The history's clean state is the document's
// unmodified state; windows never set it.
class DocumentEdits : public QObject {
    Q_OBJECT

public:
    explicit DocumentEdits(GridModel &model, QObject *parent = nullptr);

    QUndoStack &history() { return m_history; }
    bool isModified() const { return !m_history.isClean(); }

    // A translation typed in the edit pane or the grid's cell editor: stored with its
    // tabs escaped, and the entry becomes "已译" (an emptied one "未译" where untranslated
    // means empty, see DictionaryDocument::stateWith). False when nothing changed.
    bool commitTranslation(quint32 entry, const QString &typed);
    // How many of the entries changed. 未译 empties the translation where untranslated
    // means empty.
    int setStatus(const std::vector<quint32> &entries, const QString &status);
    // Puts the source back as translation where the two differ; statuses stay, but for
    // an untranslated entry of a catalogue, which becomes 复查 (see stateWith).
    int restoreSources(const std::vector<quint32> &entries);
    // Replaces in the entries' translations as one step named so; statuses stay.
    int replaceTranslations(const QString &stepName, const std::vector<quint32> &entries,
                            const TranslationReplacer &replacer);
    // Changes made elsewhere (an import, a replacement, a recovery) as one step named so,
    // the states made by the model's stateWith; nothing when there are none.
    int apply(const QString &stepName, std::vector<EntryState> states);

    // A document was read: no history, nothing changed.
    void documentReplaced();
    // The document was written: the history's clean state from here, nothing changed.
    void documentSaved();
    // The entries changed since the document was read or saved, undone ones included,
    // in entry order.
    std::vector<quint32> changedEntries() const;

Q_SIGNALS:
    // A step was made, undone or redone: the entries of the states changed (each state
    // holds what its entry was before).
    void entriesChanged(const std::vector<EntryState> &states);
    // Undo or redo changed the entry (the first of its step).
    void entryRestored(quint32 entry);

private:
    friend class EditStep;

    // Puts the states in; after undo and redo the cursor goes to the first.
    void exchange(std::vector<EntryState> &states, bool fromHistory);

    GridModel &m_model;
    QUndoStack m_history;
    std::vector<bool> m_changed;
};
