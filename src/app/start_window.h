#pragma once
// TForm1, the start window and main window of the game: the banner, the
// cross-fading title, the start label and the rules button. It is a view of
// the game: the start label starts a round, the pointer over it plays the
// hover cue, and the library browser page out of sight lists the sheets the
// last load found. Closing it ends the program.

#include "common/error_guard.h"
#include "game/game.h"
#include "look/event_brand.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace caici {

class LibraryBrowser;
class PhoneRemote;
class RemotePanel;
class StartLabel;
class TCnAAFadeText;
class TForm2;

class TForm1 : public QWidget, private GameListener {
    Q_OBJECT
public:
    TForm1(Game& game, ErrorReporter& errors);
    ~TForm1() override;

    // The rules dialog, created after this window; it outlives the start
    // window's use of it.
    void connectRules(TForm2& rules);
    // While the phone remote is on, its QR code and address stand in the
    // place of the maker's contact picture.
    void connectRemote(PhoneRemote& remote);
    // The seven-segment family the guessing window registered, for the
    // edition caption.
    void setDigitalFamily(const QString& family);
    // The event's logo and name on the banner, beside the start label;
    // neither shows while the brand is empty.
    void setEventBrand(const EventBrand& brand);

    bool hovering() const { return hovering_; }

    // Components, named as in the window's design.
    QLabel* img1 = nullptr;
    TCnAAFadeText* aft1 = nullptr;
    StartLabel* Label2 = nullptr;
    QPushButton* btn3 = nullptr;
    QLabel* img2 = nullptr;
    QLabel* edition = nullptr;
    QLabel* editionDigits = nullptr;
    // Whose turn the start label begins while a match runs.
    QLabel* nextTeam = nullptr;
    QLabel* eventLogo = nullptr;
    QLabel* eventName = nullptr;
    LibraryBrowser* pgc1 = nullptr;
    RemotePanel* remotePanel = nullptr;

    // Handlers; each runs its body inside guarded().
    void Label2MouseMove();
    void Label2MouseLeave();
    void Label2MouseDown();
    void Label2MouseUp();
    void Label2Click();
    void btn3Click();
    void btn2Click();

signals:
    // The window was closed: the program ends.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // GameListener
    void libraryChanged() override;
    void matchChanged() override;

    void buildLayout();
    void buildMakerInformation();
    void buildTitle();
    void buildEventBrand();
    void connectHandlers();
    void FormShow();
    template <class Body>
    void handle(Body&& body) {
        guarded(errors_, std::forward<Body>(body));
    }

    Game& game_;
    ErrorReporter& errors_;
    TForm2* rules_ = nullptr;
    bool hovering_ = false;
    bool shownBefore_ = false;
};

}  // namespace caici
