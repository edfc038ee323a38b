#include "DocumentSession.h"

#include "DocumentFiles.h"
#include "EditorSettings.h"
#include "MessageService.h"
#include "YieldClock.h"
#include "formats/DictionaryFormats.h"
#include "formats/EntryStreams.h"

#include <QFileInfo>

#include <future>
#include <optional>

namespace {

// While a file is read or written: the windows show the status and start no command.
class BusyScope {
public:
    BusyScope(DocumentSession &session, bool &busy, const QString &status) : m_session(session), m_busy(busy)
    {
        m_busy = true;
        Q_EMIT m_session.busyChanged(status);
    }

    ~BusyScope()
    {
        m_busy = false;
        Q_EMIT m_session.busyChanged(QString());
    }

    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    DocumentSession &m_session;
    bool &m_busy;
};

}

DocumentSession::DocumentSession(QWidget *messageParent, QObject *parent)
    : QObject(parent), m_messageParent(messageParent)
{
    connect(&m_edits.history(), &QUndoStack::cleanChanged, this, [this](bool clean) { Q_EMIT modifiedChanged(!clean); });
    m_model.setChecks(&m_checks);
    connect(&m_edits, &DocumentEdits::entriesChanged, &m_checks,
            [this](const std::vector<EntryState> &states) { m_checks.recheck(m_model.document(), states); });
}

// The history empties itself as it goes: no change of the document to report.
DocumentSession::~DocumentSession()
{
    m_edits.history().disconnect(this);
}

QString DocumentSession::documentFolder() const
{
    return hasDocument() ? QFileInfo(m_path).absolutePath() : QString();
}

void DocumentSession::setPath(const QString &path)
{
    m_path = path;
    Q_EMIT pathChanged(path);
}

bool DocumentSession::open(const QString &path)
{
    const bool loaded = QFileInfo(path).isFile() && loadByContent(path);
    if (loaded)
        setPath(QFileInfo(path).absoluteFilePath());
    EditSuppressed = false;
    return loaded;
}

// The content decides before the name: a ".txt" file of single-tab lines is a glossary.
bool DocumentSession::loadByContent(const QString &path)
{
    const DictionaryFormat *format = nullptr;
    try {
        format = DetectDictionaryFormat(path);
    } catch (const AppError &) {
        return false;
    }
    if (!format || !format->document)
        format = DictionaryFormats::documentFormatFor(path);
    return format && load(path, *format);
}

// The entries read before an error stay in the document; the error is reported once the
// windows are usable again. A file that fails before its first entry (a malformed
// catalogue) is not opened: the open document stays. A two-line text always ends in the
// flat list sorted by number; the other formats keep the display mode, and a flat list
// keeps the order of the file.
bool DocumentSession::load(const QString &path, const DictionaryFormat &format)
{
    std::optional<ErrorReport> error;
    bool loaded = false;
    {
        BusyScope busy(*this, m_busy, QStringLiteral("正在打开..."));
        DictionaryDocument document;
        YieldClock clock;
        try {
            DocumentFiles::read(format, path, document, [&clock] { clock.yieldIfDue(); });
        } catch (const AppError &failure) {
            error = failure.reportAt(formLocation(QStringLiteral("frmMain"), format.document->readingProcedure));
        }
        loaded = !error || !document.isEmpty();
        if (loaded)
            takeDocument(path, std::move(document), format);
    }
    if (error)
        showErrorBox(m_messageParent, *error);
    return loaded;
}

void DocumentSession::takeDocument(const QString &path, DictionaryDocument document, const DictionaryFormat &format)
{
    m_statusFile.documentRead(path, document);
    m_checks.loadSettings(document);
    m_checks.checkAll(document);
    m_model.replaceDocument(std::move(document));
    m_edits.documentReplaced();
    if (format.document->sortedByNumber)
        m_model.showFlat();
    Q_EMIT documentLoaded();
}

