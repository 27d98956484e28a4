#include "scene/scene_tokens.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsCommentStart(char c) { return c == '/' || c == '#'; }

// From a comment's first character to its LF (left in place) or the end of the text.
void SkipComment(TSceneCursor* cursor)
{
    const void* lf = std::memchr(cursor->Pos, '\n', static_cast<std::size_t>(cursor->End - cursor->Pos));
    cursor->Pos = lf ? static_cast<const char*>(lf) : cursor->End;
}

void SkipBlanksAndComments(TSceneCursor* cursor)
{
    while (!cursor->AtEnd()) {
        if (IsBlank(*cursor->Pos))
            ++cursor->Pos;
        else if (IsCommentStart(*cursor->Pos))
            SkipComment(cursor);
        else
            return;
    }
}

}  // namespace

TSceneCursor SceneCursorOver(std::string_view text)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    return {begin, std::find(begin, end, '\0')};
}

TTokenStop ScanToken(TSceneCursor* cursor, char* buffer, std::size_t size, char delimiter)
{
    if (!cursor || !cursor->Pos || cursor->AtEnd())
        return TTokenStop::NoText;

    const bool store = buffer && size > 0;
    const std::size_t room = size > 0 ? size - 1 : std::numeric_limits<std::size_t>::max();
    std::size_t taken = 0;
    auto finish = [&](TTokenStop stop) {
        if (store)
            buffer[taken] = '\0';
        return stop;
    };

    for (;;) {
        // Blanks and comments before the token, and after a comment inside it.
        SkipBlanksAndComments(cursor);
        if (cursor->AtEnd())
            return finish(TTokenStop::NoText);

        while (!cursor->AtEnd()) {
            if (taken >= room) {
                ++cursor->Pos;  // the character at which the room ran out is dropped
                return finish(TTokenStop::BufferFull);
            }
            const char c = *cursor->Pos;
            if (IsCommentStart(c))
                break;
            ++cursor->Pos;
            if (delimiter ? c == delimiter : IsBlank(c))
                return finish(TTokenStop::Delimiter);
            if (IsBlank(c))
                continue;  // blanks inside a field are not kept
            if (store)
                buffer[taken] = c;
            ++taken;
        }
        if (cursor->AtEnd())
            return finish(TTokenStop::TextEnd);
    }
}

bool NextToken(TSceneCursor* cursor, char* buffer, std::size_t size, char delimiter)
{
    return ScanToken(cursor, buffer, size, delimiter) != TTokenStop::NoText;
}

void SkipBlock(TSceneCursor* cursor)
{
    if (!cursor || !cursor->Pos)
        return;
    std::size_t depth = 1;
    while (!cursor->AtEnd()) {
        const char c = *cursor->Pos;
        if (IsCommentStart(c)) {
            SkipComment(cursor);
            continue;
        }
        ++cursor->Pos;
        if (c == '{') {
            ++depth;
        } else if (c == '}' && --depth == 0) {
            return;
        }
    }
}
