#pragma once
// A team's colour as the console shows it: a round mark beside the team's
// name, in the header, on the rule card and in the standings. The name says
// which team it is; the mark matches it with the big screen and the phones.

#include "game/match.h"

#include <QColor>
#include <QIdentityProxyModel>
#include <QPixmap>
#include <QString>

#include <cstddef>
#include <optional>

namespace caici {

class StandingsModel;

struct NamedTeam {
    QString name;
    QColor colour;
};

// The colour of place in teamPalette.
QColor teamColour(std::size_t place);
// Team team (from 0) of match; none outside a match or for a place it lacks.
std::optional<NamedTeam> namedTeam(const std::optional<Match>& match, int team);
// A round mark of colour, size pixels across, ringed so that it stands out on
// the console's dark ground whatever the colour.
QPixmap teamMarkPixmap(const QColor& colour, int size);

// The standings with each team's mark beside its name, unless the standings
// already draw one.
class MarkedStandings : public QIdentityProxyModel {
    Q_OBJECT
public:
    static constexpr int markSize = 16;

    MarkedStandings(StandingsModel& standings, QObject* parent);

    QVariant data(const QModelIndex& index, int role) const override;

private:
    StandingsModel& standings_;
};

}  // namespace caici
