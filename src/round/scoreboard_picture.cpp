#include "round/scoreboard_picture.h"

#include "tables/match_models.h"
#include "round/overlay_panel.h"
#include "round/panel_backdrop.h"
#include "round/show_look.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <array>

namespace caici {
namespace {

const QColor stepColors[] = {QColor(255, 200, 40), QColor(200, 200, 210), QColor(205, 127, 50)};
const QColor stepDigits(40, 40, 40);
const QColor dateColor(210, 210, 210);

// A name on two lines, broken where the longer line is shortest; nothing
// where the name has no place to break.
QString splitInTwo(const QString& name, const QFontMetrics& metrics) {
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, name);
    QString best;
    int bestWidth = 0;
    for (qsizetype at = breaks.toNextBoundary(); at > 0 && at < name.size(); at = breaks.toNextBoundary()) {
        const QString first = name.left(at).trimmed();
        const QString second = name.mid(at).trimmed();
        const int width = std::max(metrics.horizontalAdvance(first), metrics.horizontalAdvance(second));
        if (best.isEmpty() || width < bestWidth) {
            best = first + QLatin1Char('\n') + second;
            bestWidth = width;
        }
    }
    return best;
}

// The largest size up to maxPixels at which every line of text fits box.
int fittingPixels(QFont font, const QString& text, const QSize& box, int maxPixels) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int pixels = maxPixels; pixels > 6; pixels -= std::max(1, pixels / 16)) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        if (metrics.lineSpacing() * lines.size() > box.height()) continue;
        const bool fits = std::all_of(lines.begin(), lines.end(), [&](const QString& line) {
            return metrics.horizontalAdvance(line) <= box.width();
        });
        if (fits) return pixels;
    }
    return 6;
}

// A team's name over its step, as large as two lines with room between them
// in the box allow: on one line, or broken in two where that makes it
// clearly larger.
struct PlacedName {
    QFont font;
    QString text;
};

PlacedName placeName(QFont font, const QString& name, const QSize& box) {
    const int largest = box.height() * 2 / 5;
    const int oneLine = fittingPixels(font, name, box, largest);
    const QString twoLines = oneLine < largest ? splitInTwo(name, QFontMetrics(font)) : QString();
    const int twoLine = twoLines.isEmpty() ? 0 : fittingPixels(font, twoLines, box, largest);
    const bool broken = twoLine * 4 > oneLine * 5;
    font.setPixelSize(broken ? twoLine : oneLine);
    return {font, broken ? twoLines : name};
}

void drawStep(QPainter& painter, const QRect& step, const QColor& color) {
    const qreal radius = step.width() * 0.05;
    QLinearGradient shade(step.topLeft(), step.bottomLeft());
    shade.setColorAt(0, color.lighter(125));
    shade.setColorAt(1, color.darker(125));
    QPainterPath outline;
    // Rounded at the top only: the lower corners stand on the floor.
    outline.addRoundedRect(QRectF(step).adjusted(0, 0, 0, radius), radius, radius);
    painter.save();
    painter.setClipRect(step);
    painter.fillPath(outline, shade);
    painter.restore();
}

