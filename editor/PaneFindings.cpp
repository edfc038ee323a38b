#include "PaneFindings.h"

#include "DocumentChecks.h"
#include "GridModel.h"
#include "StoredText.h"
#include "frmTEdit.h"

#include <QPlainTextEdit>

PaneFindings::PaneFindings(frmTEdit &pane, const GridModel &model, const DocumentChecks &checks)
    : QLabel(&pane), m_pane(pane), m_model(model), m_checks(checks)
{
    setObjectName(QStringLiteral("lblFindings"));
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setStyleSheet(QStringLiteral("color: #b00000;"));
    // A line kept free, so that the boxes do not jump when the first finding appears.
    setMinimumHeight(fontMetrics().lineSpacing());
    pane.addBelowTranslation(this);
    connect(pane.Text2, &QPlainTextEdit::textChanged, this, &PaneFindings::refresh);
    connect(&checks, &DocumentChecks::changed, this, &PaneFindings::refresh);
    refresh();
}

void PaneFindings::refresh()
{
    const std::optional<qsizetype> entry = m_model.entryAt(m_pane.row());
    if (!entry) {
        clear();
        return;
    }
    const DictionaryDocument &document = m_model.document();
    const QString &status = m_pane.isEdited() ? EntryStatus::Translated : document.status(*entry);
    setText(DocumentChecks::messages(
        m_checks.findings(document, *entry, status, StoredText::fromTyped(m_pane.translation()))));
}
