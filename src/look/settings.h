#pragma once
// What the game remembers between launches, in an INI file of the user's
// own (by default in the user's configuration folder): the countdown, the
// word display's size and look, the digits' colours, the smoothing quality,
// the sound, the screens, the phone remote. Every value is read with its
// default and written at once, so nothing is lost when the program is
// killed; restoring the defaults tells every window to show them again.

#include <QColor>
#include <QObject>
#include <QSettings>
#include <QString>

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

    // The phone remote: off until the host switches it on.
    bool remoteOn() const;
    void setRemoteOn(bool on);

    // Forgets every setting.
    void restoreDefaults();

signals:
    // Everything is back at its default: show it.
    void restored();

private:
    std::optional<QColor> color(const QString& key) const;
    void write(const QString& key, const QVariant& value);

    std::unique_ptr<QSettings> store_;
};

}  // namespace caici
