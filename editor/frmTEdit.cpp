#include "frmTEdit.h"

#include "EntryNotesView.h"
#include "StoredText.h"
#include "TextFile.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace {

const QString EditedMark = QStringLiteral("*");

// A text box for one dictionary field: it wraps long text but takes no line break,
// neither typed nor pasted, since no dictionary format could store one. Enter, Esc and
// the focus go to their handlers, when there are. Undo and redo keys undo the typing in
// the box while there is some; then they go on to the window's history.
class FieldTextEdit : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

    std::function<void(Qt::KeyboardModifiers)> onEnter;
    std::function<void()> onEscape;
    std::function<void()> onFocus;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::ShortcutOverride && leavesToWindow(static_cast<QKeyEvent *>(event)))
            return false;
        return QPlainTextEdit::event(event);
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
            if (onEnter)
                onEnter(event->modifiers());
            return;
        }
        if (event->key() == Qt::Key_Escape && onEscape) {
            event->accept();
            onEscape();
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }

    void focusInEvent(QFocusEvent *event) override
    {
        QPlainTextEdit::focusInEvent(event);
        if (onFocus)
            onFocus();
    }

    void insertFromMimeData(const QMimeData *source) override
    {
        insertPlainText(StoredText::withoutLineBreaks(source->text()));
    }

private:
    bool leavesToWindow(const QKeyEvent *key) const;
};

bool FieldTextEdit::leavesToWindow(const QKeyEvent *key) const
{
    if (key->matches(QKeySequence::Undo))
        return !document()->isUndoAvailable();
    if (key->matches(QKeySequence::Redo) || key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y))
        return !document()->isRedoAvailable();
    return false;
}

QString fourDigits(qsizetype number)
{
    return QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0'));
}

}

frmTEdit::frmTEdit(QWidget *parent) : QDockWidget(QStringLiteral("翻译字符串"), parent)
{
    setObjectName(QStringLiteral("frmTEdit"));
    auto *content = new QWidget(this);

    Picture1 = new QWidget(content);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Combo1 = new QComboBox(Picture1);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->addItems({QStringLiteral("仅更新"), QStringLiteral("更新并转下一条"), QStringLiteral("更新并转上一条")});
    Command1 = new QPushButton(QStringLiteral("更新(&U)"), Picture1);
    Command1->setObjectName(QStringLiteral("Command1"));
    Label1 = new QLabel(Picture1);
    Label1->setObjectName(QStringLiteral("Label1"));
    auto *strip = new QHBoxLayout(Picture1);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->addWidget(Combo1);
    strip->addWidget(Command1);
    strip->addWidget(Label1, 1);

    Text1 = new FieldTextEdit(content);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    auto *translationBox = new FieldTextEdit(content);
    translationBox->onEnter = [this](Qt::KeyboardModifiers modifiers) { enterPressed(modifiers); };
    translationBox->onEscape = [this] { Q_EMIT leaveRequested(); };
    translationBox->onFocus = [this] { selectUntranslated(); };
    Text2 = translationBox;
    Text2->setObjectName(QStringLiteral("Text2"));
    Picture1->setFocusProxy(Text2);

    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(Picture1);
    layout->addWidget(Notes = new EntryNotesView(content));
    layout->addWidget(Text1, 1);
    layout->addWidget(Text2, 1);
    setWidget(content);

    connect(Text2, &QPlainTextEdit::textChanged, this, &frmTEdit::translationTyped);
    connect(Command1, &QPushButton::clicked, this, [this] { Q_EMIT updateRequested(updateMode()); });
    showLengthLine();
}

void frmTEdit::addBelowTranslation(QWidget *widget)
{
    static_cast<QVBoxLayout *>(this->widget()->layout())->addWidget(widget);
}

void frmTEdit::showEntry(int row, const QString &source, const QString &translation)
{
    m_row = row;
    if (row == 0)
        Notes->showNotes(EntryNotes());
    Text1->setPlainText(source);
    loadTranslation(translation);
    if (Text2->hasFocus())
        selectUntranslated();
}

// An untranslated entry's box holds its source: selected, typing replaces it.
void frmTEdit::selectUntranslated()
{
    if (m_row > 0 && !isEdited() && translation() == source())
        Text2->selectAll();
}

void frmTEdit::loadTranslation(const QString &translation)
{
    m_loadedTranslation = translation;
    Text2->setPlainText(translation);
    translationTyped();
}

void frmTEdit::committed(const QString &stored)
{
    if (translation() != stored) {
        loadTranslation(stored);
        return;
    }
    m_loadedTranslation = stored;
    Text2->document()->clearUndoRedoStacks();
    translationTyped();
}

QString frmTEdit::source() const
{
    return Text1->toPlainText();
}

QString frmTEdit::translation() const
{
    return Text2->toPlainText();
}

frmTEdit::UpdateMode frmTEdit::updateMode() const
{
    return static_cast<UpdateMode>(Combo1->currentIndex());
}

void frmTEdit::enterPressed(Qt::KeyboardModifiers modifiers)
{
    if (!(modifiers & Qt::ControlModifier))
        Q_EMIT updateRequested(updateMode());
    else if (modifiers & Qt::ShiftModifier)
        Q_EMIT updateRequested(UpdateAndNextUnfinished);
    else
        Q_EMIT updateRequested(UpdateAndNext);
}

void frmTEdit::translationTyped()
{
    m_editedMark = translation() == m_loadedTranslation ? QString() : EditedMark;
    showLengthLine();
}

void frmTEdit::setStatusText(const QString &text)
{
    Label1->setText(text);
}

void frmTEdit::showLengthLine()
{
    Label1->setText(lengthLine(source(), translation(), m_editedMark));
}

QString frmTEdit::lengthLine(const QString &source, const QString &translation, const QString &mark)
{
    return QStringLiteral("长度(原文|译文): ") + fourDigits(TextCodec::gb18030ByteLength(source)) + QStringLiteral(" | ")
        + fourDigits(TextCodec::gb18030ByteLength(translation)) + u' ' + mark;
}
