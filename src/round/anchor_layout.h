#pragma once
// Keeps child widgets at fixed distances from the edges of their parent that
// they are anchored to, as the window's design expects: a control anchored
// left and right stretches with the window, one anchored right and bottom
// keeps its distance to the lower right corner. The distances are taken
// afresh whenever a control is placed by code, so a control moved by a
// handler follows the window from its new place.

#include <QRect>
#include <QSize>

#include <initializer_list>
#include <vector>

class QWidget;

namespace caici {

enum class Anchor : unsigned {
    left = 1,
    top = 2,
    right = 4,
    bottom = 8,
};

struct Anchors {
    unsigned bits = static_cast<unsigned>(Anchor::left) | static_cast<unsigned>(Anchor::top);

    constexpr Anchors() = default;
    constexpr Anchors(std::initializer_list<Anchor> list) : bits(0) {
        for (const Anchor a : list) bits |= static_cast<unsigned>(a);
    }
    constexpr bool has(Anchor a) const { return (bits & static_cast<unsigned>(a)) != 0; }
};

// Distances of a control from the four edges of a parent of a given size.
struct AnchoredPlacement {
    QRect rect;
    QSize parentSize;
    Anchors anchors;

    // Where the control goes when the parent has the new size.
    QRect placedIn(QSize newParentSize) const;
};

class AnchorLayout {
public:
    // parent's children are placed relative to parent's client size.
    explicit AnchorLayout(const QWidget& parent);

    // Places child at rect for the parent's current size and anchors it.
    void add(QWidget& child, const QRect& rect, Anchors anchors);
    // Places an anchored child by code; it keeps its anchors from there.
    void move(QWidget& child, const QRect& rect);
    // Follows a new parent size.
    void parentResized();

private:
    struct Entry {
        QWidget* child;
        AnchoredPlacement placement;
    };
    Entry* find(const QWidget& child);

    const QWidget& parent_;
    std::vector<Entry> entries_;
};

}  // namespace caici
