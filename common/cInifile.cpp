#include "cInifile.h"

#include "ErrorReport.h"
#include "NumericText.h"
#include "TextFile.h"

#include <QFile>

#include <cmath>
#include <optional>

namespace {

// The lines of an INI file as read, and where its sections and keys stand.
class IniText {
public:
    explicit IniText(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return;
        m_encoding = TextCodec::detect(file);
        LineReader reader(file, m_encoding);
        QString line;
        while (reader.readLine(line))
            m_lines.append(line);
    }

    // Index of the "[section]" line, or -1.
    qsizetype findSection(const QString &section) const
    {
        for (qsizetype i = 0; i < m_lines.size(); ++i) {
            const std::optional<QString> name = sectionName(m_lines[i]);
            if (name && name->compare(section, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    }

    // One past the last line of the section that starts at this line.
    qsizetype sectionEnd(qsizetype sectionLine) const
    {
        qsizetype i = sectionLine + 1;
        while (i < m_lines.size() && !sectionName(m_lines[i]))
            ++i;
        return i;
    }

    qsizetype findKey(qsizetype sectionLine, const QString &key) const
    {
        const qsizetype end = sectionEnd(sectionLine);
        for (qsizetype i = sectionLine + 1; i < end; ++i) {
            const std::optional<QString> name = keyName(m_lines[i]);
            if (name && name->compare(key, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
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

    QStringList &lines() { return m_lines; }
    const QString &line(qsizetype i) const { return m_lines[i]; }

    void save(const QString &path) const
    {
        TextFileWriter writer(path, m_encoding);
        for (const QString &line : m_lines)
            writer.lines().writeLine(line);
        writer.commit();
    }

private:
    QStringList m_lines;
    TextEncoding m_encoding = TextEncoding::Gb18030;
};

// Outer blanks and quotes would be taken off on reading, so such values are quoted.
QString storedForm(const QString &value)
{
    const bool needsQuotes = !value.isEmpty()
        && (value.front().isSpace() || value.back().isSpace() || value.front() == u'"');
    return needsQuotes ? u'"' + value + u'"' : value;
}

// 1 when the file was written, 0 when it could not be: a failed write raises nothing.
int saveText(const IniText &text, const QString &path)
{
    try {
        text.save(path);
        return 1;
    } catch (const AppError &) {
        return 0;
    }
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
    const IniText text(m_path);
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
    IniText text(m_path);
    const QString stored = u'=' + storedForm(clean);
    qsizetype section = text.findSection(m_section);
    if (section < 0) {
        text.lines().append(u'[' + m_section + u']');
        section = text.lines().size() - 1;
    }
    const qsizetype key = text.findKey(section, m_key.trimmed());
    if (key >= 0) {
        text.lines()[key] = *IniText::keyName(text.line(key)) + stored;
    } else {
        const QString entry = m_key.trimmed() + stored;
        qsizetype at = text.sectionEnd(section);
        while (at > section + 1 && text.line(at - 1).trimmed().isEmpty())
            --at;
        text.lines().insert(at, entry);
    }
    m_lastReturnCode = saveText(text, m_path);
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
    const IniText text(m_path);
    const qsizetype section = text.findSection(m_section);
    return section < 0 ? QStringList() : text.keysOf(section);
}

QStringList cInifile::EnumerateAllSections() const
{
    return IniText(m_path).sectionNames();
}

void cInifile::DeleteKey()
{
    IniText text(m_path);
    const qsizetype section = text.findSection(m_section);
    const qsizetype key = section < 0 ? -1 : text.findKey(section, m_key);
    if (key >= 0)
        text.lines().removeAt(key);
    m_lastReturnCode = saveText(text, m_path);
}

void cInifile::DeleteSection()
{
    IniText text(m_path);
    const qsizetype section = text.findSection(m_section);
    if (section >= 0)
        text.lines().remove(section, text.sectionEnd(section) - section);
    m_lastReturnCode = saveText(text, m_path);
}

int cInifile::CLngDefault(const QString &text, int fallback)
{
    const std::optional<double> number = numericValue(text);
    if (!number || *number > 2147483647.0 || *number < -2147483648.0)
        return fallback;
    return static_cast<int>(std::nearbyint(*number));
}

void writeIniValue(cInifile &ini, const QString &key, const QString &value)
{
    ini.setValue(key, value);
    if (!ini.success())
        Errors::raise(Errors::PathFileAccess, ini.path());
}
