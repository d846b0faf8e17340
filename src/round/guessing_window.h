#pragma once
// The guessing window TForm3, the game's big screen: the remaining time at the
// top left, the score at the top right, the word in large effect text in the
// middle, the operator buttons "正确" and "跳过" at the bottom right, and a
// pop-up menu (right click anywhere) with the display adjustments: word size
// (F1/F2), smoothing quality, full screen (F4), the sound switch (F5) and the
// end of the round.
//
// It is a view of the game: its buttons, keys, countdown timer and close
// become calls on Game, and it draws what the game's events say, making its
// own texts ("<Title1><Center>" lines, three-digit numbers, flashes, the skip
// caption). The display adjustments are its own; where it shows and the
// match's exports are left to parts of their own.
//
// Built by the program start, hidden; it lives for the whole run. Closing it
// only hides it and ends the round. Every handler runs inside guarded(), so
// no exception reaches Qt: a failure is shown once through the ErrorReporter
// and the handler stops. Its parts are found by their object names, which
// are the design's names.

#include <QColor>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/error_guard.h"
#include "effecttext/aa_types.h"
#include "game/game.h"
#include "look/event_brand.h"
#include "look/settings.h"
#include "round/anchor_layout.h"
#include "round/menu_wiring.h"
#include "round/window_dialogs.h"
#include "round/window_placement.h"

class QLabel;
class QPushButton;

namespace caici {

class ClickLabel;
class ColorKeyCut;
class GuessingWindowMenu;
class PlayKeys;
class ResultsExport;
class ReviewPanel;
class RuleCardPanel;
class ScoreboardPanel;
class TCnAAFadeText;
class TimePulse;

// What the window needs from the rest of the program. Everything referenced
// must outlive the window.
struct GuessingWindowParts {
    // The base folder, ending with "/": the digital font is looked up there.
    QString baseFolder;
    Game& game;
    // Where the word size is remembered.
    Settings& settings;
    // Shows a failure that escaped a handler (the application's error box).
    ErrorReporter& errors;
    // Message boxes, the colour chooser, the web browser; the desktop's own
    // when none is given.
    std::shared_ptr<WindowDialogs> dialogs = {};
};

class TForm3 : public QWidget, private GameListener, private MenuHandlers {
    Q_OBJECT
public:
    explicit TForm3(GuessingWindowParts parts);
    ~TForm3() override;

    DisplayMode displayMode() const { return placement_->displayMode(); }
    // The family the number displays are drawn in.
    const QString& digitalFamily() const { return digitalFamily_; }
    // The size in points the word display draws its line at.
    int wordPoints() const;
    TAAQuality wordQuality() const;
    // The line the word display shows, as the window last set it.
    std::string wordLine() const;
    const GuessingWindowMenu& menu() const { return *menu_; }
    // The game's keys, taken here and in every other window of play.
    PlayKeys& playKeys() { return *keys_; }
    // The screen the rounds are shown on, full screen, while the operator's
    // console runs on another; nullptr: wherever the host puts the window.
    void setProjector(QScreen* screen);
    // The pixels cut out of the window by the colour key (maroon), in window
    // coordinates; the cut is applied only where the platform shapes windows.
    QRegion colorKeyRegion() const;
    // The event's name and logo, on the rule card, the scoreboard, the
    // podium and the exported picture.
    void setEventBrand(const EventBrand& brand);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // GameListener: what the window shows of the game.
    void roundStarted() override;
    void wordShown(const WordEntry& entry) override;
    void scoreChanged(std::int64_t total, std::int32_t gained) override;
    void skipTaken(std::int32_t skips, std::int32_t penalty) override;
    void libraryExhausted() override;
    void timeChanged(std::int32_t seconds) override;
    void countdownChanged(bool running) override;
    void pausedChanged(bool paused) override;
    void commandsChanged(CommandSet available) override;
    void forbiddenModeChanged(bool on) override;
    void roundOver(std::int64_t score, std::int32_t skips) override;
    void roundClosed() override;
    void soundChanged(bool on) override;
    void reviewChanged() override;
    void matchChanged() override;

