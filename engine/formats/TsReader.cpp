#include "TsReader.h"

#include "ErrorReport.h"
#include "TextFile.h"
#include "TsCatalogue.h"

#include <QStringDecoder>

namespace {

const QByteArray Utf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");
// Every version lupdate has written since Qt 4 reads the same.
const QStringList KnownVersions = {u"1.1"_qs, u"2.0"_qs, u"2.1"_qs};

TsType typeOf(QStringView type)
{
    if (type == u"unfinished")
        return TsType::Unfinished;
    if (type == u"vanished")
        return TsType::Vanished;
    if (type == u"obsolete")
        return TsType::Obsolete;
    return TsType::Finished;
}

QString *textField(TsMessage &message, QStringView name)
{
    const std::pair<QStringView, QString *> fields[] = {
        {u"source", &message.source},           {u"oldsource", &message.oldSource},
        {u"comment", &message.comment},         {u"oldcomment", &message.oldComment},
        {u"extracomment", &message.extraComment}, {u"translatorcomment", &message.translatorComment},
    };
    for (const auto &[fieldName, field] : fields) {
        if (fieldName == name)
            return field;
    }
    return nullptr;
}

// <byte value="x1b"/> or <byte value="27"/>; a zero or unreadable value stands for nothing.
QString byteValue(QStringView value)
{
    bool ok = false;
    const char32_t code = value.startsWith(u'x') ? value.mid(1).toUInt(&ok, 16) : value.toUInt(&ok, 10);
    if (!ok || code == 0 || code > 0x10FFFF)
        return {};
    return QString::fromUcs4(&code, 1);
}

// The line of the first byte that cannot stand in a UTF-8 XML file, or 0.
qint64 lineOfFirstBadByte(const QByteArray &bytes)
{
    if (TextCodec::isValidUtf8(bytes.constData(), bytes.size(), nullptr) && !bytes.contains('\0'))
        return 0;
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInvalidToNull);
    const QString text = decoder(bytes);
    return QStringView(text).left(text.indexOf(QChar(0))).count(u'\n') + 1;
}

}

void TsLocationResolver::startMessage()
{
    m_messageFile = m_currentFile;
    m_firstOfMessage = true;
}

TsLocation TsLocationResolver::resolve(QStringView fileName, QStringView line)
{
    if (!fileName.isEmpty()) {
        m_messageFile = fileName.toString();
        if (m_firstOfMessage)
            m_currentFile = m_messageFile;
    }
    m_firstOfMessage = false;
    TsLocation location{m_messageFile};
    bool ok = false;
    const int number = line.toInt(&ok);
    if (ok)
        location.line = line.startsWith(u'+') || line.startsWith(u'-') ? m_lines[m_messageFile] += number : number;
    return location;
}

Utf8Offsets::Utf8Offsets(const QByteArray &bytes) : m_bytes(bytes), m_byte(bytes.startsWith(Utf8Bom) ? 3 : 0)
{
}

qint64 Utf8Offsets::byteAt(qint64 unit)
{
    while (m_unit < unit && m_byte < m_bytes.size()) {
        const auto lead = static_cast<unsigned char>(m_bytes[m_byte]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        m_byte += length;
        m_unit += length == 4 ? 2 : 1;
    }
    return m_byte;
}

TsReader::TsReader(TsCatalogue &catalogue, const QString &fileName)
    : m_catalogue(catalogue), m_fileName(fileName), m_device(&catalogue.m_bytes), m_xml(&m_device),
      m_offsets(catalogue.m_bytes)
{
    m_device.open(QIODevice::ReadOnly);
}

void TsReader::read()
{
    checkBytes();
    const qsizetype messages = m_catalogue.m_bytes.count("<message");
    m_catalogue.m_messages.reserve(messages);
    m_catalogue.m_places.reserve(messages);
    while (!m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::StartDocument: checkDeclaredEncoding(); break;
        case QXmlStreamReader::DTD: m_catalogue.m_doctype = m_xml.dtdName().toString(); break;
        case QXmlStreamReader::StartElement: readRoot(); break;
        case QXmlStreamReader::Invalid: failXml();
        default: break;
        }
    }
    if (!m_inRoot)
        fail(QStringLiteral("不是 TS 文件: 没有根元素"));
}

