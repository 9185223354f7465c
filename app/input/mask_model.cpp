#include "mask_model.h"

#include <algorithm>

namespace strikon {

namespace {

constexpr char kDigitPosition = '9';

bool isDigit(char32_t ch) {
    return ch >= U'0' && ch <= U'9';
}

// The blank is the third field of the mask; a missing or non-digit blank reads as '0', because
// every digit position must always hold a digit.
char blankOf(std::string_view mask) {
    const auto first = mask.find(';');
    if (first == std::string_view::npos) {
        return '0';
    }
    const auto second = mask.find(';', first + 1);
    if (second == std::string_view::npos || second + 1 >= mask.size()) {
        return '0';
    }
    const char blank = mask[second + 1];
    return isDigit(static_cast<unsigned char>(blank)) ? blank : '0';
}

}  // namespace

MaskModel::MaskModel(std::string_view mask, std::u32string_view text) {
    setMask(mask, text);
}

void MaskModel::setMask(std::string_view mask, std::u32string_view text) {
    pattern_ = std::string(mask.substr(0, mask.find(';')));
    blank_ = blankOf(mask);
    setText(text);
}

void MaskModel::setText(std::u32string_view text) {
    text_ = pattern_;
    for (char& ch : text_) {
        if (ch == kDigitPosition) {
            ch = blank_;
        }
    }
    feed(text, 0);
    snapshot_ = text_;
}

bool MaskModel::isDigitPosition(int pos) const {
    return pos >= 0 && pos < size() && pattern_[static_cast<size_t>(pos)] == kDigitPosition;
}

int MaskModel::nextDigitFrom(int pos) const {
    while (pos < size() && !isDigitPosition(pos)) {
        ++pos;
    }
    return pos;
}

int MaskModel::prevDigitBefore(int pos) const {
    --pos;
    while (pos >= 0 && !isDigitPosition(pos)) {
        --pos;
    }
    return pos;
}

void MaskModel::clampSelection(int& start, int& length) const {
    // In 64 bits: start + length and -length overflow an int at its extremes.
    long long first = start;
    long long count = length;
    if (count < 0) {
        first += count;
        count = -count;
    }
    first = std::clamp<long long>(first, 0, size());
    count = std::clamp<long long>(count, 0, size() - first);
    start = static_cast<int>(first);
    length = static_cast<int>(count);
}

// Places pasted characters from `pos` on and returns the position after the last one placed.
// A literal position takes a matching character as itself; any other character skips the literal
// and lands on the next position. A digit position takes a digit, or the blank for anything else.
int MaskModel::feed(std::u32string_view text, int pos) {
    for (const char32_t ch : text) {
        while (pos < size() && !isDigitPosition(pos) &&
               ch != static_cast<unsigned char>(pattern_[static_cast<size_t>(pos)])) {
            ++pos;
        }
        if (pos >= size()) {
            break;
        }
        if (isDigitPosition(pos)) {
            text_[static_cast<size_t>(pos)] = isDigit(ch) ? static_cast<char>(ch) : blank_;
        }
        ++pos;
    }
    return pos;
}

MaskEdit MaskModel::type(char32_t ch, int start, int length) {
    clampSelection(start, length);
    if (isDigit(ch)) {
        const int pos = nextDigitFrom(start);
        if (pos >= size()) {
            return {true, start};
        }
        clear(start, length);
        text_[static_cast<size_t>(pos)] = static_cast<char>(ch);
        return {false, nextDigitFrom(pos + 1)};
    }
    if (ch == U' ') {
        // Jumps past the next literal, the one under the cursor included; the text stays.
        for (int pos = start; pos < size(); ++pos) {
            if (!isDigitPosition(pos)) {
                return {false, pos + 1};
            }
        }
    }
    return {true, start};
}

MaskEdit MaskModel::clear(int start, int length) {
    clampSelection(start, length);
    for (int pos = start; pos < start + length; ++pos) {
        if (isDigitPosition(pos)) {
            text_[static_cast<size_t>(pos)] = blank_;
        }
    }
    return {false, start};
}

MaskEdit MaskModel::backspace(int start, int length) {
    clampSelection(start, length);
    if (length > 0) {
        return clear(start, length);
    }
    const int pos = prevDigitBefore(start);
    if (pos < 0) {
        return {false, start};
    }
    text_[static_cast<size_t>(pos)] = blank_;
    return {false, pos};
}

MaskEdit MaskModel::del(int start, int length) {
    clampSelection(start, length);
    if (length > 0) {
        return clear(start, length);
    }
    if (isDigitPosition(start)) {
        text_[static_cast<size_t>(start)] = blank_;
    }
    return {false, start};
}

MaskEdit MaskModel::paste(std::u32string_view text, int start, int length) {
    clampSelection(start, length);
    if (text.empty()) {
        return {false, start};
    }
    if (start >= size()) {
        return {true, start};  // nothing fits after the end of the field
    }
    clear(start, length);
    return {false, feed(text, start)};
}

bool MaskModel::restoreSnapshot() {
    if (text_ == snapshot_) {
        return false;
    }
    text_ = snapshot_;
    return true;
}

}  // namespace strikon
