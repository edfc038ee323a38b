#include "TsLayout.h"

#include <QLocale>

#include <algorithm>
#include <vector>

namespace {

const QString MessageIndent = QStringLiteral("        ");
const QString FormIndent = QStringLiteral("            ");

QString element(QStringView name, QStringView text)
{
    return u'<' + name.toString() + u'>' + TsLayout::escaped(text) + u"</"_qs + name.toString() + u'>';
}

QString attribute(QStringView name, QStringView value)
{
    return u' ' + name.toString() + u"=\""_qs + TsLayout::escaped(value) + u'"';
}

QString typeAttribute(TsType type)
{
    switch (type) {
    case TsType::Unfinished: return QStringLiteral(" type=\"unfinished\"");
    case TsType::Vanished: return QStringLiteral(" type=\"vanished\"");
    case TsType::Obsolete: return QStringLiteral(" type=\"obsolete\"");
    case TsType::Finished: break;
    }
    return {};
}

// The rest of a start tag and the text; length variants get a line each.
QString textWithVariants(QStringView text, const QString &indent, const QString &lineEnd)
{
    if (!text.contains(TsLayout::VariantSeparator))
        return u'>' + TsLayout::escaped(text);
    QString out = QStringLiteral(" variants=\"yes\">");
    for (const QStringView variant : text.split(TsLayout::VariantSeparator))
        out += lineEnd + u"    "_qs + indent + element(u"lengthvariant", variant);
    return out + lineEnd + indent;
}

QString translationElement(const TsMessage &message, const TsMessagePlace &place, const QString &lineEnd)
{
    QString out = u"<translation"_qs + typeAttribute(message.type);
    for (const TsAttribute &other : place.translationAttributes)
        out += attribute(other.name, other.value);
    if (!message.numerus)
        return out + textWithVariants(message.translations.value(0), MessageIndent, lineEnd) + u"</translation>"_qs;
    out += u'>';
    for (const QString &form : message.translations)
        out += lineEnd + FormIndent + u"<numerusform"_qs + textWithVariants(form, FormIndent, lineEnd)
             + u"</numerusform>"_qs;
    return out + lineEnd + MessageIndent + u"</translation>"_qs;
}

// Sorted by their text, as lupdate writes them.
QStringList extraElements(const QList<TsExtra> &extras)
{
    QStringList elements;
    for (const TsExtra &extra : extras)
        elements.append(element(u"extra-"_qs + extra.name, extra.value));
    elements.sort();
    return elements;
}

struct FormCount {
    int forms;
    std::vector<QLocale::Language> languages;
};

// The languages Qt's tools know, by the number of numerus forms they give them.
const std::vector<FormCount> &formCounts()
{
    using enum QLocale::Language;
    static const std::vector<FormCount> table = {
        {1, {Bislama, Burmese, Chinese, Dzongkha, Fijian, Guarani, Hungarian, Indonesian, Japanese, Javanese, Korean,
             Malay, NauruLanguage, Oromo, Persian, Sundanese, Tatar, Thai, Tibetan, Turkish, Vietnamese, Yoruba,
             Zhuang}},
        {2, {Abkhazian, Afar, Afrikaans, Albanian, Amharic, Assamese, Aymara, Azerbaijani, Bashkir, Basque, Bengali,
             Bulgarian, Catalan, Cornish, Corsican, Danish, Dutch, English, Esperanto, Estonian, Faroese, Finnish,
             Friulian, WesternFrisian, Galician, Georgian, German, Greek, Greenlandic, Gujarati, Hausa, Hebrew, Hindi,
             Interlingua, Interlingue, Italian, Kannada, Kashmiri, Kazakh, Khmer, Kinyarwanda, Kirghiz, Kurdish, Lao,
             Latin, Lingala, Luxembourgish, Malagasy, Malayalam, Marathi, Mongolian, Nepali, NorthernSotho,
             NorwegianBokmal, NorwegianNynorsk, Occitan, Oriya, Pashto, Portuguese, Punjabi, Quechua, Romansh, Rundi,
             Shona, Sindhi, Sinhala, Somali, SouthernSotho, Spanish, Swahili, Swati, Swedish, Tajik, Tamil, Telugu,
             Tongan, Tsonga, Tswana, Turkmen, Uigur, Urdu, Uzbek, Volapuk, Wolof, Xhosa, Yiddish, Zulu, Armenian,
             Breton, French, Filipino, Tigrinya, Walloon, Icelandic}},
        {3, {Latvian, Divehi, Inuktitut, Inupiak, Irish, Manx, Maori, NorthernSami, Samoan, Sanskrit, Slovak, Czech,
             Macedonian, Lithuanian, Bosnian, Belarusian, Croatian, Russian, Serbian, Ukrainian, Polish, Romanian}},
        {4, {Gaelic, Slovenian, Maltese}},
        {5, {Welsh}},
        {6, {Arabic}},
    };
    return table;
}

class MessageText {
public:
    MessageText(const QByteArray &file, const QString &lineEnd) : m_file(file), m_lineEnd(lineEnd) {}

