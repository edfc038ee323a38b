#pragma once

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <functional>
#include <memory>
#include <optional>

// Dictionaries, INI and preset files are legacy Simplified Chinese text (GB18030)
// unless they carry a UTF-8 byte-order mark or are valid UTF-8 with non-ASCII bytes.
// Work files of a job are always UTF-8, the native text of sqlite3.
enum class TextEncoding { Gb18030, Utf8, Utf8WithBom };
// Every text file of the system ends its lines in CR LF, except the shell scripts of a job.
enum class LineEnd { CrLf, Lf };

namespace TextCodec {
// Decides the encoding of the bytes from the device's current position to its end;
// the position is restored afterwards.
TextEncoding detect(QIODevice &device);
TextEncoding detect(const QByteArray &bytes);
bool isValidUtf8(const char *data, qsizetype size, bool *hasNonAscii);
// Length of the text in GB18030 bytes: a Chinese character counts 2, an ASCII one 1.
qsizetype gb18030ByteLength(QStringView text);
QByteArray encode(QStringView text, TextEncoding encoding);
QString decode(QByteArrayView bytes, TextEncoding encoding);
}

// Reads lines from a device: a line ends at LF and the last line may lack its line
// end. With LineEnd::CrLf (text files) the one CR right before the LF belongs to the
// line end and is dropped; any other CR is text and kept, so a line that ends in
// CR CR LF keeps one CR. With LineEnd::Lf (sqlite3's output, whose lines end in LF)
// every CR is text. Lines of any length are read whole.
class LineReader {
public:
    LineReader(QIODevice &device, TextEncoding encoding, LineEnd lineEnd = LineEnd::CrLf);

    bool atEnd();
    // False once the input is exhausted.
    bool readLine(QString &line);
    // The next line; reading past the end raises error 62 ("输入超出文件尾").
    QString requireLine();
    qint64 bytesConsumed() const { return m_consumed; }
    // How many lines were read: the number of the last one.
    qint64 linesRead() const { return m_linesRead; }
    TextEncoding encoding() const { return m_encoding; }

private:
    bool fill();
    // Decodes into the line's own storage, so that reading into the same string
    // again and again does not allocate.
    void decodeInto(QString &line, const char *data, qsizetype size);

    QIODevice &m_device;
    TextEncoding m_encoding;
    bool m_dropCr;
    std::optional<QStringDecoder> m_decoder;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qint64 m_consumed = 0;
    qint64 m_linesRead = 0;
    bool m_deviceDone = false;
};

// A text file opened for reading by lines with the encoding rule, or in the given
// encoding (work files). A missing file raises error 53, an unreadable one error 75.
class TextFileReader {
public:
    explicit TextFileReader(const QString &path, std::optional<TextEncoding> encoding = std::nullopt,
                            LineEnd lineEnd = LineEnd::CrLf);
    LineReader &lines() { return *m_reader; }
    TextEncoding encoding() const { return m_reader->encoding(); }
    qint64 size() const { return m_size; }
    // Share of the file read so far, 0 to 100.
    int percentDone() const;

private:
    QFile m_file;
    qint64 m_size = 0;
    std::unique_ptr<LineReader> m_reader;
};

// Writes lines ending in CR LF (or LF) in the chosen encoding, buffered.
// A failing write raises error 61 (disk full) or 75.
class LineWriter {
public:
    LineWriter(QIODevice &device, TextEncoding encoding, LineEnd lineEnd = LineEnd::CrLf);
    ~LineWriter();
    void writeLine(QStringView line);
    void writeRaw(QStringView text);
    void flush();

private:
    void append(QStringView text);

    QIODevice &m_device;
    TextEncoding m_encoding;
    std::optional<QStringEncoder> m_encoder;
    QByteArray m_buffer;
    QByteArray m_lineEnd;
};

// A file written through a temporary file in the same folder and renamed over the
// target only by commit(), so a failed write never destroys what was there.
class TextFileWriter {
public:
    TextFileWriter(const QString &path, TextEncoding encoding, LineEnd lineEnd = LineEnd::CrLf);
    ~TextFileWriter();
    LineWriter &lines() { return *m_writer; }
    // Puts everything written so far into the temporary file, so that a file that could
    // not be written completely fails here, before any file of a set is committed.
    void flush();
    void commit();

private:
    QSaveFile m_file;
    std::unique_ptr<LineWriter> m_writer;
};

// Replaces the target's text by a copy of the text in the target's own storage, so
// that a loop copying field after field into the same string does not allocate.
void copyInto(QString &target, QStringView text);

// Reports a failed or short write to a file (or another device, when null): error 61
// for a full disk or a file-size limit, 75 otherwise.
[[noreturn]] void raiseWriteFailure(const QFileDevice *file);

// Writes a whole file through a temporary file beside the path, renamed over it only
// when write has returned; a failure raises error 61 or 75 and leaves the target as it was.
void saveWhole(const QString &path, const std::function<void(QIODevice &)> &write);

// The encoding a file at this path was written in; GB18030 for a missing file.
TextEncoding encodingOfFile(const QString &path);
