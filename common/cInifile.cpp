#include "cInifile.h"

#include "ErrorReport.h"
#include "NumericText.h"
#include "TextFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QTimer>

#include <deque>
#include <functional>
#include <limits>
#include <optional>

#include <sys/stat.h>

namespace {

// The lines of an INI file as read, and where its sections and keys stand.
class IniText {
public:
    IniText() = default;
    explicit IniText(const QString &path)
    {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            m_encoding = TextCodec::detect(file);
            LineReader reader(file, m_encoding);
            QString line;
            while (reader.readLine(line))
                m_lines.append(line);
        }
        reindex();
    }

    // Index of the first "[section]" line of that name, or -1.
    qsizetype findSection(const QString &section) const
    {
        return m_sections.value(section.toCaseFolded(), -1);
    }

    // One past the last line of the section that starts at this line.
    qsizetype sectionEnd(qsizetype sectionLine) const
    {
        qsizetype i = sectionLine + 1;
        while (i < m_lines.size() && !sectionName(m_lines[i]))
            ++i;
        return i;
    }

    // Index of the first line of the key in the section, or -1.
    qsizetype findKey(qsizetype sectionLine, const QString &key) const
    {
        auto keys = m_keys.find(sectionLine);
        if (keys == m_keys.end())
            keys = m_keys.insert(sectionLine, indexKeys(sectionLine));
        return keys->value(key.toCaseFolded(), -1);
    }

    QStringList keysOf(qsizetype sectionLine) const
    {
        QStringList keys;
        const qsizetype end = sectionEnd(sectionLine);
        for (qsizetype i = sectionLine + 1; i < end; ++i) {
            if (const std::optional<QString> name = keyName(m_lines[i]))
                keys.append(*name);
        }
        return keys;
    }

    QStringList sectionNames() const
    {
        QStringList names;
        for (const QString &line : m_lines) {
            if (const std::optional<QString> name = sectionName(line))
                names.append(*name);
        }
        return names;
    }

    static std::optional<QString> sectionName(const QString &line)
    {
        const QString text = line.trimmed();
        if (!text.startsWith(u'['))
            return std::nullopt;
        const qsizetype close = text.indexOf(u']');
        if (close < 0)
            return std::nullopt;
        return text.mid(1, close - 1).trimmed();
    }

    static std::optional<QString> keyName(const QString &line)
    {
        const QString text = line.trimmed();
        const qsizetype equals = text.indexOf(u'=');
        if (equals <= 0 || text.startsWith(u';'))
            return std::nullopt;
        return text.left(equals).trimmed();
    }

    static QString valueOf(const QString &line)
    {
        QString value = line.mid(line.indexOf(u'=') + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
            value = value.mid(1, value.size() - 2);
        return value;
    }

    const QString &line(qsizetype i) const { return m_lines[i]; }
    void setLine(qsizetype i, const QString &text) { m_lines[i] = text; }
    // Moves the sections below down instead of reading every line again: a large file
    // gets several new keys at once when a window saves its settings.
    void insertLine(qsizetype i, const QString &text)
    {
        m_lines.insert(i, text);
        m_keys.clear();
        for (qsizetype &sectionLine : m_sections) {
            if (sectionLine >= i)
                ++sectionLine;
        }
        const std::optional<QString> name = sectionName(text);
        if (name && m_sections.value(name->toCaseFolded(), i + 1) > i)
            m_sections.insert(name->toCaseFolded(), i);
    }
    void removeLines(qsizetype from, qsizetype count)
    {
        m_lines.remove(from, count);
        reindex();
    }
    qsizetype lineCount() const { return m_lines.size(); }

    void save(const QString &path) const
    {
        TextFileWriter writer(path, m_encoding);
        for (const QString &line : m_lines)
            writer.lines().writeLine(line);
        writer.commit();
    }

private:
    void reindex()
    {
        m_sections.clear();
        m_keys.clear();
        // A name that occurs twice means its first occurrence.
        for (qsizetype i = 0; i < m_lines.size(); ++i) {
            const std::optional<QString> name = sectionName(m_lines[i]);
            if (name && !m_sections.contains(name->toCaseFolded()))
                m_sections.insert(name->toCaseFolded(), i);
        }
    }

    QHash<QString, qsizetype> indexKeys(qsizetype sectionLine) const
    {
        QHash<QString, qsizetype> keys;
        const qsizetype end = sectionEnd(sectionLine);
        for (qsizetype i = sectionLine + 1; i < end; ++i) {
            const std::optional<QString> name = keyName(m_lines[i]);
            if (name && !keys.contains(name->toCaseFolded()))
                keys.insert(name->toCaseFolded(), i);
        }
        return keys;
    }

    QStringList m_lines;
    TextEncoding m_encoding = TextEncoding::Gb18030;
    QHash<QString, qsizetype> m_sections;
    mutable QHash<qsizetype, QHash<QString, qsizetype>> m_keys;
};

// What tells a changed file from the one read before: a save through a temporary
// file gives a new inode, another writer a new size or change time.
struct FileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    static FileStamp of(const QString &path)
    {
        FileStamp stamp;
        struct stat info;
        if (::stat(QFile::encodeName(path).constData(), &info) != 0)
            return stamp;
        stamp = {true, info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
        return stamp;
    }

