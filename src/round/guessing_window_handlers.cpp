// The guessing window's event handlers: the round's buttons and timers, the
// display adjustments of the pop-up menu, the colour choice, closing, the
// about box and the sponsor panel.

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "fadetext/fade_text.h"
#include "round/click_label.h"
#include "round/guessing_window.h"
#include "round/guessing_window_menu.h"
#include "round/results_export.h"
#include "round/word_size.h"
#include "common/product.h"
#include "round/scoreboard_panel.h"

namespace caici {
namespace {

const char* const aboutCaption = "提示";

QString aboutText() {
    return QStringLiteral(
               "猜词 —— 聚会上的比划猜词游戏\n\n"
               "两人一组：一人看屏幕上的词，用语言或动作提示；另一人猜。\n"
               "按“正确”得分，按“跳过”换词，看哪一队在倒计时内得分最多。\n"
               "翻页笔：向后翻页或右方向键是“正确”，向前翻页或左方向键是“跳过”。\n"
               "禁词模式：词下面是不能说的词，说了就按 F 键记“犯规”。\n\n"
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
    handle([this] { placement_->switchDisplayMode(); });
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
    handle([this] { export_->saveCsv(*this); });
}

void TForm3::exportPictureClick() {
    handle([this] { export_->savePicture(*this); });
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
