#pragma once

#include <QDockWidget>

class EntryNotesView;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The docked edit pane "翻译字符串": the source and the translation of the grid's current
// entry, with the byte lengths of both in view. The main window moves text between
// grid and pane (UpdateToEditBox, UpdateFromEditBox); the pane keeps what it was given.
class frmTEdit : public QDockWidget {
    Q_OBJECT

public:
    // The first three are the choices of Combo1; the last only a key gives.
    enum UpdateMode { UpdateOnly = 0, UpdateAndNext = 1, UpdateAndPrevious = 2, UpdateAndNextUnfinished = 3 };

    explicit frmTEdit(QWidget *parent = nullptr);

    // Shows an entry of the grid; nothing counts as edited afterwards.
    void showEntry(int row, const QString &source, const QString &translation);
    // Replaces the translation and the text it is compared with.
    void loadTranslation(const QString &translation);
    // The translation box's text was written back as the stored text given: that is
    // now the text compared with, and the box's own undo history ends there.
    void committed(const QString &stored);

    // The grid row the pane shows, 0 for none.
    int row() const { return m_row; }
    void setRow(int row) { m_row = row; }
    QString source() const;
    QString translation() const;
    QString loadedTranslation() const { return m_loadedTranslation; }
    // The translation box differs from what was loaded into it ("*" on the length line).
    bool isEdited() const { return !m_editedMark.isEmpty(); }
    UpdateMode updateMode() const;

    // A widget that belongs to the translation box, below it.
    void addBelowTranslation(QWidget *widget);

    // The length line doubles as the window's status line while files are read or written.
    void setStatusText(const QString &text);
    void showLengthLine();
    // "长度(原文|译文): 0004 | 0005 *"
    static QString lengthLine(const QString &source, const QString &translation, const QString &mark);

    QWidget *Picture1;
    QComboBox *Combo1;
    QPushButton *Command1;
    QLabel *Label1;
    QPlainTextEdit *Text1;
    QPlainTextEdit *Text2;
    EntryNotesView *Notes;

Q_SIGNALS:
    // Commit, then move as the mode says: the update button "更新" and Enter in the
    // translation box give Combo1's choice, Ctrl+Enter the next entry, Ctrl+Shift+Enter
    // the next entry still "未译" or "复查".
    void updateRequested(int mode);
    // Esc in the translation box: back to the grid.
    void leaveRequested();

private:
    void translationTyped();
    void selectUntranslated();
    void enterPressed(Qt::KeyboardModifiers modifiers);

    int m_row = 0;
    QString m_loadedTranslation;
    QString m_editedMark;
};