    // MenuHandlers: the pop-up menu's entries.
    void N1Click() override;
    void N2Click() override;
    void qualityClick(TAAQuality quality) override;
    void N4Click() override;
    void autoSizeClick() override;
    void N6Click() override;
    void N7Click() override;
    void N8Click() override;
    void scoreboardClick() override;
    void pauseClick() override;
    void reduceMotionClick() override;
    void highContrastClick() override;
    void restoreDefaultsClick() override;
    void exportCsvClick() override;
    void exportPictureClick() override;

    // The window's own handlers; each runs its body inside guarded().
    void btn1Click();
    void btn2Click();
    void tmr1Timer();
    void tmr2Timer();
    void tmr3Timer();
    void Label3Click();
    void Label2Click();
    void pnl1Click();
    void pnl1DblClick();

    void buildComponents();
    void configureWordDisplay();
    void configureForbiddenDisplay();
    // The word display takes its whole area, or shares it with the
    // forbidden words in 禁词模式.
    void placeWordDisplays();
    // Shows what the settings remember (at creation, and after the
    // defaults are restored).
    void applySettings();
    void setDigitColor(QLabel& display, const QColor& color);
    void setQuality(TAAQuality quality);
    // The word white on black without gradient or shadow, or the word
    // display's own look.
    void setHighContrast(bool on);
    // Words and the panels' titles change at once instead of fading.
    void setReduceMotion(bool on);
    void connectHandlers();
    void watchButtonRule(QSize target, int outerHeight);
    // The word display's line, and under it the forbidden words (in
    // 禁词模式; none for every line but a word's).
    void setWordLine(const std::string& text, const std::vector<std::string>& forbidden = {});
    // The word display's line for a word of the library.
    std::string wordLineOf(const WordEntry& entry) const;
    // The line under the word for these forbidden words: empty outside 禁词模式.
    std::string forbiddenLineOf(const std::vector<std::string>& forbidden) const;
    // Names the lines the next correct or skip shows to the word displays,
    // which draw them ahead.
    void expectNextWord();
    // Where the final score stands, in screen coordinates.
    QRect finalScoreArea() const;
    void setNumber(QLabel& display, std::int64_t value);
    void flash(QLabel& label, QTimer& timer, const QString& text);
    void chooseDisplayColor(QLabel& display);
    void stepWordSize(int direction);
    void FormResize();
    void applyButtonRule(int outerHeight);
    void fitSponsorPanel();
    void fitNumberLabel(QLabel& label);
    template <class Body>
    void handle(Body&& body) {
        guarded(errors_, std::forward<Body>(body));
    }

    // Components, named as in the window's design.
    TCnAAFadeText* aft1 = nullptr;
    // The forbidden words under the word, in 禁词模式.
    TCnAAFadeText* aft2 = nullptr;
    QLabel* Label7 = nullptr;
    ClickLabel* Label3 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label8 = nullptr;
    ClickLabel* Label2 = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* btn1 = nullptr;
    QPushButton* btn2 = nullptr;
    QLabel* Label4 = nullptr;
    ClickLabel* pnl1 = nullptr;
    // The review of a finished round and the match's scoreboard, over the
    // whole window.
    ReviewPanel* review = nullptr;
    ScoreboardPanel* scoreboard = nullptr;
    // The rule card before a round, over everything else.
    RuleCardPanel* card = nullptr;
    QTimer tmr1;
    QTimer tmr2;
    QTimer tmr3;

    Game& game_;
    ErrorReporter& errors_;
    std::shared_ptr<WindowDialogs> dialogs_;
    QString digitalFamily_;
    QPixmap background_;
    QPixmap scaledBackground_;
    AnchorLayout layout_;
    std::unique_ptr<GuessingWindowMenu> menu_;
    std::unique_ptr<PlayKeys> keys_;
    std::unique_ptr<WindowPlacement> placement_;
    std::unique_ptr<ResultsExport> export_;
    std::unique_ptr<ColorKeyCut> colorKey_;
    std::unique_ptr<TimePulse> pulse_;
    bool reduceMotion_ = false;
    EventBrand brand_;
    // The end-of-round box is open: the round's review waits behind it.
    bool endBoxOpen_ = false;
    QColor lastChosenColor_ = Qt::black;
    Settings& settings_;
    bool closing_ = false;
    // After a change of display mode the buttons are placed once the window
    // has reached its new size, which may come later than the request.
    std::optional<QSize> buttonRuleSize_;
    int buttonRuleOuterHeight_ = 0;
};

}  // namespace caici
