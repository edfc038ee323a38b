#pragma once

#include <QString>

// What a dictionary file holds, decided from its content (its name plays no part).
enum class DictionaryFormat { Unrecognised = 0, Glossary = 1, TwoLineText = 2 };

// A missing file is Unrecognised. A file with a line of exactly one tab is a glossary;
// otherwise a number line followed by a non-empty line makes it two-line text. An empty
// file, and a number line that ends the file, raise error 62 to the caller.
//
// The processor passes languagePair: when the first single-tab line of a glossary holds
// two known Windows language identifiers ("9 1", tab, "4 2"), that line becomes the
// pair; otherwise the caller's value is left as it was. The known identifiers are read
// from "POLOLID.ini", which is written into the program folder for this.
DictionaryFormat DetectDictionaryFormat(const QString &path, QString *languagePair = nullptr);
