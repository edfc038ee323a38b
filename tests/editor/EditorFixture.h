#pragma once

// A fresh editor window or document session per test in its own program folder, with
// message boxes and file dialogs answered by fakes so that no modal window ever waits.

#include "AppFolder.h"
#include "FileDialogs.h"
#include "MessageService.h"
#include "TextFile.h"
#include "DocumentSession.h"
#include "cCtrlFlexGrid.h"
#include "frmMain.h"
#include "frmTEdit.h"
#include "ui/RealFileDialogs.h"

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <memory>

class FakeMessages : public MessageService {
public:
    struct Shown {
        QString text;
        Buttons buttons;
        Icon icon;
    };

    Answer show(QWidget *, const QString &text, Buttons buttons, Icon icon) override
    {
        shown.append({text, buttons, icon});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return buttons == Buttons::Ok ? Ok : Cancel;
    }

    QStringList texts() const
    {
        QStringList result;
        for (const Shown &box : shown)
            result.append(box.text);
        return result;
    }

    QList<Shown> shown;
    // Taken in order; without one a question is cancelled.
    QList<Answer> answers;
};

// Chooses the file and filter entry in a real dialog, as a user would; cancels without one.
class FakeFileDialogs : public FileDialogService {
public:
    FileDialogChoice open(QWidget *parent, const FileDialogOptions &options) override
    {
        return answer(parent, options, QFileDialog::AcceptOpen);
    }
    FileDialogChoice save(QWidget *parent, const FileDialogOptions &options) override
    {
        return answer(parent, options, QFileDialog::AcceptSave);
    }

    void choose(const QString &fileName, int filterIndex = 1) { choice = FileDialogChoice{true, fileName, filterIndex}; }

    FileDialogChoice choice;
    FileDialogOptions asked;

private:
    FileDialogChoice answer(QWidget *parent, const FileDialogOptions &options, QFileDialog::AcceptMode mode)
    {
        asked = options;
        return chooseInRealDialog(parent, options, mode, choice.fileName, choice.filterIndex);
    }
};

// A program folder of its own per test, with message boxes and file dialogs answered by
// fakes, and helpers for the files in it.
class FolderFixture {
public:
    FolderFixture()
    {
        AppFolder::set(m_dir.path());
        MessageService::setInstance(&messages);
        FileDialogService::setInstance(&dialogs);
    }

    ~FolderFixture()
    {
        MessageService::setInstance(nullptr);
        FileDialogService::setInstance(nullptr);
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    QString write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path(name);
    }

    QString write(const QString &name, const QString &text, TextEncoding encoding = TextEncoding::Gb18030) const
    {
        const QByteArray mark = encoding == TextEncoding::Utf8WithBom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
        return write(name, mark + TextCodec::encode(text, encoding));
    }

    // A two-line dictionary ("number:source", translation per entry).
    QString writeTwoLine(const QString &name, const QStringList &entries) const
    {
        QString text;
        for (qsizetype i = 0; i + 1 < entries.size(); i += 2)
            text += QStringLiteral("\r\n") + entries[i] + QStringLiteral("\r\n") + entries[i + 1] + QStringLiteral("\r\n");
        return write(name, text);
    }

    QByteArray bytes(const QString &name) const
    {
        QFile file(path(name));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    QString text(const QString &name) const { return TextCodec::decode(bytes(name), TextEncoding::Gb18030); }

    FakeMessages messages;
    FakeFileDialogs dialogs;

private:
    QTemporaryDir m_dir;
};

// "status|number|source|translation" of every grid row, header rows as their status.
inline QStringList gridRows(const GridModel &model)
{
    QStringList result;
    for (int row = 1; row <= model.gridRowCount(); ++row) {
        if (model.isGroupRow(row)) {
            result.append(u'[' + model.cellText(row, GridModel::Status) + u']');
            continue;
        }
        QStringList cells;
        for (int column = GridModel::Status; column <= GridModel::Translation; ++column)
            cells.append(model.cellText(row, column));
        result.append(cells.join(u'|'));
    }
    return result;
}

// The document session alone, for what needs no window.
class SessionFixture : public FolderFixture {
public:
    bool open(const QString &name, const QStringList &entries) { return session.open(writeTwoLine(name, entries)); }
    QStringList rows() const { return gridRows(session.model()); }

    DocumentSession session{nullptr};
};

// A fresh editor window per test.
class EditorFixture : public FolderFixture {
public:
    EditorFixture()
    {
        window = std::make_unique<frmMain>();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    // Writes a two-line dictionary and opens it.
    bool open(const QString &name, const QStringList &entries) { return window->ActFileOpen(writeTwoLine(name, entries)); }

    bool openTable(const QString &name, const QString &records) { return window->ActFileOpen(write(name, records)); }

    cCtrlFlexGrid &grid() const { return window->gridController(); }
    frmTEdit &pane() const { return window->editPane(); }
    void trigger(const QString &tool) const { window->findChild<QAction *>(tool)->trigger(); }
    QStringList rows() const { return gridRows(grid().model()); }

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
