#include "rtf_reader.h"

#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <vector>

#include "code_page.h"
#include "document_builder.h"
#include "rtf_lexer.h"
#include "rtf_state.h"
#include "rtf_tables.h"
#include "rtf_words.h"

namespace strikon {

namespace {

using rtf::Destination;
using rtf::GroupState;
using rtf::Token;

// Deeper groups than this share the state of the deepest one kept; real documents nest a few
// dozen levels at most, and the cap bounds memory whatever the input.
constexpr size_t kMaxGroupDepth = 1000;
constexpr int kMaxHalfPoints = 3276;  // 1638 pt, the largest size word processors offer
constexpr int kMinHalfPoints = 2;
constexpr int kMaxTwips = 31680;  // 22 inches, the widest page RTF writers allow
constexpr int kMaxUnicodeSkip = 16;

// Document lengths in Qt are pixels at 96 per inch; a twip is 1/1440 inch.
qreal twipsToPixels(int twips) {
    return twips / 15.0;
}

int clampTwips(int twips) {
    return std::clamp(twips, -kMaxTwips, kMaxTwips);
}

bool toggleOn(const Token& token) {
    return !token.hasParam || token.param != 0;
}

class Reader {
  public:
    Reader(QByteArrayView rtf, QTextDocument& document) : lexer_(rtf), builder_(document) {}

    void run();

  private:
    GroupState& state() { return stack_.back(); }
    const GroupState& state() const { return stack_.back(); }

    void openGroup();
    void closeGroup();
    void onWord(const Token& token);
    void onSymbol(char symbol);
    void onTextByte(unsigned char byte);
    bool consumeSkippedByte();

    bool destinationWord(QByteArrayView word);
    bool headerWord(const Token& token);
    bool charWord(const Token& token);
    bool paraWord(const Token& token);
    void fontTableWord(const Token& token);
    void colorTableWord(const Token& token);

    void appendChar(char16_t unit);
    void flush();
    void endParagraph();
    int fontIndex() const;
    QTextCharFormat charFormat() const;
    QTextBlockFormat blockFormat() const;