// A score over its step: the digits in the seven-segment face, then "分".
void drawStepScore(QPainter& painter, const QRect& line, std::int64_t score, const QFont& font,
                   const QString& digitalFamily) {
    const QString digits = QString::number(score);
    const QString unit = QStringLiteral(" 分");
    QFont digitFont(digitalFamily);
    QFont unitFont = font;
    int pixels = line.height() * 4 / 5;
    int width = 0;
    for (; pixels > 6; pixels -= std::max(1, pixels / 16)) {
        digitFont.setPixelSize(pixels);
        unitFont.setPixelSize(pixels * 4 / 5);
        width = QFontMetrics(digitFont).horizontalAdvance(digits) + QFontMetrics(unitFont).horizontalAdvance(unit);
        if (width <= line.width()) break;
    }
    const int left = line.center().x() - width / 2;
    const int digitsWidth = QFontMetrics(digitFont).horizontalAdvance(digits);
    painter.setFont(digitFont);
    painter.setPen(StandingsModel::look(StandingsModel::score).color);
    painter.drawText(QRect(left, line.top(), digitsWidth, line.height()), Qt::AlignLeft | Qt::AlignVCenter, digits);
    painter.setFont(unitFont);
    painter.setPen(Qt::white);
    painter.drawText(QRect(left + digitsWidth, line.top(), line.right() - left - digitsWidth, line.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, unit);
}

// The standings table of the picture: each column as wide as its widest text
// at the largest size up to textPixels that lets all of them fit width, the
// room to spare shared out evenly, like the columns on the big screen.
class StandingsTable {
public:
    StandingsTable(const std::vector<Standing>& standings, const QFont& font, const QString& digitalFamily,
                   int textPixels, int width)
        : standings_(standings), font_(font), digits_(digitalFamily) {
        for (int pixels = textPixels; pixels > 8; pixels = std::min(pixels - 1, pixels * width / total())) {
            setPixels(pixels);
            if (total() <= width) break;
        }
        const int spare = std::max(0, width - total());
        for (int column = 0; column < StandingsModel::columns; ++column) {
            widths_[column] += spare / StandingsModel::columns + (column < spare % StandingsModel::columns ? 1 : 0);
        }
    }

    int rowHeight() const { return cell_.pixelSize() * 8 / 5; }
    int headerHeight() const { return rowHeight() * 3 / 4; }
    int height() const { return headerHeight() + rowHeight() * static_cast<int>(standings_.size()); }

    void draw(QPainter& painter, QPoint topLeft) const {
        int left = topLeft.x();
        const int width = total();
        painter.setFont(header_);
        painter.setPen(panelHeading);
        for (int column = 0; column < StandingsModel::columns; ++column) {
            painter.drawText(QRect(left, topLeft.y(), widths_[column], headerHeight()), Qt::AlignCenter,
                             StandingsModel::title(static_cast<StandingsModel::Column>(column)));
            left += widths_[column];
        }
        int top = topLeft.y() + headerHeight();
        for (std::size_t row = 0; row < standings_.size(); ++row, top += rowHeight()) {
            if (row % 2 == 1) painter.fillRect(QRect(topLeft.x(), top, width, rowHeight()), standingsStripe);
            left = topLeft.x();
            for (int column = 0; column < StandingsModel::columns; ++column) {
                const auto which = static_cast<StandingsModel::Column>(column);
                const auto look = StandingsModel::look(which);
                painter.setFont(look.digits ? digits_ : cell_);
                painter.setPen(look.color);
                QRect cell(left + padding(), top, widths_[column] - 2 * padding(), rowHeight());
                if (which == StandingsModel::team) {
                    drawTeamMark(painter, QRectF(cell.left(), top + (rowHeight() - markSide()) / 2.0, markSide(), markSide()),
                                 teamColor(standings_[row].colour));
                    cell.setLeft(cell.left() + markSide() * 3 / 2);
                }
                painter.drawText(cell, static_cast<int>(look.alignment), StandingsModel::text(standings_[row], which));
                left += widths_[column];
            }
        }
    }

private:
    int padding() const { return cell_.pixelSize() / 2; }
    int markSide() const { return cell_.pixelSize() * 3 / 5; }

    int total() const {
        int sum = 0;
        for (const int width : widths_) sum += width;
        return std::max(1, sum);
    }

    void setPixels(int pixels) {
        cell_ = font_;
        cell_.setBold(true);
        cell_.setPixelSize(pixels);
        digits_.setPixelSize(pixels);
        header_ = cell_;
        header_.setPixelSize(pixels * 3 / 4);
        for (int column = 0; column < StandingsModel::columns; ++column) {
            const auto which = static_cast<StandingsModel::Column>(column);
            int widest = QFontMetrics(header_).horizontalAdvance(StandingsModel::title(which));
            const QFontMetrics metrics(StandingsModel::look(which).digits ? digits_ : cell_);
            for (const Standing& standing : standings_) {
                widest = std::max(widest, metrics.horizontalAdvance(StandingsModel::text(standing, which)));
            }
            widths_[column] = widest + 2 * padding() + (which == StandingsModel::team ? markSide() * 3 / 2 : 0);
        }
    }

    const std::vector<Standing>& standings_;
    QFont font_;
    QFont cell_;
    QFont header_;
    QFont digits_;
    std::array<int, StandingsModel::columns> widths_{};
};

// The picture's proportions, in pixels.
constexpr int pictureWidth = 1600;
constexpr int margin = 64;
constexpr int titleHeight = 170;
constexpr int statusPixels = 44;
constexpr int statusHeight = 80;
constexpr QSize podiumSize{1100, 440};
constexpr int gap = 32;
constexpr int textPixels = 44;
constexpr int datePixels = 30;
constexpr int awardPixels = 40;
constexpr int awardHeight = 60;
const QColor awardColor(255, 236, 160);
constexpr int dateHeight = 90;

}  // namespace

