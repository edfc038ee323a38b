#include "TextFile.h"

#include "ErrorReport.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr qsizetype ChunkSize = 1 << 16;
constexpr char Gb18030Name[] = "GB18030";
const QByteArray Utf8Bom("\xEF\xBB\xBF");

// Length of the UTF-8 sequence that starts with this byte, 0 if it cannot start one.
int utf8SequenceLength(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

bool validContinuation(const unsigned char *p, int length)
{
    for (int k = 1; k < length; ++k) {
        if ((p[k] & 0xC0) != 0x80)
            return false;
    }
    // Overlong forms, surrogates and code points above U+10FFFF are not UTF-8.
    if (length == 3) {
        if (p[0] == 0xE0 && p[1] < 0xA0) return false;
        if (p[0] == 0xED && p[1] >= 0xA0) return false;
    } else if (length == 4) {
        if (p[0] == 0xF0 && p[1] < 0x90) return false;
        if (p[0] == 0xF4 && p[1] >= 0x90) return false;
    }
    return true;
}

// The number of leading bytes below 0x80.
qsizetype asciiPrefix(const char *data, qsizetype size)
{
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        quint64 word;
        std::memcpy(&word, data + i, 8);
        if (word & 0x8080808080808080ULL)
            break;
    }
    while (i < size && !(static_cast<unsigned char>(data[i]) & 0x80))
        ++i;
    return i;
}

// Writes the leading ASCII units of the text as bytes; returns how many there were.
qsizetype narrowAscii(char *out, QStringView text)
{
    const char16_t *in = text.utf16();
    const qsizetype size = text.size();
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i nonAsciiBits = _mm_set1_epi16(short(0xFF80));
    for (; i + 8 <= size; i += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i));
        const __m128i ascii = _mm_cmpeq_epi16(_mm_and_si128(units, nonAsciiBits), _mm_setzero_si128());
        if (_mm_movemask_epi8(ascii) != 0xFFFF)
            break;
        _mm_storel_epi64(reinterpret_cast<__m128i *>(out + i), _mm_packus_epi16(units, units));
    }
#endif
    for (; i < size && in[i] < 0x80; ++i)
        out[i] = static_cast<char>(in[i]);
    return i;
}

// Replaces the line's text by the ASCII bytes, in the line's own storage.
void assignAscii(QString &line, const char *data, qsizetype size)
{
    line.resize(0);
    line.append(QLatin1StringView(data, size));
}

// Decodes UTF-8 into the line's own storage, so that a line read into the same
// string as the one before needs no allocation. Valid UTF-8 has one decoding;
// anything else is left to Qt's replacement rules.
void decodeUtf8Into(QString &line, const char *data, qsizetype size, qsizetype ascii)
{
    assignAscii(line, data, ascii);
    // A line never needs more UTF-16 units than it has bytes.
    line.resize(size);
    QChar *out = line.data() + ascii;
    // QString::fromUtf8 drops a byte-order mark that opens the text; so does this.
    const qsizetype bom = QByteArrayView(data, size).startsWith(Utf8Bom) ? Utf8Bom.size() : 0;
    const auto *p = reinterpret_cast<const unsigned char *>(data) + ascii + bom;
    const auto *end = reinterpret_cast<const unsigned char *>(data) + size;
    while (p < end) {
        if (*p < 0x80) {
            *out++ = QChar(char16_t(*p++));
            continue;
        }
        const int length = utf8SequenceLength(*p);
        if (length == 0 || end - p < length || !validContinuation(p, length)) {
            line = QString::fromUtf8(data, size);
            return;
        }
        char32_t codePoint = *p & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            codePoint = (codePoint << 6) | (p[k] & 0x3F);
        if (QChar::requiresSurrogates(codePoint)) {
            *out++ = QChar(QChar::highSurrogate(codePoint));
            *out++ = QChar(QChar::lowSurrogate(codePoint));
        } else {
            *out++ = QChar(char16_t(codePoint));
        }
        p += length;
    }
    line.truncate(out - line.constData());
}

