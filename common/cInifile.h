#pragma once

#include <QString>
#include <QStringList>

// cInifile: reads and writes one value at a time with the semantics of the old
// private-profile functions: "[section]" lines, "key=value" lines, section and key
// names compared without regard to case, file, section and key created on write,
// CR LF line ends, the file kept in the encoding it was read in (new files GB18030).
// A file is read once for a run of calls and kept until its size, time or inode
// changes (or this class writes it) or the event loop runs again, so a run of reads
// does not read a large file again for every key; every write still writes the
// whole file at once. Values are returned whole: a value
// with outer blanks or quotes is stored in double quotes, which reading removes again.
class cInifile {
public:
    cInifile() = default;
    explicit cInifile(const QString &path, const QString &section = QString());

    QString path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }
    QString section() const { return m_section; }
    void setSection(const QString &section) { m_section = section; }
    QString key() const { return m_key; }
    void setKey(const QString &key) { m_key = key; }
    QString defaultValue() const { return m_default; }
    void setDefault(const QString &value) { m_default = value; }

    // The value of key() in section(), or defaultValue() when either is missing.
    QString value() const;
    // Writes key()=value into section(), NUL characters removed; sets LastReturnCode().
    void setValue(const QString &value);
    // Shorthands that set the key first.
    QString value(const QString &key);
    void setValue(const QString &key, const QString &value);

    int LastReturnCode() const { return m_lastReturnCode; }
    bool success() const { return m_lastReturnCode != 0; }

    // Key names of section(), each followed by one NUL character.
    QString INISection() const;
    // Section names of the file, each followed by one NUL character.
    QString sections() const;

    void DeleteKey();
    void DeleteSection();

    // Key names of section() and section names of the file, in file order.
    QStringList EnumerateCurrentSection() const;
    QStringList EnumerateAllSections() const;

    // The text as a whole 32-bit number, or the fallback when it is none.
    static int CLngDefault(const QString &text, int fallback = 0);

private:
    QString m_path;
    QString m_section;
    QString m_key;
    QString m_default;
    int m_lastReturnCode = 0;
};

// Writes key=value through the INI object and raises error 75 when the file could not
// be written, for callers that report a failed save instead of passing over it.
void writeIniValue(cInifile &ini, const QString &key, const QString &value);

// Holds back the writes to one INI file while it lives and writes the file once at
// the end, for a run of writes such as a window saving its settings on closing: each
// write on its own writes the whole file again. Reads in between see the held-back
// values; a write reports success until commit() tells otherwise.
class IniWriteBatch {
public:
    explicit IniWriteBatch(const QString &path);
    ~IniWriteBatch();
    IniWriteBatch(const IniWriteBatch &) = delete;
    IniWriteBatch &operator=(const IniWriteBatch &) = delete;
    // Writes the file if anything was written; false when it could not be written.
    bool commit();

private:
    QString m_path;
};
