#pragma once

#include "DictionaryDocument.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

class GridModel;

// The unsaved changes of one document, kept in a folder of the editor's own so that a
// crash loses nothing: the document's path and entry count, then for every entry
// changed since the document was read or saved its index and its four fields. Written
// through a temporary file, so a crash while writing leaves the previous one whole.
class RecoveryFile {
public:
    explicit RecoveryFile(const QString &documentPath);

    // The documents that have a recovery file, the newest first.
    static QStringList documents();

    bool exists() const;
    QDateTime written() const;
    // Raises AppError when the file cannot be written.
    void write(const DictionaryDocument &document, const std::vector<quint32> &entries) const;
    // The entries' states the file holds, as far as they differ from the document's.
    // Raises AppError when the file is not one of this document as it is now.
    std::vector<EntryState> read(GridModel &model) const;
    void remove() const;

private:
    QString m_documentPath;
    QString m_path;
};