// UTF-8 straight into the output buffer, as QString::toUtf8() encodes: a surrogate
// without its partner becomes "?".
char *encodeUtf8(char *out, QStringView text)
{
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    while (p < end) {
        char32_t c = *p++;
        if (c < 0x80) {
            *out++ = char(c);
        } else if (c < 0x800) {
            *out++ = char(0xC0 | (c >> 6));
            *out++ = char(0x80 | (c & 0x3F));
        } else if (!QChar::isSurrogate(c)) {
            *out++ = char(0xE0 | (c >> 12));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
            *out++ = char(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c) && p < end && QChar::isLowSurrogate(*p)) {
            c = QChar::surrogateToUcs4(char16_t(c), *p++);
            *out++ = char(0xF0 | (c >> 18));
            *out++ = char(0x80 | ((c >> 12) & 0x3F));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
            *out++ = char(0x80 | (c & 0x3F));
        } else {
            *out++ = '?';
        }
    }
    return out;
}

}

void raiseWriteFailure(const QFileDevice *file)
{
    const QString name = file ? file->fileName() : QString();
    if (file && file->error() == QFileDevice::ResourceError)
        Errors::raise(Errors::DiskFull, name);
    Errors::raise(Errors::PathFileAccess, name);
}

namespace TextCodec {

// Scans in pieces so that a sequence split between two pieces is judged whole.
class Utf8Scanner {
public:
    bool feed(const char *data, qsizetype size)
    {
        // Only a sequence cut at the end of a piece waits for the next one; the rest is
        // judged where it lies.
        if (m_pending.isEmpty()) {
            const qsizetype judged = scan(data, size, false);
            if (judged < 0)
                return false;
            m_pending.append(data + judged, size - judged);
            return true;
        }
        m_pending.append(data, size);
        const qsizetype judged = scan(m_pending.constData(), m_pending.size(), false);
        m_pending.remove(0, std::max<qsizetype>(judged, 0));
        return judged >= 0;
    }
    bool finish() { return scan(m_pending.constData(), m_pending.size(), true) >= 0; }
    bool hasNonAscii() const { return m_nonAscii; }

private:
    // How many bytes form whole valid sequences; -1 at an invalid one.
    qsizetype scan(const char *data, qsizetype n, bool final)
    {
        const auto *p = reinterpret_cast<const unsigned char *>(data);
        qsizetype i = 0;
        while (i < n) {
            if (i + 8 <= n && asciiPrefix(data + i, 8) == 8) {
                i += 8;
                continue;
            }
            const int length = utf8SequenceLength(p[i]);
            if (length == 0)
                return -1;
            if (length > 1) {
                if (i + length > n)
                    return final ? -1 : i;
                if (!validContinuation(p + i, length))
                    return -1;
                m_nonAscii = true;
            }
            i += length;
        }
        return i;
    }

    QByteArray m_pending;
    bool m_nonAscii = false;
};

bool isValidUtf8(const char *data, qsizetype size, bool *hasNonAscii)
{
    Utf8Scanner scanner;
    const bool valid = scanner.feed(data, size) && scanner.finish();
    if (hasNonAscii)
        *hasNonAscii = scanner.hasNonAscii();
    return valid;
}

TextEncoding detect(const QByteArray &bytes)
{
    if (bytes.startsWith(Utf8Bom))
        return TextEncoding::Utf8WithBom;
    bool nonAscii = false;
    if (isValidUtf8(bytes.constData(), bytes.size(), &nonAscii) && nonAscii)
        return TextEncoding::Utf8;
    return TextEncoding::Gb18030;
}

TextEncoding detect(QIODevice &device)
{
    const qint64 start = device.pos();
    QByteArray chunk = device.read(ChunkSize);
    TextEncoding result = TextEncoding::Gb18030;
    if (chunk.startsWith(Utf8Bom)) {
        result = TextEncoding::Utf8WithBom;
    } else {
        Utf8Scanner scanner;
        bool valid = true;
        while (valid && !chunk.isEmpty()) {
            valid = scanner.feed(chunk.constData(), chunk.size());
            chunk = device.read(ChunkSize);
        }
        if (valid && scanner.finish() && scanner.hasNonAscii())
            result = TextEncoding::Utf8;
    }
    device.seek(start);
    return result;
}

qsizetype gb18030ByteLength(QStringView text)
{
    qsizetype ascii = 0;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return encode(text, TextEncoding::Gb18030).size();
        ++ascii;
    }
    return ascii;
}

