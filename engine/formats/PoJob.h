#pragma once

#include "CatalogueJob.h"

// A gettext PO or POT catalogue in a job (see CatalogueJob.h): the msgid is the source,
// msgstr or msgstr[0] the translation; a review mark is the fuzzy flag. Obsolete entries
// and the header are no entries.
std::unique_ptr<JobCatalogue> openPoJobCatalogue(const QString &path);

// A file whose first line beyond comments and blank lines starts a message.
bool recognisePoContent(const QString &path);