// The next token of the element being read; a fault in the XML ends the reading.
QXmlStreamReader::TokenType TsReader::next()
{
    const QXmlStreamReader::TokenType token = m_xml.readNext();
    if (token == QXmlStreamReader::Invalid)
        failXml();
    return token;
}

void TsReader::readRoot()
{
    if (m_xml.name() != u"TS")
        fail(QStringLiteral("不是 TS 文件: 根元素是 <%1>").arg(m_xml.name()));
    m_inRoot = true;
    const QXmlStreamAttributes attributes = m_xml.attributes();
    m_catalogue.m_version = attributes.value(QLatin1String("version")).toString();
    if (!KnownVersions.contains(m_catalogue.m_version))
        fail(QStringLiteral("TS 版本“%1”未知(能读的版本: %2)")
                     .arg(m_catalogue.m_version, KnownVersions.join(u", ")));
    m_catalogue.m_language = attributes.value(QLatin1String("language")).toString();
    m_catalogue.m_sourceLanguage = attributes.value(QLatin1String("sourcelanguage")).toString();
    while (next() != QXmlStreamReader::EndElement) {
        if (!m_xml.isStartElement())
            continue;
        if (m_xml.name() == u"context")
            readContext();
        else if (m_xml.name().startsWith(u"extra-"))
            m_catalogue.m_extras.append(readExtra());
        else
            skipElement();
    }
}

void TsReader::readContext()
{
    const int index = int(m_catalogue.m_contexts.size());
    m_catalogue.m_contexts.append(TsContext());
    while (next() != QXmlStreamReader::EndElement) {
        if (!m_xml.isStartElement())
            continue;
        if (m_xml.name() == u"name")
            m_catalogue.m_contexts[index].name = readContents();
        else if (m_xml.name() == u"comment")
            m_catalogue.m_contexts[index].comment = readContents();
        else if (m_xml.name() == u"message")
            readMessage(index);
        else
            skipElement();
    }
}

void TsReader::readMessage(int context)
{
    TsMessage message{.context = context, .line = m_xml.lineNumber()};
    TsMessagePlace place{.span = {tagStart(), 0}};
    for (const QXmlStreamAttribute &attribute : m_xml.attributes()) {
        if (attribute.qualifiedName() == u"id")
            message.id = attribute.value().toString();
        else if (attribute.qualifiedName() == u"numerus")
            message.numerus = attribute.value() == u"yes";
        else
            place.messageAttributes.append({attribute.qualifiedName().toString(), attribute.value().toString()});
    }
    m_locations.startMessage();
    while (next() != QXmlStreamReader::EndElement) {
        if (!m_xml.isStartElement())
            continue;
        const QStringView name = m_xml.name();
        if (QString *text = textField(message, name)) {
            *text = readContents();
        } else if (name == u"location") {
            const QXmlStreamAttributes attributes = m_xml.attributes();
            const QStringView file = attributes.value(QLatin1String("filename"));
            message.locations.append(m_locations.resolve(file, attributes.value(QLatin1String("line"))));
            place.locations.append(skipElement());
        } else if (name == u"translation") {
            readTranslation(message, place);
        } else if (name.startsWith(u"extra-")) {
            message.extras.append(readExtra());
        } else {
            place.others.append(skipElement());
        }
    }
    place.span.end = tokenEnd();
    m_catalogue.m_messages.append(std::move(message));
    m_catalogue.m_places.append(std::move(place));
}

void TsReader::readTranslation(TsMessage &message, TsMessagePlace &place)
{
    for (const QXmlStreamAttribute &attribute : m_xml.attributes()) {
        if (attribute.qualifiedName() == u"type")
            message.type = typeOf(attribute.value());
        else if (attribute.qualifiedName() != u"variants")
            place.translationAttributes.append({attribute.qualifiedName().toString(), attribute.value().toString()});
    }
    message.translations = message.numerus ? readNumerusForms() : QStringList{readTranslationText()};
}

