#pragma once
// The guessing window's ways of talking to the user outside its own surface:
// message boxes, the colour chooser, file choosers and the web browser. They
// sit behind this interface so that tests can answer them.
//
// None of them waits for its answer: a round, a review and the phones go on
// while a box is open, so nothing here runs an event loop of its own. An
// answer comes back through the callback given, from the event loop, never
// from inside the call; a callback must not throw.

#include <QColor>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>

namespace caici {

class WindowDialogs {
public:
    virtual ~WindowDialogs() = default;

    // A box with an information icon and one OK button, kept above the
    // other windows.
    virtual void information(QWidget* parent, const QString& caption, const QString& text) = 0;
    // The end-of-round box: as information(), but placed clear of keepClear
    // (screen coordinates: the final score); a key held since before it
    // appeared does not close it. closed is called once it is gone, however.
    virtual void roundOver(QWidget* parent, const QString& caption, const QString& text, const QRect& keepClear,
                           std::function<void()> closed) = 0;
    // Takes the end-of-round box away, when one is open (the next round
    // began, or its review was settled from another device).
    virtual void closeRoundOver() = 0;
    // The colour chooser, started at initial; chosen is not called when it
    // is cancelled.
    virtual void chooseColor(QWidget* parent, const QColor& initial, std::function<void(const QColor&)> chosen) = 0;
    // A yes-or-no question; answered(true) for yes.
    virtual void question(QWidget* parent, const QString& caption, const QString& text,
                          std::function<void(bool)> answered) = 0;
    // Where to save a file: chosen gets the path, and is not called when
    // the user cancels.
    virtual void saveFile(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter,
                          std::function<void(const QString&)> chosen) = 0;
    // Which file to open, starting in folder; as saveFile.
    virtual void openFile(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                          std::function<void(const QString&)> chosen) = 0;
    // Asks the desktop to open url with its default program; the outcome is
    // not reported.
    virtual void openUrl(const QUrl& url) = 0;
};

// The desktop's own boxes, colour dialog, file dialogs and URL handler.
class DesktopDialogs : public WindowDialogs {
public:
    void information(QWidget* parent, const QString& caption, const QString& text) override;
    void roundOver(QWidget* parent, const QString& caption, const QString& text, const QRect& keepClear,
                   std::function<void()> closed) override;
    void closeRoundOver() override;
    void chooseColor(QWidget* parent, const QColor& initial, std::function<void(const QColor&)> chosen) override;
    void question(QWidget* parent, const QString& caption, const QString& text,
                  std::function<void(bool)> answered) override;
    void saveFile(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter,
                  std::function<void(const QString&)> chosen) override;
    void openFile(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                  std::function<void(const QString&)> chosen) override;
    void openUrl(const QUrl& url) override;

private:
    QPointer<QWidget> roundOverBox_;
};

}  // namespace caici
