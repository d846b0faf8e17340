#pragma once
// The window's background picture under a dark veil, behind every panel that
// covers the guessing window (the review, the scoreboard, the rule card). The
// picture is scaled to the panel only while it shows: at 4K a scaled copy is
// 33 MB, and the panels wait hidden most of the evening.

#include <QColor>
#include <QPixmap>
#include <QSize>

class QPainter;

namespace caici {

inline const QColor panelGround(45, 45, 45);
inline const QColor panelVeil(0, 0, 0, 150);

class PanelBackdrop {
public:
    // background outlives the backdrop.
    explicit PanelBackdrop(const QPixmap& background) : background_(background) {}

    // Scales the picture to size when it is not already.
    void fit(QSize size);
    // Lets the scaled copy go (the panel is hidden).
    void release() { scaled_ = QPixmap(); }
    // Fills size from the top left corner.
    void paint(QPainter& painter, QSize size) const;

private:
    const QPixmap& background_;
    QPixmap scaled_;
};

}  // namespace caici
