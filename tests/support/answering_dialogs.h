#pragma once
// The guessing window's boxes and choosers, answered at once as an operator
// would: OK to every box, the answer set here to every question and chooser.
// Every box and question is kept for the test to read.

#include "round/window_dialogs.h"

#include <QColor>
#include <QRect>
#include <QString>
#include <QUrl>

#include <functional>
#include <utility>
#include <optional>
#include <vector>

namespace caici::testing {

class AnsweringDialogs : public WindowDialogs {
public:
    struct Box {
        QString caption;
        QString text;
    };

    void information(QWidget*, const QString& caption, const QString& text) override {
        boxes.push_back({caption, text});
    }
    void roundOver(QWidget*, const QString& caption, const QString& text, const QRect& keepClear,
                   std::function<void()> closed) override {
        boxes.push_back({caption, text});
        finalScores.push_back(keepClear);
        if (closeRoundOverAtOnce) {
            closed();
        } else {
            roundOverOpen = std::move(closed);
        }
    }
    void closeRoundOver() override {
        if (roundOverOpen) std::exchange(roundOverOpen, nullptr)();
    }
    void chooseColor(QWidget*, const QColor& initial, std::function<void(const QColor&)> chosen) override {
        chooserStarts.push_back(initial);
        if (color) chosen(*color);
    }
    void question(QWidget*, const QString& caption, const QString& text,
                  std::function<void(bool)> answered) override {
        questions.push_back({caption, text});
        answered(answerYes);
    }
    void saveFile(QWidget*, const QString&, const QString&, const QString&,
                  std::function<void(const QString&)> chosen) override {
        if (savePath) chosen(*savePath);
    }
    void openFile(QWidget*, const QString&, const QString&, const QString&,
                  std::function<void(const QString&)> chosen) override {
        if (openPath) chosen(*openPath);
    }
    void openUrl(const QUrl& url) override { opened.push_back(url); }

    std::vector<Box> boxes;
    std::vector<QRect> finalScores;
    // Off: the end-of-round box stays open until closeRoundOver().
    bool closeRoundOverAtOnce = true;
    std::function<void()> roundOverOpen;
    std::vector<Box> questions;
    bool answerYes = true;
    std::vector<QColor> chooserStarts;
    std::optional<QColor> color;
    std::optional<QString> savePath;
    std::optional<QString> openPath;
    std::vector<QUrl> opened;
};

}  // namespace caici::testing
