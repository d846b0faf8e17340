#pragma once
// The rules dialog's settings for running the evening as a show ("活动和玩法"):
// how single rounds are played ("玩法", "跳过上限", "最后十秒提示") and the
// event's brand ("活动名称", "活动标志"). Every change goes into the settings
// at once; the program hands the round settings on to the game, and the
// windows take the brand from the settings. A logo file is checked by what it
// holds before it is kept: a file that is no picture stays out, with the
// reason under the buttons, and the logo in force stays.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace caici {

class ErrorReporter;
class Settings;
class WindowDialogs;

class ShowSettingsPanel : public QWidget {
    Q_OBJECT
public:
    // The skip cap box's value for "不限".
    static constexpr int noSkipCap = -1;
    static constexpr int maxSkipCap = 99;

    // Everything given outlives the panel.
    ShowSettingsPanel(Settings& settings, WindowDialogs& dialogs, ErrorReporter& reporter, QWidget* parent);

    QLabel* title = nullptr;
    QComboBox* roundKind = nullptr;
    QSpinBox* skipCap = nullptr;
    QCheckBox* lastSeconds = nullptr;
    QLineEdit* eventName = nullptr;
    QLabel* logo = nullptr;
    QPushButton* chooseLogo = nullptr;
    QPushButton* clearLogo = nullptr;
    // What became of the last logo chosen.
    QLabel* logoAnswer = nullptr;

protected:
    // The logo file may have changed while the dialog was closed.
    void showEvent(QShowEvent* event) override;

private:
    void showSettings();
    void showLogo();
    void nameEdited(const QString& text);
    void chooseLogoFile();
    // Takes the file at path as the logo, or says why not.
    void takeLogo(const QString& path);
    void say(const QString& text, bool refused);

    Settings& settings_;
    WindowDialogs& dialogs_;
    ErrorReporter& reporter_;
    QLabel* rule_ = nullptr;
};

}  // namespace caici