    rtf::Lexer lexer_;
    rtf::DocumentBuilder builder_;
    std::vector<GroupState> stack_{GroupState{}};
    size_t overflowDepth_ = 0;  // groups opened past kMaxGroupDepth
    rtf::FontTable fonts_;
    rtf::ColorTable colors_;
    int codePage_ = 1252;
    int defaultFont_ = 0;
    int skipAfterUnicode_ = 0;  // fallback bytes still to drop after a \uN
    // Text not yet written, all in pendingFormat_. Control words and groups only mark the
    // format as possibly changed; text is written out when its format really changes, so
    // words that change nothing (unknown ones, a repeated \\b) do not cut it into pieces.
    QString pending_;
    QTextCharFormat pendingFormat_;
    bool formatMayChange_ = true;
    bool lastBlockFormatted_ = false;  // the current block has its final formats
};

void Reader::run() {
    for (Token token = lexer_.next(); token.kind != Token::Kind::End; token = lexer_.next()) {
        switch (token.kind) {
            case Token::Kind::GroupOpen:
                openGroup();
                break;
            case Token::Kind::GroupClose:
                closeGroup();
                break;
            case Token::Kind::Word:
                onWord(token);
                break;
            case Token::Kind::Symbol:
                onSymbol(token.symbol);
                break;
            case Token::Kind::HexByte:
                onTextByte(static_cast<unsigned char>(token.param));
                break;
            case Token::Kind::Text:
                for (char c : token.word) {
                    // Line ends in RTF source are layout of the file, not of the text.
                    if (c != '\r' && c != '\n') {
                        onTextByte(static_cast<unsigned char>(c));
                    }
                }
                break;
            case Token::Kind::End:
                break;
        }
    }
    flush();
    if (!lastBlockFormatted_) {
        builder_.finish(blockFormat(), charFormat());
    }
}

void Reader::openGroup() {
    formatMayChange_ = true;
    skipAfterUnicode_ = 0;
    if (stack_.size() >= kMaxGroupDepth) {
        ++overflowDepth_;
        return;
    }
    stack_.push_back(state());
}

void Reader::closeGroup() {
    formatMayChange_ = true;
    skipAfterUnicode_ = 0;
    if (overflowDepth_ > 0) {
        --overflowDepth_;
        return;
    }
    if (stack_.size() <= 1) {
        return;  // an unmatched '}' closes nothing
    }
    if (state().destination == Destination::FontTable) {
        fonts_.endEntry();
    }
    if (stack_.size() == 2 && state().destination == Destination::Body) {
        // The document's own group ends: its last paragraph takes the properties in force
        // here, not those outside it.
        flush();
        builder_.finish(blockFormat(), charFormat());
        lastBlockFormatted_ = true;
    }
    stack_.pop_back();
}

void Reader::onWord(const Token& token) {
    formatMayChange_ = true;
    if (state().destination == Destination::Skip) {
        return;
    }
    if (skipAfterUnicode_ > 0) {
        --skipAfterUnicode_;  // a control word may stand in for a \uN too
        return;
    }
    if (destinationWord(token.word) || headerWord(token)) {
        return;
    }
    switch (state().destination) {
        case Destination::FontTable:
            fontTableWord(token);
            break;
        case Destination::ColorTable:
            colorTableWord(token);
            break;
        case Destination::Body:
            if (!charWord(token)) {
                paraWord(token);
            }
            break;
        case Destination::Skip:
            break;
    }
}

void Reader::onSymbol(char symbol) {
    if (state().destination == Destination::Skip) {
        return;
    }
    if (symbol == '*') {
        // "{\*\word ...}": a destination this reader need not know; its text is never shown.
        state().destination = Destination::Skip;
        return;
    }
    if (consumeSkippedByte()) {
        return;
    }
    switch (symbol) {
        case '\\':
        case '{':
        case '}':
            onTextByte(static_cast<unsigned char>(symbol));
            break;
        case '~':
            appendChar(0x00A0);
            break;  // non-breaking space
        case '-':
            appendChar(0x00AD);
            break;  // optional hyphen
        case '_':
            appendChar(0x2011);
            break;  // non-breaking hyphen
        default:
            break;  // index and formula marks: nothing to show
    }
}

void Reader::onTextByte(unsigned char byte) {
    if (consumeSkippedByte()) {
        return;
    }
    switch (state().destination) {
        case Destination::Body:
            appendChar(rtf::decodeByte(fonts_.codePage(fontIndex(), codePage_), byte));
            break;
        case Destination::FontTable:
            fonts_.appendNameByte(static_cast<char>(byte));
            break;
        case Destination::ColorTable:
            if (byte == ';') {
                colors_.endEntry();
            }
            break;
        case Destination::Skip:
            break;
    }
}

bool Reader::consumeSkippedByte() {
    if (skipAfterUnicode_ == 0) {
        return false;
    }
    --skipAfterUnicode_;
    return true;
}

bool Reader::destinationWord(QByteArrayView word) {
    if (word == "fonttbl") {
        state().destination = Destination::FontTable;
    } else if (word == "colortbl") {
        state().destination = Destination::ColorTable;
    } else if (rtf::isHiddenDestination(word)) {
        state().destination = Destination::Skip;
    } else {
        return false;
    }
    return true;
}

bool Reader::headerWord(const Token& token) {
    const QByteArrayView word = token.word;
    if (word == "ansicpg" && token.hasParam && token.param > 0) {
        codePage_ = token.param;
    } else if (word == "ansi") {
        codePage_ = 1252;
    } else if (word == "deff" && token.hasParam) {
        defaultFont_ = token.param;
    } else if (word == "uc" && token.hasParam) {
        state().unicodeSkip = std::clamp(token.param, 0, kMaxUnicodeSkip);
    } else if (word == "u" && token.hasParam) {
        // Negative values are how RTF writes code units above 32767.
        const int unit = token.param < 0 ? token.param + 65536 : token.param;
        if (unit > 0 && unit <= 0xFFFF && state().destination == Destination::Body) {
            appendChar(static_cast<char16_t>(unit));
        }
        skipAfterUnicode_ = state().unicodeSkip;
    } else {
        return false;
    }
    return true;
}

bool Reader::charWord(const Token& token) {
    rtf::CharProps& chars = state().chars;
    const QByteArrayView word = token.word;
    if (word == "plain") {
        chars = rtf::CharProps{};
    } else if (word == "b") {
        chars.bold = toggleOn(token);
    } else if (word == "i") {
        chars.italic = toggleOn(token);
    } else if (rtf::isUnderlineWord(word)) {
        chars.underline = toggleOn(token);
    } else if (word == "ulnone") {
        chars.underline = false;
    } else if (word == "strike") {
        chars.strike = toggleOn(token);
    } else if (word == "v") {
        chars.hidden = toggleOn(token);
    } else if (word == "fs" && token.hasParam) {
        chars.halfPoints = std::clamp(token.param, kMinHalfPoints, kMaxHalfPoints);
    } else if (word == "f" && token.hasParam) {
        chars.font = token.param;
    } else if (word == "cf" && token.hasParam) {
        chars.color = token.param;
    } else {
        return false;  // \lang and every other word leave the characters as they are
    }
    return true;
}

bool Reader::paraWord(const Token& token) {
    rtf::ParaProps& para = state().para;
    const QByteArrayView word = token.word;
    const int twips = clampTwips(token.param);
    if (word == "par" || word == "sect" || word == "page" || word == "row") {
        endParagraph();
    } else if (const char16_t special = rtf::specialCharacter(word); special != 0) {
        appendChar(special);
    } else if (word == "pard") {
        para = rtf::ParaProps{};
    } else if (word == "fi") {
        para.firstIndent = twips;
    } else if (word == "li") {
        para.leftIndent = twips;
    } else if (word == "ri") {
        para.rightIndent = twips;
    } else if (word == "sb") {
        para.spaceBefore = std::max(twips, 0);
    } else if (word == "sa") {
        para.spaceAfter = std::max(twips, 0);
    } else if (word == "ql") {
        para.alignment = Qt::AlignLeft;
    } else if (word == "qc") {
        para.alignment = Qt::AlignHCenter;
    } else if (word == "qr") {
        para.alignment = Qt::AlignRight;
    } else if (word == "qj") {
        para.alignment = Qt::AlignJustify;
    } else {
        return false;
    }
    return true;
}

void Reader::fontTableWord(const Token& token) {
    if (!token.hasParam) {
        return;
    }
    if (token.word == "f") {
        fonts_.beginEntry(token.param);
    } else if (token.word == "fcharset") {
        fonts_.setCharset(token.param);
    } else if (token.word == "cpg") {
        fonts_.setCodePage(token.param);
    }
}

void Reader::colorTableWord(const Token& token) {
    if (!token.hasParam) {
        return;
    }
    if (token.word == "red") {
        colors_.setRed(token.param);
    } else if (token.word == "green") {
        colors_.setGreen(token.param);
    } else if (token.word == "blue") {
        colors_.setBlue(token.param);
    }
}

void Reader::appendChar(char16_t unit) {
    if (state().destination == Destination::Body && !state().chars.hidden) {
        if (formatMayChange_) {
            formatMayChange_ = false;
            if (QTextCharFormat format = charFormat(); format != pendingFormat_) {
                flush();
                pendingFormat_ = std::move(format);
            }
        }
        pending_.append(QChar(unit));
        lastBlockFormatted_ = false;
    }
}

void Reader::flush() {
    if (!pending_.isEmpty()) {
        builder_.appendText(pending_, pendingFormat_);
        pending_.clear();
    }
}

void Reader::endParagraph() {
    flush();
    builder_.endParagraph(blockFormat(), charFormat());
    lastBlockFormatted_ = false;
}

int Reader::fontIndex() const {
    return state().chars.font < 0 ? defaultFont_ : state().chars.font;
}

QTextCharFormat Reader::charFormat() const {
    const rtf::CharProps& chars = state().chars;
    QTextCharFormat format;
    const QString family = fonts_.family(fontIndex(), codePage_);
    if (!family.isEmpty()) {
        format.setFontFamilies({family});
    }
    format.setFontPointSize(chars.halfPoints / 2.0);
    format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(chars.italic);
    format.setFontUnderline(chars.underline);
    format.setFontStrikeOut(chars.strike);
    if (const QColor color = colors_.color(chars.color); color.isValid()) {
        format.setForeground(color);
    }
    return format;
}

QTextBlockFormat Reader::blockFormat() const {
    const rtf::ParaProps& para = state().para;
    QTextBlockFormat format;
    format.setAlignment(para.alignment);
    format.setTextIndent(twipsToPixels(para.firstIndent));
    format.setLeftMargin(twipsToPixels(para.leftIndent));
    format.setRightMargin(twipsToPixels(para.rightIndent));
    format.setTopMargin(twipsToPixels(para.spaceBefore));
    format.setBottomMargin(twipsToPixels(para.spaceAfter));
    return format;
}

}  // namespace

void readRtf(QByteArrayView rtf, QTextDocument& document) {
    document.clear();
    // One edit without undo records: the document lays itself out once, at the end, instead of
    // after every piece of text.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    QTextCursor edit(&document);
    edit.beginEditBlock();
    Reader(rtf, document).run();
    edit.endEditBlock();
    document.setUndoRedoEnabled(undo);
}

std::unique_ptr<QTextDocument> readRtf(QByteArrayView rtf) {
    auto document = std::make_unique<QTextDocument>();
    readRtf(rtf, *document);
    return document;
}

}  // namespace strikon
