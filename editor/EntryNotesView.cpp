#include "EntryNotesView.h"

namespace {

// A text used in dozens of places would push the texts out of the pane.
constexpr qsizetype ReferencesShown = 4;

QString referencesLine(const QStringList &references)
{
    if (references.size() <= ReferencesShown)
        return references.join(u' ');
    return references.first(ReferencesShown).join(u' ')
        + QStringLiteral(" …(共 %1 处)").arg(references.size());
}

}

EntryNotesView::EntryNotesView(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("lblNotes"));
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Set off from the texts below, and never cut: the text boxes give way.
    setContentsMargins(4, 0, 4, 0);
    setStyleSheet(QStringLiteral("color: #505050;"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    hide();
}

void EntryNotesView::showNotes(const EntryNotes &notes)
{
    setText(text(notes));
    setVisible(!notes.isEmpty());
}

QString EntryNotesView::text(const EntryNotes &notes)
{
    QStringList lines;
    const auto add = [&lines](const QString &caption, const QString &value) {
        if (!value.isEmpty())
            lines << caption + QStringLiteral(": ") + value;
    };
    if (notes.context)
        lines << QStringLiteral("上下文: ") + *notes.context;
    if (notes.plural)
        lines << (notes.pluralSource.isEmpty() ? QStringLiteral("复数条目: 译文用于每个复数形式")
                                                : QStringLiteral("复数原文: ") + notes.pluralSource);
    add(QStringLiteral("译者注释"), notes.comments.join(u'\n'));
    add(QStringLiteral("开发者注释"), notes.extractedComments.join(u'\n'));
    add(QStringLiteral("引用"), referencesLine(notes.references));
    add(QStringLiteral("格式"), notes.formatFlags.join(QStringLiteral(", ")));
    return lines.join(u'\n');
}
