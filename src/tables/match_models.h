#pragma once
// The review of a round and the match's standings as tables, for the views
// that draw them and for assistive technology, which reads every cell as it
// is drawn. Both read the game afresh whenever it says they changed.

#include "game/game.h"

#include <QAbstractTableModel>
#include <QColor>

namespace caici {

class ReviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { word, verdict, columns };

    explicit ReviewModel(const Game& game, QObject* parent = nullptr);

    // The game's review changed: read it again.
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const Game& game_;
};

class StandingsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { rank, team, score, skips, rounds, columns };

    // How a column looks wherever the standings are drawn: on the big screen
    // and in the exported picture alike.
    struct ColumnLook {
        QColor color;
        Qt::Alignment alignment;
        // Numbers in the game's seven-segment face, like the time and score.
        bool digits = false;
    };
    static ColumnLook look(Column column);
    static QString title(Column column);
    static QString text(const Standing& standing, Column column);

    explicit StandingsModel(const Game& game, QObject* parent = nullptr);

    void refresh();
    const std::vector<Standing>& standings() const { return standings_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const Game& game_;
    std::vector<Standing> standings_;
};

// How a review shows a word's verdict: "✓ +3", "✗ 跳过", "✗".
QString verdictText(const ReviewEntry& entry);
// A rank as the scoreboard shows it: "2" or "2 并列".
QString rankText(const Standing& standing);
// What the scoreboard says under its title: "比赛结束", or the pass and the
// team whose turn it is.
QString matchStatusText(const Match& match);

}  // namespace caici