    bool operator==(const FileStamp &other) const
    {
        const auto same = [](const timespec &a, const timespec &b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; };
        return exists == other.exists && device == other.device && inode == other.inode && size == other.size
            && same(modified, other.modified) && same(changed, other.changed);
    }
};

// The files read lately, each kept until it changes on disk, so that a run of
// reads (a window loading its settings) reads and decodes a large file only once.
// The texts are let go when control returns to the event loop: a run of calls has
// ended there, and a large file is not held for the life of the program. A file whose
// writes are held back stays, with its unwritten changes, until they are written.
class IniCache {
public:
    static IniCache &instance()
    {
        static IniCache cache;
        return cache;
    }

    const IniText &text(const QString &path)
    {
        const FileStamp stamp = FileStamp::of(path);
        for (Entry &entry : m_entries) {
            if (entry.path == path) {
                if (!entry.heldBack && !(entry.stamp == stamp))
                    entry = {path, stamp, IniText(path)};
                return entry.text;
            }
        }
        if (m_entries.size() >= MaxFiles && !m_entries.front().heldBack)
            m_entries.pop_front();
        m_entries.push_back({path, stamp, IniText(path)});
        releaseAtEndOfRun();
        return m_entries.back().text;
    }

    // Changes the file's text where it is kept and writes it, unless the file's writes
    // are held back. False when the file could not be written; the text is then let
    // go, so that the next read sees the file as it is.
    bool edit(const QString &path, const std::function<void(IniText &)> &change)
    {
        text(path);
        Entry *entry = find(path);
        change(entry->text);
        if (entry->heldBack) {
            entry->changed = true;
            return true;
        }
        return write(*entry);
    }

    void holdBack(const QString &path)
    {
        text(path);
        find(path)->heldBack = true;
    }

    // Writes what was held back, once; false when the file could not be written.
    bool release(const QString &path)
    {
        Entry *entry = find(path);
        if (!entry || !entry->heldBack)
            return true;
        entry->heldBack = false;
        return !std::exchange(entry->changed, false) || write(*entry);
    }

private:
    struct Entry {
        QString path;
        FileStamp stamp;
        IniText text;
        bool heldBack = false;
        bool changed = false;
    };

    bool write(Entry &entry)
    {
        try {
            entry.text.save(entry.path);
        } catch (const AppError &) {
            std::erase_if(m_entries, [&entry](const Entry &kept) { return &kept == &entry; });
            return false;
        }
        entry.stamp = FileStamp::of(entry.path);
        return true;
    }

    Entry *find(const QString &path)
    {
        for (Entry &entry : m_entries) {
            if (entry.path == path)
                return &entry;
        }
        return nullptr;
    }

    void releaseAtEndOfRun()
    {
        if (m_releaseDue || !QCoreApplication::instance())
            return;
        m_releaseDue = true;
        QTimer::singleShot(0, QCoreApplication::instance(), [this] {
            std::erase_if(m_entries, [](const Entry &entry) { return !entry.heldBack; });
            m_releaseDue = false;
        });
    }