void drawPodium(QPainter& painter, const QRect& area, const std::vector<Standing>& standings, const QFont& font,
                const QString& digitalFamily) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const int columnWidth = area.width() / 3;
    const int stepWidth = columnWidth * 4 / 5;
    // Bottom up in each column: the step, its score, the name; the first
    // place's step is the full height that the tallest name and score leave.
    const int nameHeight = area.height() * 7 / 25;
    const int scoreHeight = area.height() / 8;
    const int stepRoom = area.height() - nameHeight - scoreHeight;
    // Places on the podium: second left, first in the middle, third right.
    const int order[] = {1, 0, 2};
    const double heights[] = {1.0, 0.72, 0.5};
    QFont nameBase = font;
    nameBase.setBold(true);
    for (int slot = 0; slot < 3; ++slot) {
        const int place = order[slot];
        if (place >= static_cast<int>(standings.size())) continue;
        const Standing& standing = standings[static_cast<std::size_t>(place)];
        const int stepHeight = static_cast<int>(stepRoom * heights[place]);
        const int columnLeft = area.left() + slot * columnWidth;
        const QRect step(columnLeft + (columnWidth - stepWidth) / 2, area.bottom() + 1 - stepHeight, stepWidth,
                         stepHeight);
        drawStep(painter, step, stepColors[std::min(standing.rank, 3) - 1]);
        QFont rankFont(digitalFamily);
        rankFont.setPixelSize(std::max(8, std::min(stepHeight / 2, stepWidth / 3)));
        painter.setFont(rankFont);
        painter.setPen(stepDigits);
        painter.drawText(step, Qt::AlignCenter, QString::number(standing.rank));

        const QRect scoreLine(columnLeft, step.top() - scoreHeight, columnWidth, scoreHeight);
        drawStepScore(painter, scoreLine, standing.score, font, digitalFamily);
        const QString name = QString::fromStdString(standing.name);
        const QRect nameBox(columnLeft + columnWidth / 40, scoreLine.top() - nameHeight, columnWidth * 19 / 20,
                            nameHeight);
        // The colour mark stands before the name and takes its room from it.
        const int room = std::max(6, nameHeight / 4);
        const QRect textBox = nameBox.adjusted(room * 3 / 2, 0, 0, 0);
        const PlacedName placed = placeName(nameBase, name, textBox.size());
        const int mark = std::min(room, placed.font.pixelSize() * 7 / 10);
        const QFontMetrics metrics(placed.font);
        const QRect block = metrics.boundingRect(textBox, Qt::AlignHCenter | Qt::AlignBottom, placed.text);
        const QRect named(nameBox.center().x() - (block.width() + mark * 3 / 2) / 2, block.top(),
                          block.width() + mark * 3 / 2, block.height());
        const int lastLine = named.bottom() + 1 - metrics.height() / 2;
        drawTeamMark(painter, QRectF(named.left(), lastLine - mark / 2.0, mark, mark), teamColor(standing.colour));
        painter.setFont(placed.font);
        painter.setPen(Qt::white);
        painter.drawText(named.adjusted(mark * 3 / 2, 0, 0, 0), Qt::AlignLeft | Qt::AlignBottom, placed.text);
    }
    painter.restore();
}

