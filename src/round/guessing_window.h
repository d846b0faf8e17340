#pragma once
// The guessing window TForm3, the game's big screen: the remaining time at the
// top left, the score at the top right, the word in large effect text in the
// middle, the operator buttons "正确" and "跳过" at the bottom right, and a
// pop-up menu (right click anywhere) with the display adjustments: word size
// (F1/F2), smoothing quality, full screen (F4), the sound switch (F5) and the
// end of the round. It owns the round engine and implements its ports over
// its widgets and timers; the start window starts rounds through engine().
//
// Built by the program start, hidden, after the start window and the rules
// dialog; it lives for the whole run. Closing it only hides it and stops the
// round. Every handler runs inside guarded(), so no exception reaches Qt: a
// failure is shown once through the ErrorReporter and the handler stops.

#include <QColor>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>

#include "common/error_guard.h"
#include "common/message_pump.h"
#include "effecttext/aa_types.h"
#include "round/anchor_layout.h"
#include "round/round_engine.h"
#include "round/round_ports.h"
#include "round/widget_ports.h"
#include "round/window_dialogs.h"

class QLabel;
class QPushButton;

namespace caici {

class ClickLabel;
class GuessingWindowMenu;
class TCnAAFadeText;

// The sound switch N7 (F5): all cues on or off.
class SoundSwitch {
public:
    virtual ~SoundSwitch() = default;
    virtual void setSoundOn(bool on) = 0;
};

enum class DisplayMode { windowed, fullScreen };

// What the window needs from the rest of the program. Everything referenced
// must outlive the window.
struct GuessingWindowParts {
    // The base folder, ending with "/": the digital font is looked up there.
    QString baseFolder;
    // The play order lst2 of the start window.
    WordLists& playOrder;
    // The start window's cue commands yes1, no1, N3, N4.
    CueCommands& cues;
    SoundSwitch& sound;
    // The rules dialog's countdown text edt1.
    CountdownSetting& countdownSetting;
    // Shows a failure that escaped a handler (the application's error box).
    ErrorReporter& errors;
    // Message boxes, the colour chooser, the web browser; the desktop's own
    // when none is given.
    std::shared_ptr<WindowDialogs> dialogs = {};
};

class TForm3 : public QWidget, private RoundWindow {
    Q_OBJECT
public:
    // The address the sponsor panel opens.
    static constexpr const char* sponsorPage = "https://caici.example.org/";

    explicit TForm3(GuessingWindowParts parts);
    ~TForm3() override;

    RoundEngine& engine() { return *engine_; }
    const RoundEngine& engine() const { return *engine_; }

    DisplayMode displayMode() const { return displayMode_; }
    // The family the number displays are drawn in.
    const QString& digitalFamily() const { return digitalFamily_; }
    // The size in points of the word display's style Title1.
    int wordPoints() const;
    TAAQuality wordQuality() const;
    const GuessingWindowMenu& menu() const { return *menu_; }
    // The pixels cut out of the window by the colour key (maroon), in window
    // coordinates; the cut is applied only where the platform shapes windows.
    QRegion colorKeyRegion() const;

    // Components, named as in the window's design.
    TCnAAFadeText* aft1 = nullptr;
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
    QTimer tmr1;
    QTimer tmr2;
    QTimer tmr3;

    // Handlers; each runs its body inside guarded().
    void btn1Click();
    void btn2Click();
    void tmr1Timer();
    void tmr2Timer();
    void tmr3Timer();
    void Label3Click();
    void Label2Click();
    void N1Click();
    void N2Click();
    void qualityClick(TAAQuality quality);
    void N4Click();
    void N6Click();
    void N7Click();
    void N8Click();
    void pnl1Click();
    void pnl1DblClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // RoundWindow
    void showWindow() override;
    void showEndMessage(const std::string& caption, const std::string& text) override;

    void buildComponents();
    void configureWordDisplay();
    void connectHandlers();
    void chooseDisplayColor(QLabel& display);
    void stepWordSize(int direction);
    void FormResize();
    void applyButtonRule(int outerHeight);
    void fitNumberLabel(QLabel& label);
    void scheduleColorKey();
    void applyColorKey();
    template <class Body>
    void handle(Body&& body) {
        guarded(errors_, std::forward<Body>(body));
    }

    ErrorReporter& errors_;
    std::shared_ptr<WindowDialogs> dialogs_;
    SoundSwitch& sound_;
    QString digitalFamily_;
    QPixmap background_;
    QPixmap scaledBackground_;
    AnchorLayout layout_;
    std::unique_ptr<GuessingWindowMenu> menu_;
    QColor lastChosenColor_ = Qt::black;
    DisplayMode displayMode_ = DisplayMode::windowed;
    QSize windowedFrame_;
    bool shownBefore_ = false;
    bool colorKeyPending_ = false;
    // After a change of display mode the buttons are placed once the window
    // has reached its new size, which may come later than the request.
    std::optional<QSize> buttonRuleSize_;
    int buttonRuleOuterHeight_ = 0;

    std::unique_ptr<LabelText> timeDisplay_;
    std::unique_ptr<LabelText> scoreDisplay_;
    std::unique_ptr<ButtonCaption> skipCaption_;
    std::unique_ptr<WidgetSwitch> correctSwitch_;
    std::unique_ptr<WidgetSwitch> skipSwitch_;
    std::unique_ptr<TimerSwitch> countdownSwitch_;
    std::unique_ptr<TimedFlash> scoreFlash_;
    std::unique_ptr<TimedFlash> penaltyFlash_;
    std::unique_ptr<FadeTextLine> wordLine_;
    std::unique_ptr<RoundEngine> engine_;
};

}  // namespace caici
