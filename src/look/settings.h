#pragma once
// What the game remembers between launches, in an INI file of the user's
// own (by default in the user's configuration folder): the countdown, the
// word display's size and look, the digits' colours, the smoothing quality,
// the sound, the screens, the phone remote, and the word library the host
// chose with the categories and points chosen for each library. Every value
// is read with its default and written at once, so nothing is lost when the
// program is killed; restoring the defaults tells every window to show them
// again, and leaves the host's libraries and their choices alone.

#include <QColor>
#include <QObject>
#include <QSettings>
#include <QString>

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

private:
    std::optional<QColor> color(const QString& key) const;
    void write(const QString& key, const QVariant& value);

    std::unique_ptr<QSettings> store_;
};

}  // namespace caici
