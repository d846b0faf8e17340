#include "console/team_mark.h"

#include "tables/match_models.h"

#include <QPainter>

namespace caici {

QColor teamColour(std::size_t place) {
    return QColor(QRgb(0xff000000u | teamPalette[place % teamPaletteSize]));
}

std::optional<NamedTeam> namedTeam(const std::optional<Match>& match, int team) {
    if (!match || team < 0) return std::nullopt;
    const auto place = static_cast<std::size_t>(team);
    const std::vector<MatchTeam>& teams = match->setup().teams;
    if (place >= teams.size()) return std::nullopt;
    return NamedTeam{QString::fromStdString(teams[place].name), teamColour(teams[place].colour)};
}

QPixmap teamMarkPixmap(const QColor& colour, int size) {
    QPixmap mark(size, size);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal ring = size / 8.0;
    painter.setPen(QPen(QColor(0xf0, 0xf0, 0xf0), ring));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(ring / 2, ring / 2, size - ring, size - ring));
    return mark;
}

MarkedStandings::MarkedStandings(StandingsModel& standings, QObject* parent)
    : QIdentityProxyModel(parent), standings_(standings) {
    setSourceModel(&standings);
}

QVariant MarkedStandings::data(const QModelIndex& index, int role) const {
    QVariant shown = QIdentityProxyModel::data(index, role);
    if (role != Qt::DecorationRole || index.column() != StandingsModel::team || shown.isValid()) return shown;
    const auto row = static_cast<std::size_t>(mapToSource(index).row());
    if (row >= standings_.standings().size()) return shown;
    return teamMarkPixmap(teamColour(standings_.standings()[row].colour), markSize);
}

}  // namespace caici
