#include "PoCharset.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace {

// Sets whose characters need more than the platform's converter: the canonical name
// gettext gives them, the lexer's view of their bytes and the width of their text.
struct KnownSet {
    const char *alias;
    const char *name;
    PoCharset::Lead lead;
    PoCharset::Trail trail;
    bool wide;
};

using Lead = PoCharset::Lead;
using Trail = PoCharset::Trail;

constexpr std::array<KnownSet, 16> KnownSets{{
    {"UTF-8", "UTF-8", Lead::Single, Trail::Any, false},
    {"UTF8", "UTF-8", Lead::Single, Trail::Any, false},
    {"GB2312", "GB2312", Lead::Single, Trail::Gb2312, true},
    {"EUC-CN", "GB2312", Lead::Single, Trail::Gb2312, true},
    {"GBK", "GBK", Lead::Pairs, Trail::Gbk, true},
    {"CP936", "GBK", Lead::Pairs, Trail::Gbk, true},
    {"GB18030", "GB18030", Lead::Pairs, Trail::Any, false},
    {"BIG5", "BIG5", Lead::Pairs, Trail::Big5, true},
    {"CP950", "CP950", Lead::Pairs, Trail::Big5, false},
    {"BIG5-HKSCS", "BIG5-HKSCS", Lead::Pairs, Trail::Big5, false},
    {"SHIFT_JIS", "SHIFT_JIS", Lead::ShiftJis, Trail::Any, false},
    {"CP932", "CP932", Lead::ShiftJis, Trail::Any, false},
    {"EUC-JP", "EUC-JP", Lead::Single, Trail::Any, true},
    {"EUC-KR", "EUC-KR", Lead::Single, Trail::Any, true},
    {"EUC-TW", "EUC-TW", Lead::Single, Trail::Any, true},
    {"CP949", "CP949", Lead::Pairs, Trail::Any, true},
}};

bool inRange(unsigned char byte, unsigned char low, unsigned char high)
{
    return byte >= low && byte <= high;
}

}

PoCharset::PoCharset()
    : m_name("UTF-8"),
      m_decoder(std::make_shared<QStringDecoder>(QStringDecoder::Utf8, QStringConverter::Flag::Stateless)),
      m_encoder(std::make_shared<QStringEncoder>(QStringEncoder::Utf8, QStringConverter::Flag::Stateless))
{
}

std::optional<PoCharset> PoCharset::fromName(const QByteArray &declared)
{
    QByteArray name = declared.trimmed().toUpper();
    if (name.isEmpty() || name == "CHARSET")
        return PoCharset();
    if (name == "ASCII" || name == "US-ASCII" || name == "ANSI_X3.4-1968")
        name = "ASCII";
    PoCharset charset;
    for (const KnownSet &known : KnownSets) {
        if (name == known.alias) {
            name = known.name;
            charset.m_lead = known.lead;
            charset.m_trail = known.trail;
            charset.m_wideCharacters = known.wide;
        }
    }
    charset.m_name = name;
    charset.m_utf8 = name == "UTF-8";
    if (charset.m_utf8)
        return charset;
    const QByteArray converterName = name == "ASCII" ? QByteArray("US-ASCII") : name;
    charset.m_decoder = std::make_shared<QStringDecoder>(converterName.constData(), QStringConverter::Flag::Stateless);
    charset.m_encoder = std::make_shared<QStringEncoder>(converterName.constData(), QStringConverter::Flag::Stateless);
    if (!charset.m_decoder->isValid() || !charset.m_encoder->isValid())
        return std::nullopt;
    return charset;
}

qsizetype PoCharset::characterLength(const char *at, const char *end) const
{
    const auto lead = static_cast<unsigned char>(*at);
    if (lead < 0x80 || m_lead == Lead::Single || at + 1 >= end)
        return 1;
    if (m_lead == Lead::ShiftJis)
        return inRange(lead, 0x81, 0x9F) || inRange(lead, 0xE0, 0xFC) ? 2 : 1;
    // gettext's rule for these sets: a high byte and a byte from '0' up are one character.
    return static_cast<unsigned char>(at[1]) >= 0x30 ? 2 : 1;
}

QString PoCharset::decode(QByteArrayView bytes, bool *valid) const
{
    m_decoder->resetState();
    QString text = m_decoder->decode(bytes);
    if (valid)
        *valid = !m_decoder->hasError() && hasWellFormedPairs(bytes);
    return text;
}

std::optional<QByteArray> PoCharset::encode(QStringView text) const
{
    m_encoder->resetState();
    QByteArray bytes = m_encoder->encode(text);
    if (m_encoder->hasError())
        return std::nullopt;
    return bytes;
}

// The platform's converters take bytes outside a set's code table for characters of
// their own (C1 controls for GB2312, the euro sign for GBK), where gettext's reject them.
bool PoCharset::hasWellFormedPairs(QByteArrayView bytes) const
{
    if (m_trail == Trail::Any)
        return true;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        if (p + 1 >= end)
            return false;
        const unsigned char lead = p[0];
        const unsigned char trail = p[1];
        bool valid = false;
        switch (m_trail) {
        case Trail::Gb2312: valid = inRange(lead, 0xA1, 0xF7) && inRange(trail, 0xA1, 0xFE); break;
        case Trail::Gbk: valid = inRange(lead, 0x81, 0xFE) && trail >= 0x40 && trail != 0x7F && trail != 0xFF; break;
        case Trail::Big5:
            valid = inRange(lead, 0x81, 0xFE) && (inRange(trail, 0x40, 0x7E) || inRange(trail, 0xA1, 0xFE));
            break;
        case Trail::Any: break;
        }
        if (!valid)
            return false;
        p += 2;
    }
    return true;
}
