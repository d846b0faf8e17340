#include "tables/match_models.h"

#include "common/number_text.h"
#include "texts/user_texts.h"

#include <QBrush>
#include <QColor>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace caici {
namespace {

const QColor correctColor(128, 255, 128);
const QColor skippedColor(255, 128, 128);
const QColor missedColor(190, 190, 190);

QVariant shown(const QString& text, int role) {
    // What is drawn is what is read out.
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return text;
    return {};
}

}  // namespace

QString verdictText(const ReviewEntry& entry) {
    switch (entry.verdict) {
    case Verdict::correct: return QStringLiteral("✓ +%1").arg(entry.entry.points);
    case Verdict::skipped: return QStringLiteral("✗ 跳过");
    case Verdict::missed: return QStringLiteral("✗");
    case Verdict::foul: return QStringLiteral("✗ 犯规");
    }
    return {};
}

QString rankText(const Standing& standing) {
    return standing.tied ? QStringLiteral("%1 并列").arg(standing.rank) : QString::number(standing.rank);
}

QString matchStatusText(const Match& match) {
    const std::optional<NextRound> next = match.next();
    return next ? nextRoundText(match, *next) : QStringLiteral("比赛结束");
}

namespace {

QString teamName(const std::vector<std::string>& teams, int team) {
    return team >= 0 && static_cast<std::size_t>(team) < teams.size()
               ? QString::fromStdString(teams[static_cast<std::size_t>(team)])
               : QString();
}

QString withActor(const QString& team, const std::string& actor) {
    return actor.empty() ? team : team + QStringLiteral("（表演：%1）").arg(QString::fromStdString(actor));
}

}  // namespace

QString nextRoundText(const Match& match, const NextRound& next) {
    const QString team = withActor(teamName(match.teams(), next.team), next.actor);
    if (next.stage == MatchStage::regular) {
        return QStringLiteral("下一轮：第%1轮 · %2 · %3")
            .arg(next.pass)
            .arg(QString::fromStdString(roundKindName(next.kind)), team);
    }
    const std::vector<Standing> standings = match.standings();
    QStringList playing;
    if (next.stage == MatchStage::final) {
        // The top two, in the order they stand.
        for (std::size_t place = 0; place < std::min<std::size_t>(2, standings.size()); ++place) {
            playing << QString::fromStdString(standings[place].name);
        }
    } else {
        // Tie-break rounds leave the totals as they were: the teams still
        // equal with the next one in score and skips play them.
        const auto nextStanding = std::find_if(standings.begin(), standings.end(),
                                               [&](const Standing& standing) { return standing.team == next.team; });
        for (std::size_t place = 0; place < match.teams().size(); ++place) {
            const auto standing = std::find_if(standings.begin(), standings.end(), [&](const Standing& each) {
                return each.team == static_cast<int>(place);
            });
            if (nextStanding != standings.end() && standing != standings.end() &&
                standing->score == nextStanding->score && standing->skips == nextStanding->skips) {
                playing << QString::fromStdString(standing->name);
            }
        }
    }
    const QString stage = next.stage == MatchStage::final ? QStringLiteral("决赛（双倍分）") : QStringLiteral("加赛");
    return QStringLiteral("%1：%2 · 轮到：%3").arg(stage, playing.join(QStringLiteral("、")), team);
}

QStringList awardLines(const Awards& awards, const std::vector<std::string>& teams) {
    QStringList lines;
    if (!awards.bestActor.empty()) {
        QStringList names;
        for (const PlayerAward& award : awards.bestActor) {
            names << QStringLiteral("%1（%2）").arg(QString::fromStdString(award.player), teamName(teams, award.team));
        }
        lines << QStringLiteral("最佳表演：%1%2 分").arg(names.join(QStringLiteral("、"))).arg(awards.bestActor.front().points);
    }
    if (!awards.fastest.empty()) {
        QStringList names;
        for (const PlayerAward& award : awards.fastest) names << QString::fromStdString(award.player);
        // Tenths of a second, rounded half up.
        const std::int64_t tenths = (awards.fastest.front().medianMilliseconds + 50) / 100;
        lines << QStringLiteral("神速：%1 中位 %2.%3 秒").arg(names.join(QStringLiteral("、"))).arg(tenths / 10).arg(tenths % 10);
    }
    return lines;
}

ReviewModel::ReviewModel(const Game& game, QObject* parent) : QAbstractTableModel(parent), game_(game) {}

void ReviewModel::refresh() {
    beginResetModel();
    endResetModel();
}

int ReviewModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !game_.review()) return 0;
    return static_cast<int>(game_.review()->entries().size());
}

int ReviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns;
}

QVariant ReviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !game_.review()) return {};
    const ReviewEntry& entry = game_.review()->entries().at(static_cast<std::size_t>(index.row()));
    if (role == Qt::ForegroundRole) {
        if (index.column() == word) return QBrush(Qt::white);
        return QBrush(entry.verdict == Verdict::correct   ? correctColor
                      : entry.verdict == Verdict::skipped || entry.verdict == Verdict::foul ? skippedColor
                                                          : missedColor);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignVCenter | (index.column() == word ? Qt::AlignLeft : Qt::AlignHCenter));
    }
    return shown(index.column() == word ? QString::fromStdString(entry.entry.word) : verdictText(entry), role);
}

QVariant ReviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return shown(QString::number(section + 1), role);
    return shown(section == word ? QStringLiteral("词") : QStringLiteral("结果"), role);
}

StandingsModel::StandingsModel(const Game& game, QObject* parent) : QAbstractTableModel(parent), game_(game) {}

void StandingsModel::refresh() {
    beginResetModel();
    standings_ = game_.match() ? game_.match()->standings() : std::vector<Standing>{};
    endResetModel();
}

int StandingsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(standings_.size());
}

int StandingsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns;
}

StandingsModel::ColumnLook StandingsModel::look(Column column) {
    if (column == team) return {Qt::white, Qt::AlignVCenter | Qt::AlignLeft, false};
    return {correctColor, Qt::AlignCenter, column != rank};
}

QString StandingsModel::title(Column column) {
    if (column < 0 || column >= columns) return {};
    return QString::fromUtf8(standingsTitles.at(static_cast<std::size_t>(column)));
}

QString StandingsModel::text(const Standing& standing, Column column) {
    switch (column) {
    case rank: return rankText(standing);
    case team: return QString::fromStdString(standing.name);
    case score: return QString::fromStdString(threeDigits(standing.score));
    case skips: return QString::number(standing.skips);
    case rounds: return QString::number(standing.rounds);
    default: return {};
    }
}

QVariant StandingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() >= columns) return {};
    const auto column = static_cast<Column>(index.column());
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(look(column).alignment);
    if (role == Qt::ForegroundRole) return QBrush(look(column).color);
    return shown(text(standings_.at(static_cast<std::size_t>(index.row())), column), role);
}

QVariant StandingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columns) return {};
    return shown(title(static_cast<Column>(section)), role);
}

}  // namespace caici
