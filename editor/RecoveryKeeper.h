#pragma once

#include <QObject>
#include <QTimer>

#include <optional>

class DocumentSession;
class QWidget;

// Keeps the open document's unsaved changes in its recovery file: written every few
// seconds (the interval of the options) while there are changes not yet written, and at
// once after an import; removed when the changes are saved, undone or dropped. Offers a
// recovery file when its document is opened, and at a start without a document.
class RecoveryKeeper : public QObject {
    Q_OBJECT

public:
    RecoveryKeeper(DocumentSession &session, QWidget *messageParent);

    // Takes the interval from the settings again.
    void restartTimer();
    void writeNow();
    // The changes were dropped (the window closes without saving them).
    void discard();
    // After the document was opened: its recovery file is offered. Yes restores the
    // changes as one step, No removes the file, Cancel leaves it for another time.
    void offerForOpenDocument();
    // At a start without a document: the newest recovery file whose document still
    // exists is offered; the document to open when the user wants it restored.
    std::optional<QString> offerAtStart();

Q_SIGNALS:
    // The recovery file was written, or could not be (with why).
    void written();
    void writeFailed(const QString &message);

private:
    void restore();

    DocumentSession &m_session;
    QWidget *m_messageParent;
    QTimer m_timer;
    bool m_unwritten = false;
    // A document whose restoring the user chose at the start, before it was opened.
    QString m_restoreOnOpen;
};
