#pragma once

#include <QString>

// The mark that names the process owning a set of work files: a file "<stem>.owner"
// in their folder holding the owner's process id and start time. Every entry of the
// folder named the stem, or the stem followed by '.' or '-', belongs to the mark. A
// process killed outright leaves its marks behind; removeStale() clears them away
// with their entries, and never those of a process that still runs.
class WorkClaim {
public:
    WorkClaim() = default;
    // Writes the mark of a fresh stem drawn from the pattern ("tlyXXXXXX"); raises
    // error 75 when the folder cannot take it.
    static WorkClaim make(const QString &folder, const QString &pattern);
    WorkClaim(WorkClaim &&other) noexcept;
    WorkClaim &operator=(WorkClaim &&other) noexcept;
    // Removes the mark: what is left of the stem's entries then belongs to the user.
    ~WorkClaim();

    // The full path of the stem followed by the suffix ("-1.sql").
    QString path(const QString &suffix = QString()) const;
    QString markPath() const;

    // Removes the marks in the folder whose owner has ended, with their entries.
    static void removeStale(const QString &folder);

private:
    QString m_folder;
    QString m_stem;
};
