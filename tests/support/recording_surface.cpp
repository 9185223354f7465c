#include "tests/support/recording_surface.h"

namespace strikon::testing {

RecordingSurface::GlyphWidth RecordingSurface::Fixed(int32_t width) {
    return [width](char, int32_t) { return width; };
}

RecordingSurface::RecordingSurface(GlyphWidth glyphWidth) : glyphWidth_(std::move(glyphWidth)) {}

void RecordingSurface::fillRect(const Rect& r) {
    ops_.push_back({OpKind::FillRect, r, 0, 0, {}, height_});
}

void RecordingSurface::moveTo(int32_t x, int32_t y) {
    ops_.push_back({OpKind::MoveTo, {}, x, y, {}, height_});
}

void RecordingSurface::lineTo(int32_t x, int32_t y) {
    ops_.push_back({OpKind::LineTo, {}, x, y, {}, height_});
}

void RecordingSurface::setFont(const std::string& face, int32_t cellHeight) {
    height_ = cellHeight;
    ops_.push_back({OpKind::SetFont, {}, 0, 0, face, cellHeight});
}

int32_t RecordingSurface::textWidth(const std::string& text) {
    ops_.push_back({OpKind::TextWidth, {}, 0, 0, text, height_});
    int32_t width = 0;
    for (char c : text) {
        width += glyphWidth_(c, height_);
    }
    return width;
}

void RecordingSurface::textInBox(const Rect& box, int32_t x, int32_t y, const std::string& text) {
    ops_.push_back({OpKind::TextInBox, box, x, y, text, height_});
}

void RecordingSurface::textAt(int32_t x, int32_t y, const std::string& text) {
    ops_.push_back({OpKind::TextAt, {}, x, y, text, height_});
}

std::vector<Op> RecordingSurface::opsOf(OpKind kind) const {
    std::vector<Op> out;
    for (const Op& op : ops_) {
        if (op.kind == kind) {
            out.push_back(op);
        }
    }
    return out;
}

std::vector<Column> RecordingSurface::columns() const {
    std::vector<Column> out;
    for (size_t i = 0; i + 1 < ops_.size(); ++i) {
        if (ops_[i].kind == OpKind::MoveTo && ops_[i + 1].kind == OpKind::LineTo) {
            out.push_back({ops_[i].x, ops_[i].y, ops_[i + 1].y});
        }
    }
    return out;
}

std::vector<Op> RecordingSurface::texts() const {
    std::vector<Op> out;
    for (const Op& op : ops_) {
        if (op.kind == OpKind::TextInBox || op.kind == OpKind::TextAt) {
            out.push_back(op);
        }
    }
    return out;
}

}  // namespace strikon::testing
