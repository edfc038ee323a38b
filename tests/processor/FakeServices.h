#pragma once

#include "FileDialogs.h"
#include "MessageService.h"
#include "ui/RealFileDialogs.h"

#include <QList>
#include <QString>

// Answers every message box at once and remembers what was asked.
class FakeMessages : public MessageService {
public:
    struct Box {
        QString text;
        Buttons buttons;
        Icon icon;
    };

    FakeMessages() { MessageService::setInstance(this); }
    ~FakeMessages() override { MessageService::setInstance(nullptr); }

    Answer show(QWidget *, const QString &text, Buttons buttons, Icon icon) override
    {
        boxes.append({text, buttons, icon});
        return answer;
    }

    QList<Box> boxes;
    Answer answer = Ok;
};

// Chooses the prepared file and filter entry (or cancels) in a real dialog at once and
// remembers each dialog's settings.
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

    // What the next dialog returns; an empty name cancels it.
    void prepare(const QString &fileName, int filterIndex = 1)
    {
        m_fileName = fileName;
        m_filterIndex = filterIndex;
    }

    QString kind;
    FileDialogOptions shown;
    int count = 0;

private:
    FileDialogChoice choose(QWidget *parent, const FileDialogOptions &options, QFileDialog::AcceptMode mode)
    {
        kind = mode == QFileDialog::AcceptOpen ? QStringLiteral("open") : QStringLiteral("save");
        shown = options;
        ++count;
        return chooseInRealDialog(parent, options, mode, m_fileName, m_filterIndex);
    }

    QString m_fileName;
    int m_filterIndex = 1;
};
