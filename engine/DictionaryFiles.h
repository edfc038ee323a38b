#pragma once

#include <QString>

// How the editor names its dictionary files.
namespace DictionaryFiles {

enum class SaveFormat { None, Glossary, TwoLineText, TableText };

// Decided by the last four characters of the name, lower-cased: ".glo", ".txt", ".csv".
SaveFormat saveFormat(const QString &path);

// The file saved beside a document in the other format: x.glo -> x.a.csv,
// x.a.txt -> x.a.csv, x.u.csv -> x.u.txt. Empty for any other name.
QString companionPath(const QString &path);

}
