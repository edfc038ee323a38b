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

    int show(QWidget *, const QString &text, Buttons buttons, Icon icon) override
    {
        boxes.append({text, buttons, icon});
        return answer;
    }

    QList<Box> boxes;
    int answer = Ok;
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

    // The last dialog: "open" or "save", title, filter entries, filter index, default extension.
    QStringList shown() const
    {
        return QStringList{m_kind, m_shown.title} + m_shown.filters
            + QStringList{QString::number(m_shown.filterIndex), m_shown.defaultExtension};
    }

private:
    FileDialogChoice choose(QWidget *parent, const FileDialogOptions &options, QFileDialog::AcceptMode mode)
    {
        m_kind = mode == QFileDialog::AcceptOpen ? QStringLiteral("open") : QStringLiteral("save");
        m_shown = options;
        return chooseInRealDialog(parent, options, mode, m_fileName, m_filterIndex);
    }

    QString m_kind;
    FileDialogOptions m_shown;
    QString m_fileName;
    int m_filterIndex = 1;
};