// A numerus translation holds only <numerusform> elements; none at all means that no
// form was made yet, as lupdate writes a message before it knows the language.
QStringList TsReader::readNumerusForms()
{
    QStringList forms;
    while (next() != QXmlStreamReader::EndElement) {
        if (m_xml.isCharacters() && !m_xml.isWhitespace())
            fail(QStringLiteral("复数消息的译文不在 <numerusform> 中"));
        if (!m_xml.isStartElement())
            continue;
        if (m_xml.name() != u"numerusform")
            fail(QStringLiteral("复数消息的译文中不应有 <%1>").arg(m_xml.name()));
        forms.append(readTranslationText());
    }
    return forms;
}

QString TsReader::readTranslationText()
{
    if (m_xml.attributes().value(QLatin1String("variants")) != u"yes")
        return readContents();
    QStringList variants;
    while (next() != QXmlStreamReader::EndElement) {
        if (!m_xml.isStartElement())
            continue;
        if (m_xml.name() != u"lengthvariant")
            fail(QStringLiteral("长度变体的译文中不应有 <%1>").arg(m_xml.name()));
        variants.append(readContents());
    }
    return variants.join(TsLayout::VariantSeparator);
}

// Text with its <byte value> elements resolved.
QString TsReader::readContents()
{
    QString text;
    while (next() != QXmlStreamReader::EndElement) {
        if (m_xml.isCharacters()) {
            text += m_xml.text();
        } else if (m_xml.isStartElement()) {
            if (m_xml.name() != u"byte")
                fail(QStringLiteral("文字中不应有 <%1>").arg(m_xml.name()));
            text += byteValue(m_xml.attributes().value(QLatin1String("value")));
            skipElement();
        }
    }
    return text;
}

TsExtra TsReader::readExtra()
{
    QString name = m_xml.name().mid(6).toString();
    return {std::move(name), readContents()};
}

// Passes over the current element and gives its bytes, from '<' to its end tag.
TsSpan TsReader::skipElement()
{
    const qint64 begin = tagStart();
    m_xml.skipCurrentElement();
    if (m_xml.hasError())
        failXml();
    return {begin, tokenEnd()};
}

qint64 TsReader::tokenEnd()
{
    return m_offsets.byteAt(m_xml.characterOffset());
}

// The '<' of the start tag just read: attribute values cannot hold one.
qint64 TsReader::tagStart()
{
    return m_catalogue.m_bytes.lastIndexOf('<', tokenEnd() - 1);
}

// QXmlStreamReader refuses bytes that are not UTF-8 but reads UTF-16 and UTF-32, whose
// offsets the catalogue's spans cannot follow; their ASCII characters hold NUL bytes.
void TsReader::checkBytes() const
{
    if (m_catalogue.m_bytes.contains('\0'))
        failEncoding();
}

void TsReader::failEncoding() const
{
    if (const qint64 line = lineOfFirstBadByte(m_catalogue.m_bytes))
        fail(line, QStringLiteral("不是 UTF-8 文本"));
}

void TsReader::checkDeclaredEncoding() const
{
    const QStringView encoding = m_xml.documentEncoding();
    if (!encoding.isEmpty()
        && QStringConverter::encodingForName(encoding.toLatin1().constData()) != QStringConverter::Utf8)
        fail(QStringLiteral("编码“%1”不受支持, 只读 UTF-8").arg(encoding));
}

void TsReader::failXml() const
{
    failEncoding();
    if (!m_inRoot)
        fail(QStringLiteral("不是 TS 文件: %1").arg(m_xml.errorString()));
    fail(QStringLiteral("XML 无效: %1").arg(m_xml.errorString()));
}

void TsReader::fail(const QString &detail) const
{
    fail(m_xml.lineNumber(), detail);
}

void TsReader::fail(qint64 line, const QString &detail) const
{
    throw AppError(TsCatalogue::MalformedError,
                   QStringLiteral("TS 文件格式错误: %1 第 %2 行: %3").arg(m_fileName).arg(line).arg(detail));
}
