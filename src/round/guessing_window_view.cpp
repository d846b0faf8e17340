// What the guessing window shows of the game: the game's events turned into
// the window's texts, flashes, buttons and countdown timer.

#include <QLabel>
#include <QPushButton>

#include <string>
#include <vector>

#include "common/number_text.h"
#include "fadetext/fade_text.h"
#include "look/window_look.h"
#include "round/click_label.h"
#include "round/guessing_window.h"
#include "round/guessing_window_geometry.h"
#include "round/guessing_window_menu.h"
#include "round/review_panel.h"
#include "round/scoreboard_panel.h"
#include "round/time_pulse.h"
#include "round/word_display_style.h"

namespace caici {
namespace {

const char* const skipCaption = "跳过";
const char* const endCaption = "提示";
const char* const endText =
    "本轮猜词已经结束！\r\n\r\n点“确定”后核对本轮的词语：点一个词可以改正误按，"
    "然后按“确认”记下成绩，或按“下一轮”接着比赛。";

// Starts a timer unless it already runs: a running timer keeps its rhythm,
// so a flash shown again disappears at the tick its first showing started.
void enableTimer(QTimer& timer) {
    if (!timer.isActive()) timer.start();
}

}  // namespace

std::string TForm3::wordLine() const {
    return aft1->Text().Lines().Strings(0);
}

void TForm3::setWordLine(const std::string& text, const std::vector<std::string>& forbidden) {
    aft1->Text().Lines().SetLine(text);
    // Set at the same moment as the word: the two cross-fades run together.
    aft2->Text().Lines().SetLine(forbiddenLineOf(forbidden));
}

std::string TForm3::forbiddenLineOf(const std::vector<std::string>& forbidden) const {
    return game_.forbiddenMode() ? forbiddenDisplayLine(forbidden) : std::string();
}

void TForm3::setNumber(QLabel& display, std::int64_t value) {
    display.setText(QString::fromStdString(threeDigits(value)));
    fitNumberLabel(display);
}

void TForm3::flash(QLabel& label, QTimer& timer, const QString& text) {
    label.setText(text);
    fitNumberLabel(label);
    label.show();
    enableTimer(timer);
}

void TForm3::roundStarted() {
    dialogs_->closeRoundOver();
    review->hide();
    scoreboard->hide();
    placement_->show();
    setNumber(*Label2, 0);
    // Every round begins with a plain caption, whichever way it was started.
    btn2->setText(QString::fromUtf8(skipCaption));
}

std::string TForm3::wordLineOf(const WordEntry& entry) const {
    return wordDisplayLine(entry.word);
}

void TForm3::wordShown(const WordEntry& entry) {
    setWordLine(wordLineOf(entry), entry.forbidden);
    expectNextWord();
}

void TForm3::expectNextWord() {
    // A press deals the next entry of the play order, or finds none left:
    // the word displays draw those lines ahead while this word is on screen.
    const std::vector<WordEntry> next = game_.words().upcoming(1);
    aft1->SetUpcomingLine(next.empty() ? wordDisplayLine("词库清零") : wordLineOf(next.front()));
    aft2->SetUpcomingLine(forbiddenLineOf(next.empty() ? std::vector<std::string>{} : next.front().forbidden));
}

void TForm3::scoreChanged(std::int64_t total, std::int32_t gained) {
    setNumber(*Label2, total);
    // A foul that costs a point flashes "-1".
    flash(*Label5, tmr3, gained < 0 ? QString::number(gained) : QStringLiteral("+%1").arg(gained));
}

void TForm3::skipTaken(std::int32_t skips, std::int32_t penalty) {
    if (penalty > 0) flash(*Label6, tmr2, QStringLiteral("-%1").arg(penalty));
    btn2->setText(QStringLiteral("%1[%2]").arg(QString::fromUtf8(skipCaption)).arg(skips));
    // A "+N" still on screen is blanked and goes at its timer's tick.
    Label5->setText(QStringLiteral("  "));
    fitNumberLabel(*Label5);
    enableTimer(tmr3);
}

void TForm3::libraryExhausted() {
    setWordLine(wordDisplayLine("词库清零"));
}

void TForm3::timeChanged(std::int32_t seconds) {
    pulse_->stop();
    setNumber(*Label3, seconds);
    // The last ten seconds beat with "最后十秒提示", never under reduced
    // motion; a paused or finished round is quiet.
    constexpr std::int32_t lastSeconds = 10;
    const RoundState& round = game_.round();
    if (seconds >= 1 && seconds <= lastSeconds && round.phase == RoundPhase::running && round.countdownRunning &&
        !round.paused && round.rules.lastSecondsCue && !reduceMotion_) {
        pulse_->beat(Label3->palette().color(QPalette::WindowText));
    }
}

void TForm3::countdownChanged(bool running) {
    if (running) {
        // The full countdown from the first moment, not "000" until the
        // first tick.
        setNumber(*Label3, game_.round().remainingSeconds);
        enableTimer(tmr1);
    } else {
        tmr1.stop();
    }
}

void TForm3::commandsChanged(CommandSet available) {
    btn1->setEnabled(available.has(CommandKind::correct));
    btn2->setEnabled(available.has(CommandKind::skip));
    menu_->pause->setEnabled(available.has(CommandKind::pause));
}

void TForm3::forbiddenModeChanged(bool on) {
    aft2->setVisible(on);
    placeWordDisplays();
    const RoundState& round = game_.round();
    if (round.phase == RoundPhase::running && !round.paused && round.line == WordLine::word) {
        setWordLine(wordLineOf(round.currentEntry), round.currentEntry.forbidden);
    }
}

void TForm3::pausedChanged(bool paused) {
    // Hidden behind the pause, so that nobody can study the word meanwhile.
    const RoundState& round = game_.round();
    if (paused) {
        setWordLine(wordDisplayLine("暂停"));
    } else if (round.line == WordLine::word) {
        setWordLine(wordLineOf(round.currentEntry), round.currentEntry.forbidden);
    } else if (round.line == WordLine::exhaustion) {
        libraryExhausted();
    }
}

void TForm3::roundOver(std::int64_t score, std::int32_t) {
    setWordLine(wordDisplayLine(std::to_string(score) + " 分"));
    // The score display says the same as the final score line.
    setNumber(*Label2, score);
    endBoxOpen_ = true;
    handle([this] {
        dialogs_->roundOver(this, QString::fromUtf8(endCaption), captionText(endText), finalScoreArea(), [this] {
            endBoxOpen_ = false;
            handle([this] { reviewChanged(); });
        });
    });
}

QRect TForm3::finalScoreArea() const {
    // The line stands centred in the word display, one character high.
    const int height = std::max(aft1->DisplayedCharacterHeight(), -aft1->Fonts().Items(0).Font().Height());
    QRect line(0, 0, aft1->width(), std::min(aft1->height(), height * 5 / 4));
    line.moveCenter(aft1->rect().center());
    return QRect(aft1->mapToGlobal(line.topLeft()), line.size());
}

void TForm3::roundClosed() {
    btn2->setText(QString::fromUtf8(skipCaption));
    setWordLine(idleLine());
    // A round ended elsewhere than at this window's close takes the window
    // with it, unless the host has a match round to review.
    if (!closing_ && !game_.review()) hide();
}

void TForm3::reviewChanged() {
    if (game_.review()) {
        review->refresh();
        // The end box stands over the final score; the review follows it.
        if (endBoxOpen_) return;
        placement_->show();
        review->show();
        review->raise();
        review->setFocus();
        return;
    }
    // Settled elsewhere (the console, a phone): nothing is left to review.
    const bool shown = review->isVisible() || endBoxOpen_;
    endBoxOpen_ = false;
    dialogs_->closeRoundOver();
    if (!shown) return;
    review->hide();
    // A confirmed match round is followed by the standings.
    if (game_.match()) {
        scoreboard->refresh();
        scoreboard->show();
        scoreboard->raise();
        scoreboard->setFocus();
    }
}

void TForm3::matchChanged() {
    const bool match = game_.match().has_value();
    for (QAction* entry : {menu_->scoreboard, menu_->exportCsv, menu_->exportPicture}) entry->setEnabled(match);
    if (match) {
        scoreboard->refresh();
    } else {
        scoreboard->hide();
    }
}

void TForm3::soundChanged(bool on) {
    menu_->N7->setChecked(on);
}

void TForm3::setProjector(QScreen* screen) {
    placement_->setProjector(screen);
}

}  // namespace caici
