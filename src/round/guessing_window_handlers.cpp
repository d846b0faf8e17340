// The guessing window's event handlers: the round's buttons and timers, the
// display adjustments of the pop-up menu, the colour choice, full screen,
// closing, the about box and the sponsor panel.

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

#include "fadetext/fade_text.h"
#include "round/click_label.h"
#include "round/color_key.h"
#include "round/guessing_window.h"
#include "round/guessing_window_geometry.h"
#include "round/guessing_window_menu.h"
#include "round/word_size.h"
#include "common/product.h"
#include "look/placement.h"

namespace caici {
namespace {

const char* const aboutCaption = "提示";

QString aboutText() {
    return QStringLiteral(
               "猜词 —— 聚会上的比划猜词游戏\n\n"
               "两人一组：一人看屏幕上的词，用语言或动作提示；另一人猜。\n"
               "按“正确”得分，按“跳过”换词，看哪一队在倒计时内得分最多。\n\n"
               "%1 出品，永久免费，欢迎转发给朋友。\n"
               "主页与新词库：%2")
        .arg(QString::fromUtf8(makerBrand), QString::fromUtf8(productPage));
}

}  // namespace

void TForm3::btn1Click() {
    handle([this] { game_.correct(); });
}

void TForm3::btn2Click() {
    handle([this] { game_.skip(); });
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
    const std::optional<QColor> chosen = dialogs_->chooseColor(this, lastChosenColor_);
    if (!chosen) return;
    lastChosenColor_ = *chosen;
    QPalette palette = display.palette();
    palette.setColor(QPalette::WindowText, *chosen);
    display.setPalette(palette);
    scheduleColorKey();
}

void TForm3::N1Click() {
    handle([this] { stepWordSize(+1); });
}

void TForm3::N2Click() {
    handle([this] { stepWordSize(-1); });
}

void TForm3::stepWordSize(int direction) {
    TFont& font = aft1->Fonts().Items(0).Font();
    font.SetSize(steppedWordPoints(font.Size(), direction));
}

void TForm3::qualityClick(TAAQuality quality) {
    handle([this, quality] {
        aft1->Text().SetQuality(quality);
        menu_->checkQuality(quality);
    });
}

void TForm3::N4Click() {
    handle([this] {
        QScreen& screen = screenOf(*this);
        QSize target;
        int outerHeight = 0;
        if (displayMode_ == DisplayMode::windowed) {
            // The border the desktop gave the window, to give the same outer
            // size when it comes back.
            if (isVisible()) windowedFrame_ = frameGeometry().size() - size();
            displayMode_ = DisplayMode::fullScreen;
            setWindowFlag(Qt::FramelessWindowHint, true);
            showFullScreen();
            // Without a window manager nobody acts on the full-screen state:
            // the window covers the screen itself.
            setGeometry(screen.geometry());
            target = screen.geometry().size();
            outerHeight = target.height();
        } else {
            displayMode_ = DisplayMode::windowed;
            setWindowFlag(Qt::FramelessWindowHint, false);
            showNormal();
            target = design::outerSize - windowedFrame_;
            resize(target);
            centreOnScreen(*this, design::outerSize);
            outerHeight = design::outerSize.height();
        }
        buttonRuleSize_ = target;
        buttonRuleOuterHeight_ = outerHeight;
        if (size() == target) {
            applyButtonRule(outerHeight);
            buttonRuleSize_.reset();
        }
    });
}

void TForm3::N6Click() {
    handle([this] { close(); });
}

void TForm3::N7Click() {
    handle([this] { game_.setSoundOn(menu_->N7->isChecked()); });
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

void TForm3::closeEvent(QCloseEvent* event) {
    closing_ = true;
    handle([this] { game_.close(); });
    closing_ = false;
    // Only hidden: the window lives for the whole run.
    event->accept();
}

void TForm3::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    // Both buttons are default buttons: Enter presses the one with the focus,
    // and "正确" when neither has it.
    QPushButton* target = focusWidget() == btn2 ? btn2 : btn1;
    if (target->isEnabled()) target->click();
    event->accept();
}

void TForm3::contextMenuEvent(QContextMenuEvent* event) {
    menu_->pm1().popup(event->globalPos());
    event->accept();
}

}  // namespace caici
