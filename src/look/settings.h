#pragma once
// What the game remembers between launches, in an INI file of the user's
// own (by default in the user's configuration folder): the countdown, the
// word display's size and look, the digits' colours, the smoothing quality,
// the sound, the screens, the phone remote, the word library the host
// chose with the categories and points chosen for each library, how single
// rounds are played (their kind, the skip cap, the last seconds' tick) and
// the event's name and logo. Every value
// is read with its default and written at once, so nothing is lost when the
// program is killed; restoring the defaults tells every window to show them
// again, and leaves the host's libraries and their choices alone.

#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QSettings>
#include <QString>

#include "game/match_rules.h"
#include "look/event_brand.h"
#include "words/word_choice.h"

#include <memory>
#include <optional>

namespace caici {

class Settings : public QObject {
    Q_OBJECT
public:
    // The file the game keeps its settings in.
    static QString defaultFile();

    explicit Settings(const QString& file);
    ~Settings() override;

    int countdownSeconds(int fallback) const;
    void setCountdownSeconds(int seconds);

    // The word is drawn at the largest size that fits its display, times a
    // scale the word size keys change.
    bool fitWord() const;
    void setFitWord(bool on);
    double wordScale() const;
    void setWordScale(double scale);

    // The digits of the time and of the score, when the host chose others.
    std::optional<QColor> timeColor() const;
    void setTimeColor(const QColor& color);
    std::optional<QColor> scoreColor() const;
    void setScoreColor(const QColor& color);

    // The smoothing quality as the effect text numbers it (0 best .. 3 plain).
    int quality(int fallback) const;
    void setQuality(int quality);

    bool soundOn() const;
    void setSoundOn(bool on);

    // Words and titles change without fading.
    bool reduceMotion() const;
    void setReduceMotion(bool on);
    // The word white on black, without gradient or shadow.
    bool highContrast() const;
    void setHighContrast(bool on);

    // The screen (by its name) the guessing window goes to when an operator
    // console runs on another screen; empty when none was chosen.
    QString projectorScreen() const;
    void setProjectorScreen(const QString& name);
    bool operatorConsole() const;
    void setOperatorConsole(bool on);

    // Whether a foul ("犯规") also costs a point, besides counting as a skip;
    // off until the host switches it on.
    bool foulCostsPoint() const;
    void setFoulCostsPoint(bool on);

    // The phone remote: off until the host switches it on.
    bool remoteOn() const;
    void setRemoteOn(bool on);

    // "玩法" of single rounds; 描述 until the host chooses another.
    RoundKind roundKind() const;
    void setRoundKind(RoundKind kind);
    // "跳过上限": nothing for no cap (the default), 0 for no skips at all.
    std::optional<int> skipCap() const;
    void setSkipCap(std::optional<int> cap);
    // "最后十秒提示": on until the host switches it off.
    bool lastSecondsCue() const;
    void setLastSecondsCue(bool on);

    // "活动名称", at most maxEventNameLength characters (a longer one is cut).
    QString eventName() const;
    void setEventName(const QString& name);
    // "活动标志": the picture file as the host chose it; empty for none. The
    // caller checks the file (readEventLogo) before it is kept.
    QString eventLogoFile() const;
    void setEventLogoFile(const QString& path);
    // The name and the logo as the windows show them: a logo file that is
    // gone, or that no longer holds a picture, gives no logo.
    EventBrand eventBrand() const;

    // The library file the host chose with "打开词库…"; empty: none.
    QString chosenLibrary() const;
    void setChosenLibrary(const QString& path);
    // The categories and points last chosen for the library at path;
    // everything when none was.
    WordChoice wordChoice(const QString& library) const;
    void setWordChoice(const QString& library, const WordChoice& choice);

    // Forgets every setting but the libraries.
    void restoreDefaults();

signals:
    // Everything is back at its default: show it.
    void restored();
    // Words and titles are to change with or without fading from now on.
    void reduceMotionChanged(bool on);
    // The kind, the skip cap or the last seconds' tick of single rounds.
    void roundRulesChanged();
    // The event's name or logo; eventBrand() has the new one.
    void eventBrandChanged();

private:
    std::optional<QColor> color(const QString& key) const;
    void write(const QString& key, const QVariant& value);

    std::unique_ptr<QSettings> store_;
    // The logo as last decoded, with what the file looked like then: the
    // windows ask for the brand at every change of the name.
    struct DecodedLogo {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        QImage logo;
    };
    mutable DecodedLogo decodedLogo_;
};

}  // namespace caici
