#pragma once
// Splits RTF into tokens: braces, control words with their numeric parameter, control symbols,
// \'xx bytes and runs of plain text. It never reads past the end of its input; a truncated
// escape at the end is dropped, and a parameter too large for an int saturates.

#include <QByteArrayView>

namespace strikon::rtf {

struct Token {
    enum class Kind { End, GroupOpen, GroupClose, Word, Symbol, HexByte, Text };
    Kind kind = Kind::End;
    QByteArrayView word;  // Word: the letters of the control word; Text: the run of bytes
    bool hasParam = false;
    int param = 0;    // Word: the parameter; HexByte: the byte value
    char symbol = 0;  // Symbol: the character after the backslash
};

class Lexer {
  public:
    explicit Lexer(QByteArrayView input) : input_(input) {}

    Token next();

  private:
    Token controlAfterBackslash();
    Token controlWord();
    Token hexByte();
    Token textRun();
    void skipBinary(int count);
    bool atEnd() const { return pos_ >= input_.size(); }
    char peek() const { return input_[pos_]; }

    QByteArrayView input_;
    qsizetype pos_ = 0;
};

// Largest magnitude a parameter may take; longer digit strings saturate here.
inline constexpr int kMaxParam = 1'000'000'000;

}  // namespace strikon::rtf
