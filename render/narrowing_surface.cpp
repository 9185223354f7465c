#include "render/narrowing_surface.h"

#include <algorithm>

namespace strikon {

NarrowingSurface::NarrowingSurface(Surface& target, int32_t reduction,
                                   std::optional<int32_t> keepFromRow)
    : target_(target), reduction_(std::max(reduction, 0)), keepFromRow_(keepFromRow) {}

NarrowingSurface::~NarrowingSurface() {
    finish();
}

bool NarrowingSurface::continuesRun(const Column& c) const {
    if (run_.empty()) {
        return false;
    }
    const Column& last = run_.back();
    return c.x == last.x + 1 && c.from == last.from && c.to == last.to;
}

void NarrowingSurface::finish() {
    if (run_.empty()) {
        return;
    }
    const int32_t columns = static_cast<int32_t>(run_.size());
    const int32_t kept = std::max(columns - reduction_, 1);
    const int32_t left = (columns - kept) / 2;
    for (int32_t i = left; i < left + kept; ++i) {
        const Column& c = run_[static_cast<size_t>(i)];
        target_.moveTo(c.x, c.from);
        target_.lineTo(c.x, c.to);
    }
    run_.clear();
}

void NarrowingSurface::fillRect(const Rect& r) {
    finish();
    target_.fillRect(r);
}

void NarrowingSurface::moveTo(int32_t x, int32_t y) {
    penX_ = x;
    penY_ = y;
    penKnown_ = true;
}

void NarrowingSurface::lineTo(int32_t x, int32_t y) {
    const Column c{x, penY_, y};
    const bool bar = penKnown_ && x == penX_ && y != penY_ && c.from != keepFromRow_;
    if (bar && continuesRun(c)) {
        run_.push_back(c);
    } else {
        finish();
        if (bar) {
            run_.push_back(c);
        } else {
            if (penKnown_) {
                target_.moveTo(penX_, penY_);
            }
            target_.lineTo(x, y);
        }
    }
    moveTo(x, y);
}

void NarrowingSurface::setFont(const std::string& face, int32_t cellHeight) {
    target_.setFont(face, cellHeight);
}

int32_t NarrowingSurface::textWidth(const std::string& text) {
    return target_.textWidth(text);
}

void NarrowingSurface::textInBox(const Rect& box, int32_t x, int32_t y, const std::string& text) {
    finish();
    target_.textInBox(box, x, y, text);
}

void NarrowingSurface::textAt(int32_t x, int32_t y, const std::string& text) {
    finish();
    target_.textAt(x, y, text);
    penKnown_ = false;
}

}  // namespace strikon
