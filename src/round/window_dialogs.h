#pragma once
// The guessing window's ways of talking to the user outside its own surface:
// modal message boxes, the colour chooser and the web browser. They sit
// behind this interface so that tests can answer them.

#include <QColor>
#include <QRect>
#include <QString>
#include <QUrl>

#include <optional>

class QWidget;

namespace caici {

class WindowDialogs {
public:
    virtual ~WindowDialogs() = default;

    // A modal box with an information icon and one OK button, kept above all
    // other windows; returns when it is confirmed.
    virtual void information(QWidget* parent, const QString& caption, const QString& text) = 0;
    // The end-of-round box: as information(), but placed clear of keepClear
    // (screen coordinates: the final score), and deaf to presses for its
    // first second, so that a press meant for the round does not close it
    // before anyone has seen it.
    virtual void roundOver(QWidget* parent, const QString& caption, const QString& text, const QRect& keepClear) = 0;
    // The colour chooser, started at initial; nothing when it is cancelled.
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
    // A yes-or-no question; true for yes.
    virtual bool question(QWidget* parent, const QString& caption, const QString& text) = 0;
    // Where to save a file: the path the user chose, nothing when cancelled.
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& caption, const QString& suggested,
                                            const QString& filter) = 0;
    // Which file to open, starting in folder: the path the user chose,
    // nothing when cancelled.
    virtual std::optional<QString> openFile(QWidget* parent, const QString& caption, const QString& folder,
                                            const QString& filter) = 0;
    // Asks the desktop to open url with its default program; the outcome is
    // not reported.
    virtual void openUrl(const QUrl& url) = 0;
};

// The desktop's own boxes, colour dialog and URL handler.
class DesktopDialogs : public WindowDialogs {
public:
    void information(QWidget* parent, const QString& caption, const QString& text) override;
    void roundOver(QWidget* parent, const QString& caption, const QString& text, const QRect& keepClear) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    bool question(QWidget* parent, const QString& caption, const QString& text) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& caption, const QString& suggested,
                                    const QString& filter) override;
    std::optional<QString> openFile(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& filter) override;
    void openUrl(const QUrl& url) override;
};

}  // namespace caici