QByteArray encode(QStringView text, TextEncoding encoding)
{
    if (encoding != TextEncoding::Gb18030)
        return text.toUtf8();
    QStringEncoder encoder(Gb18030Name, QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

QString decode(QByteArrayView bytes, TextEncoding encoding)
{
    if (encoding != TextEncoding::Gb18030)
        return QString::fromUtf8(bytes);
    QStringDecoder decoder(Gb18030Name, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

}

LineReader::LineReader(QIODevice &device, TextEncoding encoding, LineEnd lineEnd)
    : m_device(device), m_encoding(encoding), m_dropCr(lineEnd == LineEnd::CrLf)
{
    if (encoding == TextEncoding::Gb18030)
        m_decoder.emplace(Gb18030Name, QStringConverter::Flag::Stateless);
    if (encoding == TextEncoding::Utf8WithBom) {
        fill();
        if (m_buffer.startsWith(Utf8Bom)) {
            m_pos = Utf8Bom.size();
            m_consumed = m_pos;
        }
    }
}

bool LineReader::fill()
{
    if (m_deviceDone)
        return false;
    if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    const QByteArray more = m_device.read(ChunkSize);
    if (more.isEmpty()) {
        m_deviceDone = true;
        return false;
    }
    m_buffer.append(more);
    return true;
}

bool LineReader::atEnd()
{
    return m_pos >= m_buffer.size() && !fill();
}

bool LineReader::readLine(QString &line)
{
    if (atEnd())
        return false;
    qsizetype searchFrom = m_pos;
    qsizetype lf;
    while ((lf = m_buffer.indexOf('\n', searchFrom)) < 0) {
        searchFrom = m_buffer.size() - m_pos;
        if (!fill())
            break;
    }
    qsizetype end = lf >= 0 ? lf : m_buffer.size();
    const qsizetype next = lf >= 0 ? lf + 1 : end;
    if (m_dropCr && lf >= 0 && end > m_pos && m_buffer.at(end - 1) == '\r')
        --end;
    decodeInto(line, m_buffer.constData() + m_pos, end - m_pos);
    m_consumed += next - m_pos;
    m_pos = next;
    ++m_linesRead;
    return true;
}

QString LineReader::requireLine()
{
    QString line;
    if (!readLine(line))
        Errors::raise(Errors::InputPastEnd);
    return line;
}

void LineReader::decodeInto(QString &line, const char *data, qsizetype size)
{
    const qsizetype ascii = asciiPrefix(data, size);
    if (ascii == size) {
        assignAscii(line, data, size);
    } else if (m_decoder) {
        // The legacy encoding maps ASCII bytes to themselves and never uses them inside
        // a longer sequence, so the rest decodes alone as it would in the whole line.
        assignAscii(line, data, ascii);
        line.resize(ascii + m_decoder->requiredSpace(size - ascii));
        const QChar *end = m_decoder->appendToBuffer(line.data() + ascii, QByteArrayView(data + ascii, size - ascii));
        line.truncate(end - line.constData());
    } else {
        decodeUtf8Into(line, data, size, ascii);
    }
}

TextFileReader::TextFileReader(const QString &path, std::optional<TextEncoding> encoding, LineEnd lineEnd)
    : m_file(path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        Errors::raise(Errors::FileNotFound, path);
    if (!m_file.open(QIODevice::ReadOnly))
        Errors::raise(Errors::PathFileAccess, path);
    m_size = m_file.size();
    m_reader = std::make_unique<LineReader>(m_file, encoding ? *encoding : TextCodec::detect(m_file), lineEnd);
}

int TextFileReader::percentDone() const
{
    if (m_size <= 0)
        return 100;
    return static_cast<int>(m_reader->bytesConsumed() * 100 / m_size);
}

LineWriter::LineWriter(QIODevice &device, TextEncoding encoding, LineEnd lineEnd)
    : m_device(device), m_encoding(encoding), m_lineEnd(lineEnd == LineEnd::CrLf ? "\r\n" : "\n")
{
    if (encoding == TextEncoding::Gb18030)
        m_encoder.emplace(Gb18030Name, QStringConverter::Flag::Stateless);
    if (encoding == TextEncoding::Utf8WithBom)
        m_buffer.append(Utf8Bom);
}

LineWriter::~LineWriter() = default;

void LineWriter::append(QStringView text)
{
    // Encodes straight into the buffer: most text is ASCII, which every encoding here
    // writes as it is, and the rest needs no byte array of its own.
    qsizetype at = m_buffer.size();
    m_buffer.resize(at + text.size());
    const qsizetype ascii = narrowAscii(m_buffer.data() + at, text);
    if (ascii < text.size()) {
        const QStringView rest = text.sliced(ascii);
        at += ascii;
        if (m_encoder) {
            m_buffer.resize(at + m_encoder->requiredSpace(rest.size()));
            m_buffer.truncate(m_encoder->appendToBuffer(m_buffer.data() + at, rest) - m_buffer.constData());
        } else {
            m_buffer.resize(at + 3 * rest.size());
            m_buffer.truncate(encodeUtf8(m_buffer.data() + at, rest) - m_buffer.constData());
        }
    }
    if (m_buffer.size() >= ChunkSize)
        flush();
}

void LineWriter::writeRaw(QStringView text)
{
    append(text);
}

void LineWriter::writeLine(QStringView line)
{
    append(line);
    m_buffer.append(m_lineEnd);
    if (m_buffer.size() >= ChunkSize)
        flush();
}

void LineWriter::flush()
{
    if (m_buffer.isEmpty())
        return;
    const qint64 written = m_device.write(m_buffer);
    const bool complete = written == m_buffer.size();
    // Keeps the buffer's storage for the next chunk.
    m_buffer.resize(0);
    // A short write (a full disk, a file-size limit) is a failure too, or the file
    // would be committed cut short.
    if (!complete)
        raiseWriteFailure(qobject_cast<QFileDevice *>(&m_device));
}

TextFileWriter::TextFileWriter(const QString &path, TextEncoding encoding, LineEnd lineEnd) : m_file(path)
{
    if (!m_file.open(QIODevice::WriteOnly))
        raiseWriteFailure(&m_file);
    m_writer = std::make_unique<LineWriter>(m_file, encoding, lineEnd);
}

TextFileWriter::~TextFileWriter()
{
    m_writer.reset();
    if (m_file.isOpen())
        m_file.cancelWriting();
}

void TextFileWriter::flush()
{
    m_writer->flush();
    if (!m_file.flush())
        raiseWriteFailure(&m_file);
}

void TextFileWriter::commit()
{
    m_writer->flush();
    if (!m_file.commit())
        raiseWriteFailure(&m_file);
}

TextEncoding encodingOfFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TextEncoding::Gb18030;
    return TextCodec::detect(file);
}

void copyInto(QString &target, QStringView text)
{
    target.resize(text.size());
    std::copy(text.begin(), text.end(), target.data());
}

void saveWhole(const QString &path, const std::function<void(QIODevice &)> &write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        raiseWriteFailure(&file);
    write(file);
    if (!file.commit())
        raiseWriteFailure(&file);
}
