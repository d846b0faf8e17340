#include "tables/match_models.h"

#include "common/number_text.h"
#include "texts/user_texts.h"

#include <QBrush>
#include <QColor>

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
    if (match.finished()) return QStringLiteral("比赛结束");
    return QStringLiteral("第 %1 轮 · 下一队：%2")
        .arg(match.pass())
        .arg(QString::fromStdString(match.teams().at(static_cast<std::size_t>(match.nextTeam()))));
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
