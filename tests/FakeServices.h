#pragma once

// The one set of fake services of the window tests: message boxes answered at once and
// file dialogs answered through a real QFileDialog, each remembering what was asked.

#include "FileDialogs.h"
#include "MessageService.h"
#include "ui/RealFileDialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class FakeMessages : public MessageService {
public:
    struct Box {
        QString text;
        Buttons buttons;
        Icon icon;
    };

    explicit FakeMessages(std::optional<Answer> everyAnswer = std::nullopt) : answer(everyAnswer)
    {
        MessageService::setInstance(this);
    }
    ~FakeMessages() override { MessageService::setInstance(nullptr); }

    Answer show(QWidget *, const QString &text, Buttons buttons, Icon icon) override
    {
        boxes.append({text, buttons, icon});
        if (!answers.isEmpty())
            return answers.takeFirst();
        if (answer)
            return *answer;
        return buttons == Buttons::Ok ? Ok : Cancel;
    }

    QStringList texts() const
    {
        QStringList result;
        for (const Box &box : boxes)
            result.append(box.text);
        return result;
    }

    QList<Box> boxes;
    // Taken in order; after them every box gets `answer`, and without one an OK box is
    // answered OK and a question is cancelled.
    QList<Answer> answers;
    std::optional<Answer> answer;
};

// Chooses the prepared file and filter entry (or cancels without a name) in a real
// dialog at once and remembers the last dialog's settings.
class FakeFileDialogs : public FileDialogService {
public:
    FakeFileDialogs() { FileDialogService::setInstance(this); }
    ~FakeFileDialogs() override { FileDialogService::setInstance(nullptr); }

    FileDialogChoice open(QWidget *parent, const FileDialogOptions &options) override
    {
        return choose(parent, options, QFileDialog::AcceptOpen);
    }
    FileDialogChoice save(QWidget *parent, const FileDialogOptions &options) override
    {
        return choose(parent, options, QFileDialog::AcceptSave);
    }

    void prepare(const QString &fileName, int filterIndex = 1)
    {
        m_fileName = fileName;
        m_filterIndex = filterIndex;
    }

    // The last dialog: "open" or "save", title, filter entries, filter index, default extension.
    QStringList shown() const
    {
        return QStringList{m_kind, asked.title} + asked.filters
            + QStringList{QString::number(asked.filterIndex), asked.defaultExtension};
    }

    FileDialogOptions asked;

private:
    FileDialogChoice choose(QWidget *parent, const FileDialogOptions &options, QFileDialog::AcceptMode mode)
    {
        m_kind = mode == QFileDialog::AcceptOpen ? QStringLiteral("open") : QStringLiteral("save");
        asked = options;
        return chooseInRealDialog(parent, options, mode, m_fileName, m_filterIndex);
    }

    QString m_kind;
    QString m_fileName;
    int m_filterIndex = 1;
};
