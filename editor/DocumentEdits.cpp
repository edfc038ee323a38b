#include "DocumentEdits.h"

#include "GridModel.h"
#include "StoredText.h"
#include "TranslationReplacer.h"

#include <QUndoCommand>

// One step of the history: the states of the entries it changed, exchanged with the
// document's at every undo and redo.
class EditStep : public QUndoCommand {
public:
    EditStep(DocumentEdits &edits, const QString &name, std::vector<EntryState> states)
        : QUndoCommand(name), m_edits(edits), m_states(std::move(states))
    {
    }

    void redo() override
    {
        m_edits.exchange(m_states, m_done);
        m_done = true;
    }
    void undo() override { m_edits.exchange(m_states, true); }

private:
    DocumentEdits &m_edits;
    std::vector<EntryState> m_states;
    // The first redo is the change itself, made where the user stands.
    bool m_done = false;
};

DocumentEdits::DocumentEdits(GridModel &model, QObject *parent) : QObject(parent), m_model(model) {}

bool DocumentEdits::commitTranslation(quint32 entry, const QString &typed)
{
    std::vector<EntryState> states;
    if (auto state = m_model.stateWith(entry, EntryStatus::Translated, StoredText::fromTyped(typed)))
        states.push_back(*state);
    return apply(QStringLiteral("修改译文"), std::move(states)) > 0;
}

int DocumentEdits::setStatus(const std::vector<quint32> &entries, const QString &status)
{
    std::vector<EntryState> states;
    const DictionaryDocument &document = m_model.document();
    // Where untranslated means without a translation, making an entry untranslated empties it.
    const bool emptied = status == EntryStatus::Untranslated && document.untranslatedIsEmpty();
    for (const quint32 entry : entries) {
        if (auto state = m_model.stateWith(entry, status, emptied ? QStringView() : document.translation(entry)))
            states.push_back(*state);
    }
    return apply(QStringLiteral("设为%1状态").arg(status), std::move(states));
}

int DocumentEdits::restoreSources(const std::vector<quint32> &entries)
{
    std::vector<EntryState> states;
    const DictionaryDocument &document = m_model.document();
    for (const quint32 entry : entries) {
        if (auto state = m_model.stateWith(entry, document.status(entry), document.source(entry)))
            states.push_back(*state);
    }
    return apply(QStringLiteral("恢复原文"), std::move(states));
}

int DocumentEdits::replaceTranslations(const QString &stepName, const std::vector<quint32> &entries,
                                       const TranslationReplacer &replacer)
{
    std::vector<EntryState> states;
    const DictionaryDocument &document = m_model.document();
    for (const quint32 entry : entries) {
        if (const std::optional<QString> text = replacer.replaced(document.translation(entry))) {
            if (auto state = m_model.stateWith(entry, document.status(entry), *text))
                states.push_back(*state);
        }
    }
    return apply(stepName, std::move(states));
}

int DocumentEdits::apply(const QString &stepName, std::vector<EntryState> states)
{
    const int count = static_cast<int>(states.size());
    if (count > 0)
        m_history.push(new EditStep(*this, stepName, std::move(states)));
    return count;
}

void DocumentEdits::exchange(std::vector<EntryState> &states, bool fromHistory)
{
    m_model.exchange(states);
    m_changed.resize(static_cast<size_t>(m_model.document().size()));
    for (const EntryState &state : states)
        m_changed[state.entry] = true;
    Q_EMIT entriesChanged(states);
    if (fromHistory)
        Q_EMIT entryRestored(states.front().entry);
}

void DocumentEdits::documentReplaced()
{
    m_history.clear();
    m_changed.clear();
}

void DocumentEdits::documentSaved()
{
    m_history.setClean();
    m_changed.clear();
}

std::vector<quint32> DocumentEdits::changedEntries() const
{
    std::vector<quint32> entries;
    for (size_t i = 0; i < m_changed.size(); ++i) {
        if (m_changed[i])
            entries.push_back(static_cast<quint32>(i));
    }
    return entries;
}
