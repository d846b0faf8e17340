#pragma once
// A panel over the whole guessing window in the game's own look: the window's
// dark background picture under a veil, a title in effect text, and sizes
// that follow the window, so it reads from the back of the room at any
// screen size. The review of a round and the scoreboard are such panels.

#include "round/panel_backdrop.h"

#include <QColor>
#include <QPixmap>
#include <QWidget>

#include <string>

class QTableView;

namespace caici {

class TCnAAFadeText;

// The warm yellow of the panels' headings, in every picture of a panel.
inline const QColor panelHeading(255, 220, 120);

class OverlayPanel : public QWidget {
    Q_OBJECT
public:
    // background is the window's picture; the panel covers parent.
    OverlayPanel(QWidget& parent, const QPixmap& background, const std::string& title);

    // The text size for the panel's lines at its present height.
    int textPixels() const;
    // The title changes at once instead of fading.
    void setInstant(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Lays the panel's own parts out below the title (content) and in the
    // bottom row (buttons), at the panel's present size.
    virtual void layOut(const QRect& content, const QRect& buttons) = 0;

    // Lays the parts out again, after a change of what they show.
    void relayOut();
    // The end of a panel's construction: its parts exist and may be laid
    // out and drawn.
    void finish();

    // A table in the panel's look: large white text, no grid.
    void styleTable(QTableView& table) const;

    TCnAAFadeText* title = nullptr;

private:
    PanelBackdrop backdrop_;
    bool built_ = false;
};

}  // namespace caici
