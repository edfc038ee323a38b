#pragma once

#include <QString>
#include <QTextStream>

#include <vector>

struct CliRequest;

// One to-do dictionary of a batch and where its result goes.
struct BatchItem {
    QString todo;
    // The name shown in progress and errors: the path below --todo-dir, or the file name.
    QString name;
    QString output;
};

// The to-do dictionaries of a batch, checked before anything runs: files that cannot
// be read or recognised (special files and dangling links among them) are reported
// and left out; two results in one place, one to-do named twice and a result that
// would replace the reference or, unless --in-place asks for it, its own to-do
// refuse the batch.
class BatchPlan {
public:
    static BatchPlan make(const CliRequest &request, QTextStream &err);
    // Makes the folders the results go to; false (reported) when one cannot be made.
    bool makeOutputFolders(QTextStream &err) const;

    bool refused() const { return m_refused; }
    const std::vector<BatchItem> &items() const { return m_items; }
    int skipped() const { return m_skipped; }

private:
    void addCandidates(const CliRequest &request, QTextStream &err);
    void add(const QString &todo, const QString &name, const CliRequest &request, QTextStream &err);
    bool refuseClashes(const CliRequest &request, QTextStream &err);

    bool m_refused = false;
    std::vector<BatchItem> m_items;
    int m_skipped = 0;
};
