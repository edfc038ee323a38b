#pragma once

#include "OutputGenerators.h"
#include "ProcessingOptions.h"

#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks for: the three files, where the options come from and
// the job flags.
struct CliRequest {
    JobFiles files;
    QString presetFile;
    bool fullPreset = false;
    bool minimalPreset = false;
    bool keepWorkFiles = false;
    bool saveDatabase = false;
    QString savedDatabasePath;
    QString appFolder;
};

// Reads the arguments (without the program name); nothing when they are not usable,
// with the reason in error (empty for --help).
std::optional<CliRequest> parseCliArguments(const QStringList &arguments, QString *error);
QString cliUsage();

// The options of the job: the full preset, then "Tallyra.ini" of the program folder
// when it exists, or the named preset file, or one of the two built-in presets; then
// the job flags of the command line.
ProcessingOptions cliJobOptions(const CliRequest &request, const QString &iniPath);