    static constexpr qsizetype MaxFiles = 4;
    bool m_releaseDue = false;
    std::deque<Entry> m_entries;
};

// Outer blanks and quotes would be taken off on reading, so such values are quoted.
QString storedForm(const QString &value)
{
    const bool needsQuotes = !value.isEmpty()
        && (value.front().isSpace() || value.back().isSpace() || value.front() == u'"');
    return needsQuotes ? u'"' + value + u'"' : value;
}

// 1 when the file was written, 0 when it could not be: a failed write raises nothing.
int editText(const QString &path, const std::function<void(IniText &)> &change)
{
    return IniCache::instance().edit(path, change) ? 1 : 0;
}

const IniText &cachedText(const QString &path)
{
    return IniCache::instance().text(path);
}

QString joinWithNul(const QStringList &names)
{
    QString text;
    for (const QString &name : names)
        text += name + QChar(0);
    return text;
}

}

cInifile::cInifile(const QString &path, const QString &section) : m_path(path), m_section(section)
{
}

QString cInifile::value() const
{
    const IniText &text = cachedText(m_path);
    const qsizetype section = text.findSection(m_section);
    if (section < 0)
        return m_default;
    const qsizetype key = text.findKey(section, m_key);
    return key < 0 ? m_default : IniText::valueOf(text.line(key));
}

QString cInifile::value(const QString &key)
{
    m_key = key;
    return value();
}

void cInifile::setValue(const QString &key, const QString &value)
{
    m_key = key;
    setValue(value);
}

void cInifile::setValue(const QString &value)
{
    QString clean = value;
    // A line break would start a new key line; NUL ends the text in the old functions.
    clean.remove(QChar(0)).remove(u'\r').remove(u'\n');
    const QString stored = u'=' + storedForm(clean);
    m_lastReturnCode = editText(m_path, [this, &stored](IniText &text) {
        qsizetype section = text.findSection(m_section);
        if (section < 0) {
            section = text.lineCount();
            text.insertLine(section, u'[' + m_section + u']');
        }
        const qsizetype key = text.findKey(section, m_key.trimmed());
        if (key >= 0) {
            text.setLine(key, *IniText::keyName(text.line(key)) + stored);
            return;
        }
        qsizetype at = text.sectionEnd(section);
        while (at > section + 1 && text.line(at - 1).trimmed().isEmpty())
            --at;
        text.insertLine(at, m_key.trimmed() + stored);
    });
}

QString cInifile::INISection() const
{
    return joinWithNul(EnumerateCurrentSection());
}

QString cInifile::sections() const
{
    return joinWithNul(EnumerateAllSections());
}

QStringList cInifile::EnumerateCurrentSection() const
{
    const IniText &text = cachedText(m_path);
    const qsizetype section = text.findSection(m_section);
    return section < 0 ? QStringList() : text.keysOf(section);
}

QStringList cInifile::EnumerateAllSections() const
{
    return cachedText(m_path).sectionNames();
}

void cInifile::DeleteKey()
{
    m_lastReturnCode = editText(m_path, [this](IniText &text) {
        const qsizetype section = text.findSection(m_section);
        const qsizetype key = section < 0 ? -1 : text.findKey(section, m_key);
        if (key >= 0)
            text.removeLines(key, 1);
    });
}

void cInifile::DeleteSection()
{
    m_lastReturnCode = editText(m_path, [this](IniText &text) {
        const qsizetype section = text.findSection(m_section);
        if (section >= 0)
            text.removeLines(section, text.sectionEnd(section) - section);
    });
}

int cInifile::CLngDefault(const QString &text, int fallback)
{
    return wholeNumberValue(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()).value_or(fallback);
}

void writeIniValue(cInifile &ini, const QString &key, const QString &value)
{
    ini.setValue(key, value);
    if (!ini.success())
        Errors::raise(Errors::PathFileAccess, ini.path());
}

IniWriteBatch::IniWriteBatch(const QString &path) : m_path(path)
{
    IniCache::instance().holdBack(path);
}

IniWriteBatch::~IniWriteBatch()
{
    commit();
}

bool IniWriteBatch::commit()
{
    return IniCache::instance().release(m_path);
}