ScoreboardSheet scoreboardSheet(const Match& match, const EventBrand& brand) {
    ScoreboardSheet sheet;
    sheet.standings = match.standings();
    sheet.status = matchStatusText(match);
    sheet.finished = match.finished();
    if (sheet.finished) sheet.awards = awardLines(match.awards(), match.teams());
    sheet.brand = brand;
    return sheet;
}

QImage scoreboardPicture(const Match& match, const QPixmap& background, const QString& digitalFamily,
                         const QDate& date, const EventBrand& brand) {
    return scoreboardPicture(scoreboardSheet(match, brand), background, digitalFamily, date);
}

QImage scoreboardPicture(const ScoreboardSheet& sheet, const QPixmap& background, const QString& digitalFamily,
                         const QDate& date) {
    const std::vector<Standing>& standings = sheet.standings;
    const QFont font;
    const StandingsTable table(standings, font, digitalFamily, textPixels, pictureWidth - 2 * margin);
    const int podiumTop = titleHeight + statusHeight + gap / 2;
    const int awardsTop = podiumTop + (sheet.finished ? podiumSize.height() + gap : 0);
    const int tableTop = awardsTop + (sheet.finished ? awardHeight * static_cast<int>(sheet.awards.size()) : 0) +
                         (sheet.finished && !sheet.awards.isEmpty() ? gap : 0);
    const int height = tableTop + table.height() + dateHeight;

    QImage picture(pictureWidth, height, QImage::Format_RGB32);
    picture.fill(panelGround);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!background.isNull()) painter.drawPixmap(picture.rect(), background);
    painter.fillRect(picture.rect(), panelVeil);

    const QString title = QString::fromUtf8(scoreboardTitle);
    drawHeadline(painter, QRect(margin, gap / 2, pictureWidth - 2 * margin, titleHeight - gap / 2), title);
    QFont bold = font;
    bold.setBold(true);
    // Left of the title, which stands in the middle: a third of the width.
    drawBrand(painter, QRect(margin, titleHeight / 4, pictureWidth / 3 - margin, titleHeight / 2),
              {sheet.brand.name, brandLogo(sheet.brand.logo)}, bold, panelHeading, Qt::AlignLeft);
    QFont status = bold;
    status.setPixelSize(fittingPixels(status, sheet.status, pictureWidth - 2 * margin, statusPixels));
    painter.setFont(status);
    painter.setPen(panelHeading);
    painter.drawText(QRect(margin, titleHeight, pictureWidth - 2 * margin, statusHeight), Qt::AlignCenter, sheet.status);
    if (sheet.finished) {
        const QRect podium(QPoint((pictureWidth - podiumSize.width()) / 2, podiumTop), podiumSize);
        drawPodium(painter, podium, standings, font, digitalFamily);
        painter.setPen(awardColor);
        for (int line = 0; line < sheet.awards.size(); ++line) {
            QFont award = bold;
            award.setPixelSize(fittingPixels(award, sheet.awards[line], pictureWidth - 2 * margin, awardPixels));
            painter.setFont(award);
            painter.drawText(QRect(margin, awardsTop + line * awardHeight, pictureWidth - 2 * margin, awardHeight),
                             Qt::AlignCenter, sheet.awards[line]);
        }
    }
    table.draw(painter, QPoint(margin, tableTop));

    QFont dateFont = font;
    dateFont.setPixelSize(datePixels);
    painter.setFont(dateFont);
    painter.setPen(dateColor);
    const QString day = date.toString(QStringLiteral("yyyy年M月d日"));
    painter.drawText(QRect(margin, tableTop + table.height(), pictureWidth - 2 * margin, dateHeight),
                     Qt::AlignRight | Qt::AlignVCenter, day);

    QStringList words{sheet.brand.name, title, sheet.status};
    words << sheet.awards;
    for (const Standing& standing : standings) {
        words << QStringLiteral("%1 %2 %3 分").arg(rankText(standing), QString::fromStdString(standing.name)).arg(standing.score);
    }
    words << day;
    words.removeAll(QString());
    picture.setText(QStringLiteral("Title"), sheet.brand.name.isEmpty() ? title : sheet.brand.name + QStringLiteral(" · ") + title);
    picture.setText(QStringLiteral("Description"), words.join(QLatin1Char('\n')));
    return picture;
}

}  // namespace caici
