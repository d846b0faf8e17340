// The guessing window's event handlers: the round's buttons and timers, the
// display adjustments of the pop-up menu, the colour choice, full screen,
// closing, the about box and the sponsor panel.

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDate>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QWindow>

#include <utility>

#include "fadetext/fade_text.h"
#include "round/click_label.h"
#include "round/color_key.h"
#include "round/guessing_window.h"
#include "round/guessing_window_geometry.h"
#include "round/guessing_window_menu.h"
#include "round/word_size.h"
#include "common/product.h"
#include "texts/match_export.h"
#include "round/scoreboard_panel.h"
#include "round/scoreboard_picture.h"
#include "look/placement.h"

namespace caici {
namespace {

const char* const aboutCaption = "提示";

QString aboutText() {
    return QStringLiteral(
               "猜词 —— 聚会上的比划猜词游戏\n\n"
               "两人一组：一人看屏幕上的词，用语言或动作提示；另一人猜。\n"
               "按“正确”得分，按“跳过”换词，看哪一队在倒计时内得分最多。\n"
               "翻页笔：向后翻页或右方向键是“正确”，向前翻页或左方向键是“跳过”。\n\n"
               "%1 出品，永久免费，欢迎转发给朋友。\n"
               "主页与新词库：%2")
        .arg(QString::fromUtf8(makerBrand), QString::fromUtf8(productPage));
}

}  // namespace

void TForm3::btn1Click() {
    handle([this] { game_.perform(Command{CommandKind::correct}); });
}

void TForm3::btn2Click() {
    handle([this] { game_.perform(Command{CommandKind::skip}); });
}

void TForm3::tmr1Timer() {
    handle([this] { game_.tick(); });
}

void TForm3::tmr2Timer() {
    handle([this] {
        Label6->hide();
        tmr2.stop();
    });
}

void TForm3::tmr3Timer() {
    handle([this] {
        Label5->hide();
        tmr3.stop();
    });
}

void TForm3::Label3Click() {
    handle([this] { chooseDisplayColor(*Label3); });
}

void TForm3::Label2Click() {
    handle([this] { chooseDisplayColor(*Label2); });
}

void TForm3::chooseDisplayColor(QLabel& display) {
    // One chooser for both displays: it opens at the colour chosen last.
    const bool time = &display == Label3;
    dialogs_->chooseColor(this, lastChosenColor_, [this, time](const QColor& chosen) {
        handle([&] {
            lastChosenColor_ = chosen;
            setDigitColor(time ? *Label3 : *Label2, chosen);
            if (time) {
                settings_.setTimeColor(chosen);
            } else {
                settings_.setScoreColor(chosen);
            }
        });
    });
}

void TForm3::N1Click() {
    handle([this] { stepWordSize(+1); });
}

void TForm3::N2Click() {
    handle([this] { stepWordSize(-1); });
}

void TForm3::stepWordSize(int direction) {
    if (aft1->FitToClient()) {
        const double scale = steppedWordScale(aft1->FitScale(), direction);
        aft1->SetFitScale(scale);
        settings_.setWordScale(scale);
        return;
    }
    TFont& font = aft1->Fonts().Items(0).Font();
    font.SetSize(steppedWordPoints(font.Size(), direction));
}

void TForm3::autoSizeClick() {
    handle([this] {
        aft1->SetFitToClient(menu_->autoSize->isChecked());
        settings_.setFitWord(aft1->FitToClient());
    });
}

void TForm3::qualityClick(TAAQuality quality) {
    handle([this, quality] {
        setQuality(quality);
        settings_.setQuality(static_cast<int>(quality));
    });
}

void TForm3::N4Click() {
    handle([this] {
        if (displayMode_ == DisplayMode::windowed) {
            // The border the desktop gave the window, for the way back.
            if (isVisible()) learnFrame();
            displayMode_ = DisplayMode::fullScreen;
            showFullScreen();
            const QSize screen = screenOf(*this).geometry().size();
            watchButtonRule(screen, screen.height());
        } else {
            displayMode_ = DisplayMode::windowed;
            // A move asked for before the desktop has given the window its
            // border back would place the client area where the frame
            // belongs: the window is placed once it has left full screen
            // and has its border again (FormResize, frameWatchTimer).
            placeOnReturn_ = true;
            showNormal();
        }
    });
}

bool TForm3::learnFrame() {
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    // No border yet: the desktop has not framed the window (or never will).
    if (frame.isNull() || frame == frame_) return false;
    frame_ = frame;
    return true;
}

void TForm3::watchFrame(bool returning) {
    // The first placement guessed the border. The desktop puts its own round
    // the window some time after it shows, and says so without an event the
    // window hears: it looks for a while, and places the window again to fit
    // once the border is known.
    returning_ = returning;
    frameWatch_.setInterval(frameWatchMilliseconds);
    frameWatchesLeft_ = frameWatches;
    frameWatch_.start();
}

void TForm3::frameWatchTimer() {
    handle([this] {
        if (--frameWatchesLeft_ <= 0 || displayMode_ != DisplayMode::windowed) frameWatch_.stop();
        const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
        if (frame.isNull()) return;
        frameWatch_.stop();
        learnFrame();
        // Placed again wherever the desktop's border or its own ideas moved
        // the window off the place it was given.
        const QRect area = screenOf(*this).availableGeometry();
        const QSize border(frame_.left() + frame_.right(), frame_.top() + frame_.bottom());
        if (returning_ || size() != placedSize_ || !area.contains(frameGeometry()) ||
            frameGeometry().topLeft() != centredIn(area, placedSize_ + border)) {
            const QSize client = placeWindowed();
            // Back from full screen, the buttons go where the rule puts them.
            if (std::exchange(returning_, false)) watchButtonRule(client, client.height() + border.height());
        }
    });
}

QSize TForm3::placeWindowed() {
    const QRect area = screenOf(*this).availableGeometry();
    const QSize border(frame_.left() + frame_.right(), frame_.top() + frame_.bottom());
    QSize client = design::clientSize;
    const QSize room = area.size() - border;
    if (client.width() > room.width() || client.height() > room.height()) {
        // Smaller in proportion: the anchors lay the window out at any size.
        client.scale(room, Qt::KeepAspectRatio);
    }
    placedSize_ = client;
    resize(client);
    move(centredIn(area, client + border));
    return client;
}

void TForm3::watchButtonRule(QSize target, int outerHeight) {
    buttonRuleSize_ = target;
    buttonRuleOuterHeight_ = outerHeight;
    if (size() == target) {
        applyButtonRule(outerHeight);
        buttonRuleSize_.reset();
    }
}

void TForm3::N6Click() {
    handle([this] { close(); });
}

void TForm3::N7Click() {
    handle([this] {
        game_.setSoundOn(menu_->N7->isChecked());
        settings_.setSoundOn(menu_->N7->isChecked());
    });
}

void TForm3::N8Click() {
    handle([this] {
        dialogs_->information(this, QString::fromUtf8(aboutCaption), aboutText());
    });
}

void TForm3::pnl1Click() {
    handle([this] { dialogs_->openUrl(QUrl(QString::fromUtf8(productPage))); });
}

void TForm3::pnl1DblClick() {
    handle([this] { pnl1->hide(); });
}

void TForm3::scoreboardClick() {
    handle([this] {
        if (!game_.match()) return;
        if (scoreboard->isVisible()) {
            scoreboard->hide();
            return;
        }
        scoreboard->refresh();
        scoreboard->show();
        scoreboard->raise();
        scoreboard->setFocus();
    });
}

void TForm3::pauseClick() {
    handle([this] { game_.perform(Command{CommandKind::pause}); });
}

void TForm3::reduceMotionClick() {
    handle([this] {
        setReduceMotion(menu_->reduceMotion->isChecked());
        settings_.setReduceMotion(menu_->reduceMotion->isChecked());
    });
}

void TForm3::highContrastClick() {
    handle([this] {
        setHighContrast(menu_->highContrast->isChecked());
        settings_.setHighContrast(menu_->highContrast->isChecked());
    });
}

void TForm3::restoreDefaultsClick() {
    handle([this] { settings_.restoreDefaults(); });
}

void TForm3::exportCsvClick() {
    handle([this] {
        if (!game_.match()) return;
        dialogs_->saveFile(this, QStringLiteral("导出比赛成绩"), QStringLiteral("比赛成绩.csv"),
                           QStringLiteral("CSV 表格 (*.csv)"), [this](const QString& path) {
                               handle([&] {
                                   // The match may have ended while the chooser was open.
                                   if (!game_.match()) return;
                                   const std::string csv = matchCsv(*game_.match());
                                   QSaveFile file(path);
                                   if (!file.open(QIODevice::WriteOnly) ||
                                       file.write(csv.data(), static_cast<qint64>(csv.size())) !=
                                           static_cast<qint64>(csv.size()) ||
                                       !file.commit()) {
                                       throw Error("比赛成绩无法保存到 " + path.toStdString() + "：" +
                                                   file.errorString().toStdString());
                                   }
                               });
                           });
    });
}

void TForm3::exportPictureClick() {
    handle([this] {
        if (!game_.match()) return;
        dialogs_->saveFile(this, QStringLiteral("导出计分板图片"), QStringLiteral("计分板.png"),
                           QStringLiteral("PNG 图片 (*.png)"), [this](const QString& path) {
                               handle([&] {
                                   if (!game_.match()) return;
                                   const QImage picture = scoreboardPicture(*game_.match(), background_,
                                                                            digitalFamily_, QDate::currentDate());
                                   if (!picture.save(path, "PNG")) {
                                       throw Error("计分板图片无法保存到 " + path.toStdString() + "。");
                                   }
                               });
                           });
    });
}

void TForm3::closeEvent(QCloseEvent* event) {
    closing_ = true;
    handle([this] { game_.close(); });
    closing_ = false;
    // Only hidden: the window lives for the whole run.
    event->accept();
}

bool TForm3::event(QEvent* event) {
    // Tab shows the scoreboard while a match runs; otherwise it moves the
    // focus between the buttons as usual.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab &&
        game_.match()) {
        scoreboardClick();
        return true;
    }
    return QWidget::event(event);
}

void TForm3::contextMenuEvent(QContextMenuEvent* event) {
    menu_->pm1().popup(event->globalPos());
    event->accept();
}

}  // namespace caici
