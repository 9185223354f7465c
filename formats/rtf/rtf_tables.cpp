#include "rtf_tables.h"

#include <algorithm>

#include "code_page.h"

namespace strikon::rtf {

namespace {

// Bounds on what a (possibly hostile) header may make us keep.
constexpr size_t kMaxFonts = 4096;
constexpr size_t kMaxColors = 4096;
constexpr qsizetype kMaxFontNameBytes = 256;

}  // namespace

void FontTable::beginEntry(int index) {
    nameDone_ = false;
    if (entries_.size() >= kMaxFonts && !entries_.contains(index)) {
        current_ = -1;
        return;
    }
    current_ = index;
    entries_[index] = Entry{};
}

void FontTable::setCharset(int charset) {
    if (auto it = entries_.find(current_); it != entries_.end()) {
        it->second.charset = charset;
    }
}

void FontTable::setCodePage(int codePage) {
    if (auto it = entries_.find(current_); it != entries_.end()) {
        it->second.codePage = codePage;
    }
}

void FontTable::appendNameByte(char byte) {
    auto it = entries_.find(current_);
    if (it == entries_.end() || nameDone_ || it->second.name.size() >= kMaxFontNameBytes) {
        return;
    }
    if (byte == ';') {
        nameDone_ = true;
        return;
    }
    it->second.name.append(byte);
}

void FontTable::endEntry() {
    nameDone_ = true;
}

int FontTable::codePage(int index, int documentCodePage) const {
    const Entry* entry = find(index);
    if (entry == nullptr) {
        return documentCodePage;
    }
    if (entry->codePage != 0) {
        return entry->codePage;
    }
    return codePageForCharset(entry->charset, documentCodePage);
}

QString FontTable::family(int index, int documentCodePage) const {
    const Entry* entry = find(index);
    if (entry == nullptr) {
        return {};
    }
    const int page = codePage(index, documentCodePage);
    QString name;
    for (char byte : entry->name) {
        name.append(QChar(decodeByte(page, static_cast<unsigned char>(byte))));
    }
    return name.trimmed();
}

const FontTable::Entry* FontTable::find(int index) const {
    auto it = entries_.find(index);
    return it == entries_.end() ? nullptr : &it->second;
}

void ColorTable::setComponent(int& component, int value) {
    component = std::clamp(value, 0, 255);
    hasComponent_ = true;
}

void ColorTable::endEntry() {
    if (colors_.size() < kMaxColors) {
        colors_.push_back(hasComponent_ ? QColor(red_, green_, blue_) : QColor());
    }
    red_ = green_ = blue_ = 0;
    hasComponent_ = false;
}

QColor ColorTable::color(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= colors_.size()) {
        return {};
    }
    return colors_[static_cast<size_t>(index)];
}

}  // namespace strikon::rtf
