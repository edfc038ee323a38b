#include "RecoveryKeeper.h"

#include "DocumentSession.h"
#include "EditorSettings.h"
#include "MessageService.h"
#include "RecoveryFile.h"

#include <QFileInfo>
#include <QWidget>

namespace {

constexpr int MillisecondsPerSecond = 1000;

QString writtenAt(const RecoveryFile &file)
{
    return file.written().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

}

RecoveryKeeper::RecoveryKeeper(DocumentSession &session, QWidget *messageParent)
    : QObject(messageParent), m_session(session), m_messageParent(messageParent)
{
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_unwritten && m_session.isModified())
            writeNow();
    });
    connect(&m_session.edits().history(), &QUndoStack::indexChanged, this, [this] { m_unwritten = true; });
    connect(&m_session, &DocumentSession::importApplied, this, &RecoveryKeeper::writeNow);
    // Saved, undone back to the file, or dropped for another document: nothing to keep.
    connect(&m_session, &DocumentSession::modifiedChanged, this, [this](bool modified) {
        if (!modified)
            discard();
    });
    restartTimer();
}

void RecoveryKeeper::restartTimer()
{
    m_timer.start(EditorSettings::recoverySeconds() * MillisecondsPerSecond);
}

void RecoveryKeeper::writeNow()
{
    if (!m_session.hasDocument())
        return;
    try {
        RecoveryFile(m_session.path()).write(m_session.model().document(), m_session.edits().changedEntries());
        m_unwritten = false;
        Q_EMIT written();
    } catch (const AppError &error) {
        Q_EMIT writeFailed(QStringLiteral("无法写入恢复文件: ") + error.description());
    }
}

void RecoveryKeeper::discard()
{
    m_unwritten = false;
    if (m_session.hasDocument())
        RecoveryFile(m_session.path()).remove();
}

void RecoveryKeeper::offerForOpenDocument()
{
    const RecoveryFile file(m_session.path());
    if (!file.exists())
        return;
    if (m_restoreOnOpen == m_session.path()) {
        m_restoreOnOpen.clear();
        restore();
        return;
    }
    const QString question = QStringLiteral("“%1”有上次未保存的修改，记在恢复文件中(%2)。\r\n"
                                            "要恢复这些修改吗？选“否”删除恢复文件，选“取消”以后再说。")
                                 .arg(QFileInfo(m_session.path()).fileName(), writtenAt(file));
    const MessageService::Answer answer =
        askUser(m_messageParent, question, MessageService::Buttons::YesNoCancel, MessageService::Icon::Question);
    if (answer == MessageService::Yes)
        restore();
    else if (answer == MessageService::No)
        file.remove();
}

std::optional<QString> RecoveryKeeper::offerAtStart()
{
    for (const QString &document : RecoveryFile::documents()) {
        if (!QFileInfo(document).isFile())
            continue;
        const RecoveryFile file(document);
        const QString question = QStringLiteral("上次有未保存的修改，记在恢复文件中(%1):\r\n%2\r\n"
                                                "要打开这个文件并恢复这些修改吗？选“否”删除恢复文件，选“取消”以后再说。")
                                     .arg(writtenAt(file), document);
        const MessageService::Answer answer =
            askUser(m_messageParent, question, MessageService::Buttons::YesNoCancel, MessageService::Icon::Question);
        if (answer == MessageService::No) {
            file.remove();
            continue;
        }
        if (answer != MessageService::Yes)
            return std::nullopt;
        m_restoreOnOpen = document;
        return document;
    }
    return std::nullopt;
}

// The file stays when it does not fit the document: the user may still want it.
void RecoveryKeeper::restore()
{
    try {
        m_session.edits().apply(QStringLiteral("恢复未保存的修改"),
                                RecoveryFile(m_session.path()).read(m_session.model()));
        m_unwritten = false;
    } catch (const AppError &error) {
        showErrorBox(m_messageParent,
                     error.reportAt(formLocation(QStringLiteral("frmMain"), QStringLiteral("RestoreRecovery"))));
    }
}
