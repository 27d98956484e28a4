#pragma once
// Tokens of X-format text: names, numbers, strings, GUIDs in angle brackets, and the
// punctuation { } [ ] ; , . Comments run from "#" or "//" to the end of the line.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rm::xfile {

enum class TokenKind : std::uint8_t {
    Name,       // letters, digits and other word characters, not a number
    Number,     // starts with a digit, a sign or a point and reads fully as a number
    String,     // text between double quotes (quotes not included)
    Guid,       // text between < and > (brackets not included)
    OpenBrace,
    CloseBrace,
    OpenBracket,
    CloseBracket,
    Semicolon,
    Comma,
    End,
    Error,      // an unterminated string or GUID, or a stray character
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text;  // points into the source
    std::uint32_t line = 1;
};

class Lexer {
public:
    explicit Lexer(std::string_view text, std::uint32_t line = 1) : text_(text), line_(line) {}

    Token Next();
    // Bytes not yet read: counts in the file are checked against it before any allocation.
    std::size_t Remaining() const { return text_.size() - pos_; }
    std::uint32_t Line() const { return line_; }

private:
    void SkipBlanksAndComments();

    std::string_view text_;
    std::size_t pos_ = 0;
    std::uint32_t line_;
};

}  // namespace rm::xfile
