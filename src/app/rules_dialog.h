#pragma once
// TForm2, the rules and settings dialog. It explains the game and holds its
// one setting, the countdown length, as the text typed into edt1; every start
// of a game reads that text as it stands. Shown beside the start window by the
// rules button, it moves the start window back when it is closed (the rules
// button moved it 100 px to the left to make room).

#include "round/round_ports.h"

#include <QDialog>

class QLineEdit;

namespace caici {

class ErrorReporter;

class TForm2 : public QDialog, public CountdownSetting {
    Q_OBJECT
public:
    // startWindow is the window the dialog stands beside and moves back.
    TForm2(QWidget& startWindow, ErrorReporter& reporter);

    // The countdown length in seconds as typed; not checked here.
    QString countdownText() const;
    // The same text for the round (CountdownSetting).
    std::string text() const override;

    QLineEdit& edt1() const { return *edt1_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormShow();
    void FormHide();
    void buildLayout();

    QWidget& startWindow_;
    ErrorReporter& reporter_;
    QLineEdit* edt1_ = nullptr;
};

}  // namespace caici
