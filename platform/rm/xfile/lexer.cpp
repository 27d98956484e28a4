#include "platform/rm/xfile/lexer.h"

#include <array>

namespace rm::xfile {

namespace {

enum CharClass : std::uint8_t { kWord, kBlank, kPunct, kOther };

constexpr std::array<std::uint8_t, 256> MakeClasses()
{
    std::array<std::uint8_t, 256> c{};
    for (auto& v : c)
        v = kWord;
    for (unsigned char b : std::string_view(" \t\r\n\f\v", 6))
        c[b] = kBlank;
    c[0] = kBlank;
    for (unsigned char p : std::string_view("{}[];,\"<>#", 10))
        c[p] = kPunct;
    for (int i = 1; i < 32; ++i)
        if (c[i] == kWord)
            c[i] = kOther;
    return c;
}

constexpr std::array<std::uint8_t, 256> kClass = MakeClasses();

bool StartsNumber(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.'; }

}  // namespace

void Lexer::SkipBlanksAndComments()
{
    while (pos_ < text_.size()) {
        const char c = text_[pos_];
        if (kClass[static_cast<unsigned char>(c)] == kBlank) {
            if (c == '\n')
                ++line_;
            ++pos_;
        } else if (c == '#' || (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/')) {
            while (pos_ < text_.size() && text_[pos_] != '\n')
                ++pos_;
        } else {
            return;
        }
    }
}

Token Lexer::Next()
{
    SkipBlanksAndComments();
    Token t;
    t.line = line_;
    if (pos_ >= text_.size())
        return t;
    const char c = text_[pos_];
    auto single = [&](TokenKind kind) {
        t.kind = kind;
        t.text = text_.substr(pos_++, 1);
        return t;
    };
    auto delimited = [&](char close, TokenKind kind) {
        const std::size_t start = ++pos_;
        while (pos_ < text_.size() && text_[pos_] != close) {
            if (text_[pos_] == '\n')
                ++line_;
            ++pos_;
        }
        if (pos_ >= text_.size()) {
            t.kind = TokenKind::Error;
            return t;
        }
        t.kind = kind;
        t.text = text_.substr(start, pos_ - start);
        ++pos_;
        return t;
    };
    switch (c) {
    case '{': return single(TokenKind::OpenBrace);
    case '}': return single(TokenKind::CloseBrace);
    case '[': return single(TokenKind::OpenBracket);
    case ']': return single(TokenKind::CloseBracket);
    case ';': return single(TokenKind::Semicolon);
    case ',': return single(TokenKind::Comma);
    case '"': return delimited('"', TokenKind::String);
    case '<': return delimited('>', TokenKind::Guid);
    default: break;
    }
    if (kClass[static_cast<unsigned char>(c)] != kWord) {
        t.kind = TokenKind::Error;
        t.text = text_.substr(pos_, 1);
        return t;
    }
    const std::size_t start = pos_;
    while (pos_ < text_.size() && kClass[static_cast<unsigned char>(text_[pos_])] == kWord &&
           !(text_[pos_] == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/'))
        ++pos_;
    t.text = text_.substr(start, pos_ - start);
    t.kind = StartsNumber(c) ? TokenKind::Number : TokenKind::Name;
    return t;
}

}  // namespace rm::xfile
