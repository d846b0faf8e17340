#include "round/anchor_layout.h"

#include <QWidget>

#include <algorithm>

namespace caici {

QRect AnchoredPlacement::placedIn(QSize newParentSize) const {
    const int dw = newParentSize.width() - parentSize.width();
    const int dh = newParentSize.height() - parentSize.height();
    int left = rect.left();
    int width = rect.width();
    if (anchors.has(Anchor::right)) {
        if (anchors.has(Anchor::left)) {
            width += dw;
        } else {
            left += dw;
        }
    }
    int top = rect.top();
    int height = rect.height();
    if (anchors.has(Anchor::bottom)) {
        if (anchors.has(Anchor::top)) {
            height += dh;
        } else {
            top += dh;
        }
    }
    // A stretched control never turns inside out when the parent gets small.
    return {left, top, std::max(width, 0), std::max(height, 0)};
}

AnchorLayout::AnchorLayout(const QWidget& parent) : parent_(parent) {}

void AnchorLayout::add(QWidget& child, const QRect& rect, Anchors anchors) {
    child.setGeometry(rect);
    if (Entry* entry = find(child)) {
        entry->placement = {rect, parent_.size(), anchors};
        return;
    }
    entries_.push_back({&child, {rect, parent_.size(), anchors}});
}

void AnchorLayout::move(QWidget& child, const QRect& rect) {
    Entry* entry = find(child);
    add(child, rect, entry ? entry->placement.anchors : Anchors{});
}

void AnchorLayout::parentResized() {
    for (const Entry& entry : entries_) {
        entry.child->setGeometry(entry.placement.placedIn(parent_.size()));
    }
}

AnchorLayout::Entry* AnchorLayout::find(const QWidget& child) {
    for (Entry& entry : entries_) {
        if (entry.child == &child) return &entry;
    }
    return nullptr;
}

}  // namespace caici