    void line(const QString &text) { m_out += (MessageIndent + text + m_lineEnd).toUtf8(); }
    void optional(QStringView name, const QString &text)
    {
        if (!text.isEmpty())
            line(element(name, text));
    }
    void kept(const QList<TsSpan> &spans)
    {
        for (const TsSpan &span : spans)
            line(QString::fromUtf8(m_file.mid(span.begin, span.end - span.begin)));
    }
    QByteArray finish(const QString &start)
    {
        return (start + m_lineEnd).toUtf8() + m_out + "    </message>";
    }

private:
    const QByteArray &m_file;
    const QString &m_lineEnd;
    QByteArray m_out;
};

}

namespace TsLayout {

QString escaped(QStringView text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case u'"': out += u"&quot;"_qs; break;
        case u'&': out += u"&amp;"_qs; break;
        case u'>': out += u"&gt;"_qs; break;
        case u'<': out += u"&lt;"_qs; break;
        case u'\'': out += u"&apos;"_qs; break;
        default:
            if (ch.unicode() < 0x20 && ch != u'\n' && ch != u'\t')
                out += QStringLiteral("<byte value=\"x%1\"/>").arg(ch.unicode(), 0, 16);
            else if (ch.unicode() > 0x7F && ch.isSpace())
                out += QStringLiteral("&#x%1;").arg(ch.unicode(), 0, 16);
            else
                out += ch;
        }
    }
    return out;
}

int numerusFormCount(const QString &languageCode)
{
    const QLocale::Language language = languageCode.isEmpty() ? QLocale::C : QLocale(languageCode).language();
    for (const FormCount &count : formCounts()) {
        if (std::find(count.languages.begin(), count.languages.end(), language) != count.languages.end())
            return count.forms;
    }
    return 1;
}

QByteArray message(const TsMessage &message, const TsMessagePlace &place, const QByteArray &file,
                   QByteArrayView lineEnd)
{
    const QString end = QString::fromLatin1(lineEnd);
    QString start = u"<message"_qs;
    if (!message.id.isEmpty())
        start += attribute(u"id"_qs, message.id);
    if (message.numerus)
        start += u" numerus=\"yes\""_qs;
    for (const TsAttribute &other : place.messageAttributes)
        start += attribute(other.name, other.value);
    start += u'>';

    MessageText text(file, end);
    text.kept(place.locations);
    text.line(element(u"source", message.source));
    text.optional(u"oldsource", message.oldSource);
    text.optional(u"comment", message.comment);
    text.optional(u"oldcomment", message.oldComment);
    text.optional(u"extracomment", message.extraComment);
    text.optional(u"translatorcomment", message.translatorComment);
    text.line(translationElement(message, place, end));
    for (const QString &extra : extraElements(message.extras))
        text.line(extra);
    text.kept(place.others);
    return text.finish(start);
}

}
