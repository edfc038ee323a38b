#pragma once

// A fresh editor window or document session per test in its own program folder, with
// message boxes and file dialogs answered by fakes so that no modal window ever waits.
// Dictionaries come from tests/data/editor.

#include "TestData.h"

#include "AppFolder.h"
#include "FileDialogs.h"
#include "MessageService.h"
#include "TextFile.h"
#include "DocumentSession.h"
#include "cCtrlFlexGrid.h"
#include "frmMain.h"
#include "frmTEdit.h"
#include "FakeServices.h"
#include "ui/Controls.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <csignal>
#include <memory>

#include <sys/resource.h>

// Shows a dialog as the editor does, so that its first activation has run.
inline bool showDialog(QDialog &dialog)
{
    dialog.show();
    if (!QTest::qWaitForWindowActive(&dialog))
        return false;
    QCoreApplication::processEvents();
    return true;
}

// Writes beyond the size limit fail (EFBIG) for as long as the guard lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

// A program folder of its own per test, with message boxes and file dialogs answered by
// fakes, and helpers for the files in it.
class FolderFixture {
public:
    // In a temporary folder of its own, or in the folder given (another process's).
    explicit FolderFixture(const QString &folder = QString()) : m_folder(folder.isEmpty() ? m_dir.path() : folder)
    {
        AppFolder::set(m_folder);
    }

    QString path(const QString &name) const { return QDir(m_folder).filePath(name); }

    QString write(const QString &name, const QByteArray &bytes) const { return writeBytes(path(name), bytes); }

    QString write(const QString &name, const QString &text, TextEncoding encoding = TextEncoding::Gb18030) const
    {
        const QByteArray mark = encoding == TextEncoding::Utf8WithBom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
        return write(name, mark + TextCodec::encode(text, encoding));
    }

    // A copy of tests/data/editor/<data> in the folder, under the name given or its own.
    QString copy(const QString &data, const QString &name = QString()) const
    {
        return write(name.isEmpty() ? data : name, testData(u"editor/"_qs + data));
    }

    // A copy of tests/data/editor/<data>; a name starting with "missing" is the path of a
    // file that is not there. Only named so, so that a lost data file fails the test.
    QString copyOrMissing(const QString &data) const
    {
        return data.startsWith(u"missing") ? path(data) : copy(data);
    }

    QByteArray bytes(const QString &name) const { return readBytes(path(name)); }
    QString text(const QString &name) const { return TextCodec::decode(bytes(name), TextEncoding::Gb18030); }

    FakeMessages messages;
    FakeFileDialogs dialogs;

private:
    QTemporaryDir m_dir;
    QString m_folder;
};

// "status|number|source|translation" of every grid row, header rows as their status.
inline QStringList gridRows(const GridModel &model)
{
    QStringList result;
    for (int row = 1; row <= model.gridRowCount(); ++row) {
        QStringList cells;
        for (int column = GridModel::Status; column <= GridModel::Translation; ++column)
            cells.append(model.cellText(row, column));
        result.append(model.isGroupRow(row) ? u'[' + cells[0] + u']' : cells.join(u'|'));
    }
    return result;
}

// The document session alone, for what needs no window.
class SessionFixture : public FolderFixture {
public:
    bool open(const QString &data, const QString &name = QString()) { return session.open(copy(data, name)); }
    QStringList rows() const { return gridRows(session.model()); }

    DocumentSession session{nullptr};
};

// A fresh editor window per test.
class EditorFixture : public FolderFixture {
public:
    // With tests/data/editor/<data> open, when given, in the folder given or its own.
    explicit EditorFixture(const QString &data = QString(), const QString &folder = QString()) : FolderFixture(folder)
    {
        window = std::make_unique<frmMain>();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        if (!data.isEmpty() && !open(data))
            qFatal("%s not opened", qPrintable(data));
    }

    bool open(const QString &data, const QString &name = QString()) { return window->ActFileOpen(copy(data, name)); }

    // The display chosen, the cursor on the row and the focus in the translation box
    // ("Text2") or else the grid: the widget with the focus.
    QWidget *focusOn(const QString &display, int row, const QString &focus) const
    {
        trigger(display);
        grid().setCursor(row);
        QWidget *widget = focus == u"Text2" ? static_cast<QWidget *>(pane().Text2) : window->fg;
        widget->setFocus();
        return widget;
    }

    cCtrlFlexGrid &grid() const { return window->gridController(); }
    frmTEdit &pane() const { return window->editPane(); }
    void trigger(const QString &tool) const { window->findChild<QAction *>(tool)->trigger(); }
    QStringList rows() const { return gridRows(grid().model()); }
    // No job left the window half-way: edits allowed and the grid drawn.
    bool isIdle() const { return !window->session().EditSuppressed && window->fg->updatesEnabled(); }

    // Types over the translation box's text, key by key.
    void typeTranslation(const QString &text) const
    {
        QPlainTextEdit *box = pane().Text2;
        box->setFocus();
        box->selectAll();
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(box, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    std::unique_ptr<frmMain> window;
};

// Keys one after another, as "Ctrl+Z" or "Left F8".
inline void press(QWidget *widget, const QString &keys)
{
    for (const QString &each : keys.split(u' ')) {
        const QKeyCombination key = QKeySequence::fromString(each)[0];
        QTest::keyClick(widget, key.key(), key.keyboardModifiers());
    }
}

// Header rows as their captions, entry rows as their numbers.
inline QString shownRows(const EditorFixture &editor)
{
    const GridModel &model = editor.grid().model();
    QStringList rows;
    for (int row = 1; row <= model.gridRowCount(); ++row)
        rows.append(model.isGroupRow(row) ? u'[' + model.data(model.gridIndex(row, GridModel::Status)).toString() + u']'
                                          : model.cellText(row, GridModel::Number));
    return rows.join(u',');
}

// A dialog on an open document, shown as the editor shows it and owned by the window.
template <typename Dialog>
class DialogFixture : public EditorFixture {
public:
    using EditorFixture::EditorFixture;

    template <typename T>
    T *find(const QString &name) const { return control<T>(*dialog, name); }

    Dialog &showNew() const
    {
        auto *made = new Dialog(window->session(), window->gridController(), window.get());
        if (!showDialog(*made))
            qFatal("dialog not shown");
        return *made;
    }

    Dialog *dialog = nullptr;
};