bool DocumentSession::save(const QString &path)
{
    if (path.isEmpty()) {
        askUser(m_messageParent, QStringLiteral("保存的文件名为空"), MessageService::Buttons::Ok,
                MessageService::Icon::Critical);
        return false;
    }
    const bool withCompanion = !EditorSettings::noSaveExtra();
    if (withCompanion && !m_statusFile.confirmReplace(path, m_model.document(), m_messageParent))
        return false;
    EditSuppressed = true;
    QString failure;
    {
        BusyScope busy(*this, m_busy, QStringLiteral("正在保存..."));
        YieldClock clock;
        clock.yieldNow();
        failure = writeDocumentFiles(path, clock);
    }
    const bool saved = failure.isEmpty();
    if (saved && withCompanion)
        m_statusFile.documentSaved(path);
    if (saved)
        m_edits.documentSaved();
    else
        askUser(m_messageParent, failure, MessageService::Buttons::Ok, MessageService::Icon::Critical);
    EditSuppressed = false;
    return saved;
}

// The text of the box that reports a failure; empty when every file was written.
QString DocumentSession::writeDocumentFiles(const QString &path, YieldClock &clock)
{
    const DictionaryFormat *format = DictionaryFormats::documentFormatFor(path);
    if (!format)
        return QStringLiteral("文件扩展名不符:\r\n") + path;
    const DictionaryDocument &document = m_model.document();
    const QString companion = EditorSettings::noSaveExtra() ? QString() : DictionaryFormats::companionPath(path);
    try {
        // The companion is written on a second core meanwhile, from the same unchanging
        // document (the windows start no command; the number order both follow is worked
        // out first). Neither file replaces its target before both were written completely.
        document.orderByNumber();
        std::future<std::unique_ptr<DictionaryFileWriter>> companionJob;
        if (!companion.isEmpty())
            companionJob = std::async(std::launch::async, [&document, companion] {
                return DocumentFiles::writeUncommitted(document, companion,
                                                       *DictionaryFormats::documentFormatFor(companion), [] {});
            });
        const std::unique_ptr<DictionaryFileWriter> file =
                DocumentFiles::writeUncommitted(document, path, *format, [&clock] { clock.yieldIfDue(); });
        const std::unique_ptr<DictionaryFileWriter> companionFile = companionJob.valid() ? companionJob.get() : nullptr;
        file->commit();
        if (companionFile)
            companionFile->commit();
    } catch (const AppError &error) {
        return error.reportAt(formLocation(QStringLiteral("frmMain"), QStringLiteral("SaveDocument"))).boxText();
    }
    return QString();
}

void DocumentSession::applyCheckSettings()
{
    if (m_checks.loadSettings(m_model.document()))
        m_checks.checkAll(m_model.document());
}

void DocumentSession::applyImport(std::vector<EntryState> states)
{
    if (m_edits.apply(QStringLiteral("导入"), std::move(states)) > 0)
        Q_EMIT importApplied();
}

bool DocumentSession::saveAs(const QString &chosenName, int filterIndex)
{
    const QString name = saveAsName(chosenName, filterIndex);
    YieldClock().yieldNow();
    if (!save(name))
        return false;
    setPath(name);
    return true;
}

QString DocumentSession::saveAsName(QString chosenName, int filterIndex) const
{
    chosenName.remove(QChar(u'\0'));
    return DictionaryFormats::saveDocumentName(chosenName, filterIndex, m_model.document().readFormat());
}

QStringList DocumentSession::saveAsFilters() const
{
    return DictionaryFormats::saveDocumentFilters(m_model.document().readFormat());
}

int DocumentSession::saveAsFilterIndex() const
{
    return DictionaryFormats::saveDocumentFilterIndex(m_path, m_model.document().readFormat());
}

bool DocumentSession::hasEditorEnding(const QString &path)
{
    return DictionaryFormats::hasDocumentEnding(path);
}
