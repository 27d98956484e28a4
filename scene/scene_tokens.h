#pragma once
// The scene reader's tokenizer. Its rules are narrower than the X format's own:
// - blanks (space, tab, CR, LF) separate words and are dropped from inside fields;
// - a comment starts at any '/' or '#' and runs to the next LF, also inside a field, which
//   goes on after it;
// - a word runs to the next blank, a field to its delimiter (';', '{' or '}'); quote marks are
//   ordinary characters;
// - a word or field longer than its buffer is cut: the character after the cut is dropped and
//   the rest is read as the next word or field.
// The text is a range: it needs no terminating zero, and a zero byte ends it like its end.

#include <cstddef>
#include <string_view>

// A read position inside a scene text. Pos never passes End.
struct TSceneCursor {
    const char* Pos = nullptr;
    const char* End = nullptr;

    bool AtEnd() const { return Pos >= End; }
};

// A cursor over text, ending at text's first zero byte if it has one.
TSceneCursor SceneCursorOver(std::string_view text);

// How a token read ended.
enum class TTokenStop {
    NoText,      // the text ended before the token (or inside a comment within it)
    TextEnd,     // the token ran up to the end of the text
    Delimiter,   // its delimiter (a blank for a word) ended it and was stepped over
    BufferFull,  // its room was full; the character after the cut was stepped over
};

// Reads the next word (delimiter 0) or field (up to delimiter) into buffer, which receives at
// most size - 1 characters and a terminating zero. buffer may be null (nothing stored); size 0
// means no limit and then nothing is stored. Without text the buffer is left as it was.
TTokenStop ScanToken(TSceneCursor* cursor, char* buffer, std::size_t size, char delimiter);

// ScanToken, true when the text still had a token (it ended neither before it nor inside a
// comment within it).
bool NextToken(TSceneCursor* cursor, char* buffer, std::size_t size, char delimiter);

// Moves past the '}' that closes the block just entered (braces in comments do not count), or
// to the end of the text.
void SkipBlock(TSceneCursor* cursor);
