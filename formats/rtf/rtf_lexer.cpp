#include "rtf_lexer.h"

namespace strikon::rtf {

namespace {

// A control word is at most 32 letters; longer ones are read whole but cut to this length.
constexpr qsizetype kMaxWordLength = 32;

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

Token tokenOf(Token::Kind kind, int param = 0) {
    Token token;
    token.kind = kind;
    token.param = param;
    return token;
}

}  // namespace

Token Lexer::next() {
    if (atEnd()) {
        return {};
    }
    const char c = peek();
    if (c == '{') {
        ++pos_;
        return tokenOf(Token::Kind::GroupOpen);
    }
    if (c == '}') {
        ++pos_;
        return tokenOf(Token::Kind::GroupClose);
    }
    if (c == '\\') {
        ++pos_;
        return controlAfterBackslash();
    }
    return textRun();
}

Token Lexer::controlAfterBackslash() {
    if (atEnd()) {
        return {};  // a lone backslash at the end says nothing
    }
    const char c = peek();
    if (isLetter(c)) {
        return controlWord();
    }
    ++pos_;
    if (c == '\'') {
        return hexByte();
    }
    // A backslash before a line end is an old spelling of \par.
    if (c == '\r' || c == '\n') {
        return {.kind = Token::Kind::Word, .word = "par"};
    }
    Token token = tokenOf(Token::Kind::Symbol);
    token.symbol = c;
    return token;
}

Token Lexer::controlWord() {
    const qsizetype start = pos_;
    while (!atEnd() && isLetter(peek())) {
        ++pos_;
    }
    Token token{.kind = Token::Kind::Word,
                .word = input_.sliced(start, std::min(pos_ - start, kMaxWordLength))};
    bool negative = false;
    if (!atEnd() && peek() == '-' && pos_ + 1 < input_.size() && isDigit(input_[pos_ + 1])) {
        negative = true;
        ++pos_;
    }
    if (!atEnd() && isDigit(peek())) {
        token.hasParam = true;
        long long value = 0;
        while (!atEnd() && isDigit(peek())) {
            value = std::min<long long>(value * 10 + (peek() - '0'), kMaxParam);
            ++pos_;
        }
        token.param = static_cast<int>(negative ? -value : value);
    }
    // One space after a control word is its delimiter, not text.
    if (!atEnd() && peek() == ' ') {
        ++pos_;
    }
    if (token.word == "bin" && token.hasParam) {
        skipBinary(token.param);
    }
    return token;
}

Token Lexer::hexByte() {
    if (pos_ + 2 > input_.size()) {
        pos_ = input_.size();
        return {};
    }
    const int high = hexValue(input_[pos_]);
    const int low = hexValue(input_[pos_ + 1]);
    if (high < 0 || low < 0) {
        // Not an escape after all: drop the \' and read on from here. An empty run rather
        // than a recursive call, so that a long chain of broken escapes cannot exhaust the stack.
        return tokenOf(Token::Kind::Text);
    }
    pos_ += 2;
    return tokenOf(Token::Kind::HexByte, high * 16 + low);
}

Token Lexer::textRun() {
    const qsizetype start = pos_;
    while (!atEnd() && peek() != '{' && peek() != '}' && peek() != '\\') {
        ++pos_;
    }
    return {.kind = Token::Kind::Text, .word = input_.sliced(start, pos_ - start)};
}

void Lexer::skipBinary(int count) {
    if (count > 0) {
        pos_ += std::min<qsizetype>(count, input_.size() - pos_);
    }
}

}  // namespace strikon::rtf
