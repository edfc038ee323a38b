#pragma once

#include "CatalogueJob.h"

// A Qt TS catalogue in a job (see CatalogueJob.h): the source is the source, the
// translation or first numerus form the translation; a review mark leaves the message
// unfinished. Vanished and obsolete messages are no entries.
std::unique_ptr<JobCatalogue> openTsJobCatalogue(const QString &path);

// An XML file whose root element is <TS>.
bool recogniseTsContent(const QString &path);
