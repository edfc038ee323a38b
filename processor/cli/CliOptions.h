#pragma once

#include "OptionSettings.h"
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
    // Each result replaces its own to-do dictionary (through a temporary file).
    bool inPlace = false;
    QString savedDatabasePath;
    QString appFolder;
    // The batch form: several to-do dictionaries into one folder, side by side.
    QStringList todos;
    QString todoDir;
    bool recursive = false;
    QString outputDir;
    int jobs = 0;
    // Hidden, for the jobs of a batch: print the counts as one line for the batch to
    // read, and the language pair of the dictionary a purified reference came from.
    bool resultLine = false;
    QString referencePair;
    // Option controls the command line sets after the preset or Tallyra.ini, by control
    // name: a check box's state or a drop-down's choice.
    QList<std::pair<QString, QString>> controls;
    // The quality checks: the files named after --check and the folder to check, the
    // rules asked for and left out by id, the length rule's byte limit (0: off).
    bool check = false;
    QStringList checkedFiles;
    QString checkDir;
    QStringList rules;
    QStringList skippedRules;
    int lengthLimit = 0;

    bool isCheck() const { return check || !checkDir.isEmpty(); }

    // The access-key marker --todo-marker chose; null when it was not given.
    QChar todoMarker() const;
    bool isBatch() const { return todos.size() > 1 || !todoDir.isEmpty() || !outputDir.isEmpty(); }
    // Every path the command line names, as given and absolute, with their folders and
    // the program folder: what the messages of a run may quote.
    QStringList names() const;
};

// Reads the arguments (without the program name); nothing when they are not usable,
// with the reason in error (empty for --help).
std::optional<CliRequest> parseCliArguments(const QStringList &arguments, QString *error);
QString cliUsage();
// Where the errors of tallyra-cli itself are located.
QString cliErrorLocation();

// The option controls of the job before the job flags: the full preset, then
// "Tallyra.ini" when it exists, or the named preset file, or a built-in preset.
OptionControlState cliOptionState(const CliRequest &request, const QString &iniPath);

// The options of the job: the full preset, then "Tallyra.ini" of the program folder
// when it exists, or the named preset file, or one of the two built-in presets; then
// the job flags of the command line.
ProcessingOptions cliJobOptions(const CliRequest &request, const QString &iniPath);
