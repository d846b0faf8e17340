#pragma once
// TForm2, the rules and settings dialog. It explains the game and holds its
// one setting, the countdown length in whole seconds (10 to 999), typed into
// edt1 and handed to the game for the next start. Shown beside the start
// window by the rules button, it moves the start window back when it is
// closed (the rules button moved it 100 px to the left to make room).

#include <QDialog>

class QLineEdit;

namespace caici {

class ErrorReporter;
class Game;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    static constexpr int minCountdown = 10;
    static constexpr int maxCountdown = 999;

    // startWindow is the window the dialog stands beside and moves back.
    TForm2(QWidget& startWindow, Game& game, ErrorReporter& reporter);

    QLineEdit& edt1() const { return *edt1_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormShow();
    void FormHide();
    void buildLayout();
    void edt1Change();
    void edt1Exit();

    QWidget& startWindow_;
    Game& game_;
    ErrorReporter& reporter_;
    QLineEdit* edt1_ = nullptr;
};

}  // namespace caici
