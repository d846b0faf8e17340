#pragma once
// The review of a round on the big screen: the team, every word shown with
// ✓ and its points or ✗, the total and the skips. A click on a word, or the
// arrow keys and Space, mend a misclick; Enter ("确认") confirms the round
// for the match, "下一轮" starts the next round at once (what was reviewed
// so far counts). For a round closed early the host says whether it counts.

#include "round/overlay_panel.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace caici {

class MarkedLabel;
class Game;
class ReviewModel;

class ReviewPanel : public OverlayPanel {
    Q_OBJECT
public:
    ReviewPanel(QWidget& parent, const QPixmap& background, Game& game, const QString& digitalFamily);

    // The game's review changed: show it as it stands now.
    void refresh();

    QTableView* table = nullptr;
    MarkedLabel* team = nullptr;
    QLabel* total = nullptr;
    QCheckBox* counts = nullptr;
    QPushButton* confirm = nullptr;
    QPushButton* next = nullptr;

protected:
    void layOut(const QRect& content, const QRect& buttons) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Game& game_;
    ReviewModel* model_ = nullptr;
    QString digitalFamily_;
};

}  // namespace caici
