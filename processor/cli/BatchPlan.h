#pragma once

#include <QString>
#include <QTextStream>

#include <optional>
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
// be read or recognised are reported and left out; two results in one place and an
// output folder that cannot be made stop the batch.
class BatchPlan {
public:
    enum class Refusal { None, BadArguments, OutputFolder };

    static BatchPlan make(const CliRequest &request, QTextStream &err);

    Refusal refusal() const { return m_refusal; }
    const std::vector<BatchItem> &items() const { return m_items; }
    int skipped() const { return m_skipped; }

private:
    void addCandidates(const CliRequest &request, QTextStream &err);
    void add(const QString &todo, const QString &name, const QString &outputDir, QTextStream &err);
    bool refuseCollisions(QTextStream &err);
    bool makeOutputFolders(QTextStream &err);

    Refusal m_refusal = Refusal::None;
    std::vector<BatchItem> m_items;
    int m_skipped = 0;
};
