#include "PoCatalogue.h"

#include "DictionaryEntry.h"
#include "ErrorReport.h"
#include "PoLayout.h"
#include "TextFile.h"

#include <QFileInfo>

PoCatalogue::PoCatalogue(QByteArray bytes, const QString &fileName)
    : m_bytes(std::move(bytes)), m_data(PoReader::read(m_bytes, fileName)),
      m_charset(m_data.charset)
{
}

PoCatalogue PoCatalogue::fromBytes(QByteArray bytes, const QString &fileName)
{
    return PoCatalogue(std::move(bytes), fileName);
}

PoCatalogue PoCatalogue::fromFile(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        Errors::raise(Errors::FileNotFound, path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Errors::raise(Errors::PathFileAccess, path);
    return PoCatalogue(file.readAll(), path);
}

int PoCatalogue::recordIndex(int index) const
{
    if (index < 0 || index >= count())
        Errors::raise(Errors::InvalidCall, QStringLiteral("第 %1 条").arg(index));
    return m_data.header >= 0 && index >= m_data.header ? index + 1 : index;
}

std::optional<QString> PoCatalogue::context(int index) const
{
    const PoRecord &entry = record(index);
    return entry.has(PoRecord::HasContext) ? std::optional(entry.context()) : std::nullopt;
}

std::optional<QString> PoCatalogue::msgidPlural(int index) const
{
    const PoRecord &entry = record(index);
    return entry.has(PoRecord::Plural) ? std::optional(entry.msgidPlural()) : std::nullopt;
}

PoNotes PoCatalogue::notesOf(int recordIndex) const
{
    if (const auto changed = m_changed.find(recordIndex); changed != m_changed.end())
        return changed->second;
    const PoRecord &entry = m_data.records[recordIndex];
    return PoReader::readNotes(QByteArrayView(m_bytes).sliced(entry.begin, entry.end - entry.begin), m_data.charset);
}

QStringList PoCatalogue::formatFlags(int index) const
{
    const int at = recordIndex(index);
    if (const auto changed = m_changed.find(at); changed != m_changed.end())
        return changed->second.flags.formats();
    const PoRecord &entry = m_data.records[at];
    return PoReader::readFlags(QByteArrayView(m_bytes).sliced(entry.begin, entry.end - entry.begin), m_data.charset)
        .formats();
}

PoMessage PoCatalogue::message(int index) const
{
    const int at = recordIndex(index);
    const PoRecord &entry = m_data.records[at];
    return {index, entry.line, entry.has(PoRecord::Obsolete), context(index), entry.msgid, msgidPlural(index),
            entry.forms(), notesOf(at)};
}

QString PoCatalogue::status(int index) const
{
    const PoRecord &entry = record(index);
    if (entry.has(PoRecord::NotToTranslate))
        return EntryStatus::NotToTranslate;
    const auto isEmpty = [](const QString &form) { return form.isEmpty(); };
    const QStringList laterForms = entry.laterForms();
    if (entry.translation.isEmpty() && std::all_of(laterForms.begin(), laterForms.end(), isEmpty))
        return EntryStatus::Untranslated;
    return entry.has(PoRecord::Fuzzy) ? EntryStatus::Review : EntryStatus::Translated;
}

PoNotes &PoCatalogue::change(int index)
{
    const int at = recordIndex(index);
    if (m_data.records[at].has(PoRecord::Obsolete))
        Errors::raise(Errors::InvalidCall, QStringLiteral("过时条目不能修改"));
    auto changed = m_changed.find(at);
    if (changed == m_changed.end())
        changed = m_changed.emplace(at, notesOf(at)).first;
    return changed->second;
}

void PoCatalogue::syncBits(int recordIndex)
{
    PoRecord &entry = m_data.records[recordIndex];
    const PoNotes &notes = m_changed.at(recordIndex);
    entry.set(PoRecord::Fuzzy, notes.flags.isFuzzy());
    entry.set(PoRecord::NotToTranslate, notes.translatorComments.contains(PoNotToTranslateComment));
}

void PoCatalogue::setStatus(int index, const QString &status)
{
    if (!EntryStatus::isStatus(status))
        Errors::raise(Errors::InvalidPropertyValue, status);
    const bool review = status == EntryStatus::Review;
    setFuzzy(index, review);
    removeTranslatorComment(index, PoNotToTranslateComment);
    if (status == EntryStatus::NotToTranslate)
        addTranslatorComment(index, PoNotToTranslateComment);
    if (status == EntryStatus::Untranslated)
        setTranslation(index, QString());
}

void PoCatalogue::setTranslation(int index, const QString &text)
{
    change(index);
    PoRecord &entry = m_data.records[recordIndex(index)];
    qsizetype forms = 1;
    if (entry.has(PoRecord::Plural))
        forms = m_data.pluralCount > 0 ? m_data.pluralCount : entry.formCount();
    entry.setForms(forms, text);
}

void PoCatalogue::setFuzzy(int index, bool fuzzy)
{
    PoNotes &notes = change(index);
    notes.flags.setFuzzy(fuzzy);
    if (!fuzzy)
        notes.previous = PoPrevious();
    syncBits(recordIndex(index));
}

void PoCatalogue::addTranslatorComment(int index, const QString &comment)
{
    change(index).translatorComments.append(comment);
    syncBits(recordIndex(index));
}

void PoCatalogue::removeTranslatorComment(int index, const QString &comment)
{
    change(index).translatorComments.removeAll(comment);
    syncBits(recordIndex(index));
}

QString PoCatalogue::headerField(const QString &name) const
{
    if (!hasHeader())
        return QString();
    const QString prefix = name + u':';
    for (QStringView line : QStringView(m_data.records[m_data.header].translation).split(u'\n')) {
        if (line.startsWith(prefix))
            return line.sliced(prefix.size()).trimmed().toString();
    }
    return QString();
}

void PoCatalogue::setHeaderField(const QString &name, const QString &value)
{
    if (!hasHeader())
        Errors::raise(Errors::InvalidCall, QStringLiteral("文件没有文件头"));
    QString fields = m_data.records[m_data.header].translation;
    const QString prefix = name + u':';
    const QString line = prefix + u' ' + value;
    const qsizetype found = fields.startsWith(prefix) ? 0 : fields.indexOf(u'\n' + prefix);
    if (found < 0) {
        if (!fields.isEmpty() && !fields.endsWith(u'\n'))
            fields += u'\n';
        fields += line + u'\n';
    } else {
        const qsizetype start = found == 0 && fields.startsWith(prefix) ? 0 : found + 1;
        const qsizetype end = fields.indexOf(u'\n', start);
        fields.replace(start, (end < 0 ? fields.size() : end) - start, line);
    }
    const QByteArray header = fields.toUtf8();
    const QByteArray charsetName = PoReader::charsetName(header);
    const std::optional<PoCharset> charset = charsetName.isEmpty() ? m_charset : PoCharset::fromName(charsetName);
    if (!charset)
        Errors::raise(Errors::InvalidPropertyValue, QString::fromLatin1(charsetName));
    if (m_changed.find(m_data.header) == m_changed.end())
        m_changed.emplace(m_data.header, notesOf(m_data.header));
    m_data.records[m_data.header].translation = fields;
    m_charset = *charset;
    m_data.pluralCount = PoReader::pluralCount(header);
}

void PoCatalogue::declareTemplateCharset()
{
    const QString field = QStringLiteral("Content-Type");
    const QString placeholder = QStringLiteral("charset=CHARSET");
    const QString type = headerField(field);
    if (type.contains(placeholder))
        setHeaderField(field, QString(type).replace(placeholder, QStringLiteral("charset=UTF-8")));
}

QByteArray PoCatalogue::layOut(int recordIndex, const PoNotes &notes) const
{
    const PoRecord &entry = m_data.records[recordIndex];
    QString text = PoLayout(m_charset).message(entry, notes);
    // The entry keeps the line ends its old lines had.
    const qsizetype lineEnd = m_bytes.indexOf('\n', entry.begin);
    if (lineEnd > entry.begin && m_bytes[lineEnd - 1] == '\r')
        text.replace(u'\n', QStringLiteral("\r\n"));
    std::optional<QByteArray> bytes = m_charset.encode(text);
    if (!bytes)
        Errors::raise(Errors::InvalidPropertyValue,
                      QStringLiteral("第 %1 行的条目含有字符集 %2 无法表示的字符")
                          .arg(entry.line)
                          .arg(QString::fromLatin1(m_charset.name())));
    return std::move(*bytes);
}

QByteArray PoCatalogue::converted(QByteArrayView bytes) const
{
    std::optional<QByteArray> result = m_charset.encode(m_data.charset.decode(bytes));
    if (!result)
        Errors::raise(Errors::InvalidPropertyValue, QStringLiteral("文件中有字符集 %1 无法表示的字符")
                                                        .arg(QString::fromLatin1(m_charset.name())));
    return std::move(*result);
}

void PoCatalogue::write(QIODevice &device) const
{
    // All that can fail happens before the first byte is written: laying out the changed
    // entries and, after a change of the header's charset, converting the rest.
    const bool convert = m_charset.name() != m_data.charset.name();
    std::vector<QByteArray> made;
    made.reserve(2 * m_changed.size() + 1);
    std::vector<QByteArrayView> pieces;
    auto unchanged = [&](qsizetype begin, qsizetype end) {
        const QByteArrayView bytes = QByteArrayView(m_bytes).sliced(begin, end - begin);
        pieces.push_back(convert ? QByteArrayView(made.emplace_back(converted(bytes))) : bytes);
    };
    qsizetype written = 0;
    for (const auto &[at, notes] : m_changed) {
        unchanged(written, m_data.records[at].begin);
        pieces.push_back(made.emplace_back(layOut(at, notes)));
        written = m_data.records[at].end;
    }
    unchanged(written, m_bytes.size());
    for (const QByteArrayView piece : pieces) {
        if (device.write(piece.data(), piece.size()) != piece.size())
            raiseWriteFailure(qobject_cast<QFileDevice *>(&device));
    }
}

void PoCatalogue::save(const QString &path) const
{
    saveWhole(path, [this](QIODevice &file) { write(file); });
}
