#pragma once

#include "ReferenceLoaders.h"
#include "ResultWriters.h"
#include "TodoLoaders.h"

#include <QHash>
#include <QString>

#include <memory>

// Translation catalogues (gettext PO, Qt TS) in a job. The match tables hold their texts as
// the dictionaries do: a tab as the two characters "\t", so that the shortcut rule reads it,
// and, since no value may break a record of the match result, a line feed and a carriage
// return as "\n" and "\r", with a backslash doubled so that each text comes back unchanged.
namespace JobText {
QString fromCatalogue(const QString &text);
// "\\", "\t", "\n" and "\r" become the characters again; any other backslash stays as it is,
// so a translation from a dictionary keeps its own backslashes.
QString toCatalogue(QStringView text);
}

// A catalogue as a job reads and fills it, whatever its format.
class JobCatalogue {
public:
    virtual ~JobCatalogue() = default;
    virtual qsizetype count() const = 0;
    // The entry's status text; empty for a message that is no entry (obsolete, vanished).
    virtual QString status(qsizetype index) const = 0;
    // The untranslated text: the msgid or source, for a plural entry the singular one.
    virtual QString source(qsizetype index) const = 0;
    // The translation, for a plural entry its first form.
    virtual QString translation(qsizetype index) const = 0;
    // Puts the text into every form the entry has; review marks it fuzzy or unfinished.
    virtual void fill(qsizetype index, const QString &text, bool review) = 0;
    // Through a temporary file; a catalogue nothing was filled into is written as it was read.
    virtual void save(const QString &path) = 0;
};

// The first bytes of a file without a UTF-8 byte-order mark, by which a catalogue's
// content is told; empty for a file that cannot be read.
QByteArray catalogueHead(const QString &path);

// Reads the catalogue of a job; a malformed file raises the format's error with its line.
using CatalogueOpener = std::unique_ptr<JobCatalogue> (*)(const QString &path);

// The reference: one row of R per translated entry (with chkrTakeFuzzy also per entry
// marked for review), the pair being the source and the (first) translation.
class CatalogueReferenceLoader : public ReferenceLoader {
public:
    CatalogueReferenceLoader(const JobSettings &settings, CatalogueOpener open, const char *className);

protected:
    const char *className() const override { return m_className; }
    void run() override;

private:
    CatalogueOpener m_open;
    const char *m_className;
};

// The to-do: one row of S per untranslated entry within the length limit; so is the
// entry's source as the tables hold it, by which the result writer finds it again.
class CatalogueTodoLoader : public TodoLoader {
public:
    CatalogueTodoLoader(const JobSettings &settings, CatalogueOpener open, const char *className);

protected:
    const char *className() const override { return m_className; }
    void run() override;

private:
    CatalogueOpener m_open;
    const char *m_className;
};

// Rewrites the to-do with the translations found filled in, marked for review unless
// chkNotAddFuzzy. An entry whose source was matched several times takes the first
// translation that differs from its source, as the two-line result's update does; an
// entry that has a translation of its own is never changed.
class CatalogueResultWriter : public ResultWriter {
public:
    CatalogueResultWriter(const JobSettings &settings, const QString &todo, CatalogueOpener open,
                          const char *className);

protected:
    const char *className() const override { return m_className; }
    void open() override {}
    void write(QStringView source, const QString &translation) override;
    void close() override;

private:
    QString m_todo;
    CatalogueOpener m_open;
    const char *m_className;
    QHash<QString, QString> m_found;
};
