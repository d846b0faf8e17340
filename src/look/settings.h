#pragma once
// What the game remembers between launches: the countdown length, the word
// display's size and whether the phone remote is on, in an INI file of the user's own (by default in the
// user's configuration folder). Every value is read with its default and
// written at once, so nothing is lost when the program is killed.

#include <QSettings>
#include <QString>

#include <memory>

namespace caici {

class Settings {
public:
    // The file the game keeps its settings in.
    static QString defaultFile();

    explicit Settings(const QString& file);
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    int countdownSeconds(int fallback) const;
    void setCountdownSeconds(int seconds);

    // The word is drawn at the largest size that fits its display, times a
    // scale the word size keys change.
    bool fitWord() const;
    void setFitWord(bool on);
    double wordScale() const;
    void setWordScale(double scale);

    // Off until the host switches it on.
    bool remoteOn() const;
    void setRemoteOn(bool on);

private:
    std::unique_ptr<QSettings> store_;
};

}  // namespace caici
