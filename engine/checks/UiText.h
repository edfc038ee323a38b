#pragma once

#include <QChar>
#include <QStringView>

// The decorations of an interface string as the checks read them: the keyboard
// shortcut after a tab, the access key, the end punctuation. Everything works on
// views and positions so that a million entries can be read without allocating.
namespace UiText {

// Where the keyboard shortcut part starts: at the first tab character or escaped tab
// "\t" (a doubled backslash is a backslash and never starts one). Dictionaries write
// the escaped form, PO and TS text a real tab.
struct ShortcutSplit {
    qsizetype separator = -1;  // -1: no shortcut part
    qsizetype shortcut = -1;   // first character after the separator
    bool found() const { return separator >= 0; }
};
ShortcutSplit splitShortcut(QStringView text);
// The text before the shortcut part (the whole text when it has none).
QStringView withoutShortcut(QStringView text);

// The access keys of a text for its file's marker ("&", "_" or "~"): a lone marker
// before a letter or digit. A doubled marker is a literal character, and with "&" an
// HTML entity such as "&amp;" or "&#160;" is text.
struct AccessKeys {
    int count = 0;
    // The first key: its marker, its letter and its decoration, which is the marker and
    // letter or, for the bracketed form "(&O)" / "（&O）", the brackets around them.
    qsizetype marker = -1;
    QChar letter;
    qsizetype begin = -1;
    qsizetype end = -1;
    bool bracketed = false;
};
AccessKeys findAccessKeys(QStringView text, QChar marker);
// Letters compare without regard to case for ASCII, exactly otherwise.
bool sameKeyLetter(QChar a, QChar b);

// The end punctuation classes; the Chinese forms fall into the class of their ASCII mark.
enum class EndMark { None, Ellipsis, Colon, Period, Question, Exclamation, Semicolon };
struct EndMarkAt {
    EndMark mark = EndMark::None;
    qsizetype begin = -1;  // where the mark starts
};
// The mark at the very end of the text: "..." (or more dots), "…" or "……"; ":" "：";
// "." "。"; "?" "？"; "!" "！"; ";" "；".
EndMarkAt endMark(QStringView text);
// The end mark of an interface string before its shortcut part, with trailing white
// space and a bracketed access key at the end taken off, as in "Open...(&O)".
EndMarkAt decoratedEndMark(QStringView text, QChar marker);

bool isBlank(QChar c);  // space, tab, line break, ideographic space
QStringView trimmedEnd(QStringView text);
int leadingSpaces(QStringView text);   // U+0020 only
int trailingSpaces(QStringView text);  // U+0020 only

}
