#include "app/rules_dialog.h"

#include "app/console_mode.h"
#include "app/dotted_frame.h"
#include "app/forbidden_switches.h"
#include "app/library_panel.h"
#include "app/match_dialog.h"
#include "app/remote_panel.h"
#include "app/rules_dialog_geometry.h"
#include "app/show_settings_panel.h"
#include "look/window_look.h"
#include "common/error_guard.h"
#include "game/game.h"
#include "look/placement.h"
#include "look/settings.h"
#include "tonightpanel/tonight_panel.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QCheckBox>
#include <QHideEvent>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

namespace caici {

namespace {

constexpr int dialogColor = 12285;  // (253, 47, 0)
constexpr int textHeight = 16;

constexpr char instructions[] =
    "词库修改：打开目录下的 words.xls 编辑，保存。\r\n\r\n声音修改：替换目录下 sound 文件夹里的同名 MP3 文件。";
constexpr char rulesText[] =
    "       两人一组参赛，在规定时间内，根据显示文字，A选手给B选手提示（语言或肢体动作），B选手猜词。"
    "如果B选手猜对直接进行下一题，如果多次猜不对，A选手可以选择跳过，进入下一个词。"
    "每轮前两次跳过不削减时间，第三次跳过削减2秒，第四次跳过削减3秒，以此类推；"
    "剩余秒数减去本轮已跳过的次数不足10时，就不能再跳过了。时间减少到0则本轮结束。最后得分高的队获胜，如果得分一样，则跳过次数最少的队获胜。";

QLabel& addLabel(QWidget& parent, const char* objectName, const char* text, QPoint at, const QFont& font) {
    auto* label = new QLabel(captionText(text), &parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setFont(font);
    label->move(at);
    label->adjustSize();
    return *label;
}

// Gap between the start window and the dialog beside it.
constexpr int besideGap = 10;
// How far the start window moves aside for the dialog where the screen has room.
constexpr int startShift = 100;

}  // namespace

BesidePlacement placeBeside(const QRect& start, QSize dialog, const QRect& area) {
    const int top = std::clamp(start.y(), area.top(), std::max(area.top(), area.bottom() + 1 - dialog.height()));
    const int pair = start.width() + besideGap + dialog.width();
    if (pair > area.width()) {
        // No room for both: the dialog goes over the start window's left
        // side, away from the start label on its right.
        return {0, QPoint(area.left(), top)};
    }
    const int left = std::clamp(start.x() - startShift, area.left(), area.right() + 1 - pair);
    return {left - start.x(), QPoint(left + start.width() + besideGap, top)};
}

TForm2::TForm2(QWidget& startWindow, Game& game, Settings& settings, ErrorReporter& reporter)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      startWindow_(startWindow),
      game_(game),
      settings_(settings),
      reporter_(reporter) {
    // A hand-edited settings file may hold any number.
    game_.setCountdownSeconds(
        std::clamp(settings_.countdownSeconds(game_.countdownSeconds()), minCountdown, maxCountdown));
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("游戏规则和设置"));
    setAccessibleName(windowTitle());
    // The designed dialog, and below it a row for the match set-up.
    setFixedSize(design::rules::clientSize);
    setFont(pixelFont(QStringLiteral("Tahoma"), 11));
    setBackgroundColor(*this, storedColor(dialogColor));
    buildLayout();
    connect(&settings_, &Settings::restored, this, [this] {
        game_.setCountdownSeconds(Game::defaultCountdownSeconds);
        edt1_->setText(QString::number(game_.countdownSeconds()));
    });
}

void TForm2::buildLayout() {
    const QString face = QStringLiteral("Tahoma");
    const QFont bold = pixelFont(face, textHeight, true);

    new DottedFrame(*this, design::rules::rulesFrame, Qt::black);

    QLabel& label1 = addLabel(*this, "Label1", instructions, design::rules::Label1, bold);
    label1.resize(label1.size().expandedTo(design::rules::Label1Least));
    label1_ = &label1;

    addLabel(*this, "Label9", "游戏规则：", design::rules::Label9, bold);
    // Black like the dialog's other texts: red on the orange-red ground
    // could hardly be read.
    addLabel(*this, "Label7", "倒计时设定：        秒。", design::rules::Label7, bold);

    QLabel& label8 = addLabel(*this, "Label8", rulesText, design::rules::Label8, pixelFont(face, textHeight));
    label8.setWordWrap(true);
    label8.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The rules must be read in full: where the substitute face's line height
    // needs more than the designed 152 px, the label grows into the frame's
    // bottom margin instead of cutting the last line.
    const QSize least = design::rules::Label8Least;
    label8.resize(least.width(), std::max(least.height(), label8.heightForWidth(least.width())));

    edt1_ = new QLineEdit(QString::number(game_.countdownSeconds()), this);
    edt1_->setObjectName(QStringLiteral("edt1"));
    // Whole seconds only: a round needs a clock that runs.
    edt1_->setValidator(new QIntValidator(minCountdown, maxCountdown, edt1_));
    connect(edt1_, &QLineEdit::textEdited, this, &TForm2::edt1Change);
    connect(edt1_, &QLineEdit::editingFinished, this, &TForm2::edt1Exit);
    edt1_->setFont(pixelFont(face, textHeight));
    edt1_->setGeometry(design::rules::edt1);
    edt1_->setAccessibleName(QStringLiteral("倒计时设定"));
    // Set after the layout so that it is painted over the label's blank gap.
    edt1_->raise();

    btnMatch = new QPushButton(QStringLiteral("比赛设置（多队计分）…"), this);
    btnMatch->setObjectName(QStringLiteral("btnMatch"));
    btnMatch->setFont(pixelFont(face, 13));
    btnMatch->setGeometry(design::rules::btnMatch);
    btnMatch->setCursor(Qt::PointingHandCursor);
    connect(btnMatch, &QPushButton::clicked, this, [this] {
        guarded(reporter_, [this] {
            if (!matchDialog_) matchDialog_ = new MatchDialog(this, game_);
            matchDialog_->show();
            matchDialog_->raise();
            matchDialog_->activateWindow();
        });
    });
}

void TForm2::connectLibrary(LibraryActions& actions, const QString& soundFolder) {
    library_ = new LibraryPanel(game_, actions, *this);
    library_->move(design::rules::libraryPanel + QPoint(0, height()));
    setFixedSize(width(), height() + LibraryPanel::panelHeight + 4);
    const auto nameFiles = [this, soundFolder] {
        const QFontMetrics metrics(label1_->font());
        const QString path = QString::fromStdString(game_.libraryFile().path);
        const QString library = metrics.elidedText(QFileInfo(path).fileName(), Qt::ElideMiddle, 100);
        const QString sound = metrics.elidedText(soundFolder + QStringLiteral("sound"), Qt::ElideMiddle, 378);
        label1_->setText(QStringLiteral("词库修改：点下面的“编辑词库”修改 %1，\n保存后点“重新读取”。\n"
                                        "声音修改：替换下面文件夹里的同名 MP3 文件：\n%2")
                             .arg(library, sound));
        label1_->setToolTip(path);
        label1_->resize(design::rules::Label1Least.width(),
                        std::max(design::rules::Label1Least.height(), label1_->sizeHint().height()));
    };
    connect(library_, &LibraryPanel::libraryShown, this, nameFiles);
    nameFiles();
}

void TForm2::connectTonight() {
    using namespace design::rules;
    const int top = rulesFrame.y();
    auto* column = new QWidget(this);
    tonightColumn_ = column;
    column->setObjectName(QStringLiteral("tonightSection"));
    column->setGeometry(tonightLeft, top, tonightWidth, height() - top - 8);
    new DottedFrame(*column, column->rect(), Qt::black);
    tonight_ = new TonightPanel(game_, column);
    tonight_->setGeometry(column->rect().adjusted(2, 2, -2, -2 - forbiddenRowHeight));
    // The column has room to spare below the list; the dialog's height
    // already fills a 768-pixel screen with the phone remote's section open.
    new ForbiddenSwitches(*column, column->height() - forbiddenRowHeight, game_, settings_, reporter_);
    tonight_->setFont(pixelFont(QStringLiteral("Tahoma"), 13));
    tonight_->title->setFont(pixelFont(QStringLiteral("Tahoma"), textHeight, true));
    // Black on the dialog's orange-red reads best; a refusal stands out bold.
    tonight_->setStyleSheet(QStringLiteral("#tonightAnswer { color: black; }"
                                           "#tonightAnswer[refused=\"true\"] { color: white; font-weight: bold; }"));
    btnTonight_ = columnButton("btnTonight", btnTonight, [this] { showTonight(!tonightColumn_->isVisible()); });
    showTonight(true);
}

void TForm2::showTonight(bool shown) {
    showColumn(shown ? tonightColumn_ : nullptr);
}

void TForm2::connectShowSettings(WindowDialogs& dialogs) {
    using namespace design::rules;
    const int top = rulesFrame.y();
    showColumn_ = new QWidget(this);
    showColumn_->setObjectName(QStringLiteral("showSection"));
    showColumn_->setGeometry(tonightLeft, top, tonightWidth, height() - top - 8);
    new DottedFrame(*showColumn_, showColumn_->rect(), Qt::black);
    auto* panel = new ShowSettingsPanel(settings_, dialogs, reporter_, showColumn_);
    panel->setGeometry(showColumn_->rect().adjusted(2, 2, -2, -2));
    // Black on the dialog's orange-red reads best; a refusal stands out bold.
    panel->setStyleSheet(QStringLiteral("#logoAnswer { color: black; }"
                                         "#logoAnswer[refused=\"true\"] { color: white; font-weight: bold; }"));
    btnShowSettings_ = columnButton("btnShowSettings", btnShowSettings,
                                    [this] { showShowSettings(!showColumn_->isVisible()); });
    showShowSettings(false);
}

void TForm2::showShowSettings(bool shown) {
    showColumn(shown ? showColumn_ : nullptr);
}

QPushButton* TForm2::columnButton(const char* objectName, const QRect& place, std::function<void()> toggle) {
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setFont(pixelFont(QStringLiteral("Tahoma"), 13));
    button->setGeometry(place);
    button->setCursor(Qt::PointingHandCursor);
    connect(button, &QPushButton::clicked, this, [this, toggle = std::move(toggle)] { guarded(reporter_, toggle); });
    return button;
}

void TForm2::showColumn(QWidget* column) {
    using namespace design::rules;
    if (tonightColumn_) {
        tonightColumn_->setVisible(column == tonightColumn_);
        btnTonight_->setText(column == tonightColumn_ ? QStringLiteral("今晚的词 «") : QStringLiteral("今晚的词 »"));
        btnTonight_->setAccessibleName(QStringLiteral("今晚的词"));
    }
    if (showColumn_) {
        showColumn_->setVisible(column == showColumn_);
        btnShowSettings_->setText(column == showColumn_ ? QStringLiteral("活动和玩法 «")
                                                        : QStringLiteral("活动和玩法 »"));
        btnShowSettings_->setAccessibleName(QStringLiteral("活动和玩法"));
    }
    const int border = frameGeometry().width() - width();
    setFixedSize(column ? tonightLeft + tonightWidth + tonightRightMargin : clientSize.width(), height());
    if (isVisible()) {
        // Widened where it stands, it would reach off the screen's right edge.
        const QRect area = screenOf(*this).availableGeometry();
        const int right = frameGeometry().x() + width() + border;
        if (right > area.right() + 1) move(std::max(area.left(), pos().x() - (right - area.right() - 1)), pos().y());
    }
}

void TForm2::connectConsole(ConsoleMode& console) {
    auto* box = new QCheckBox(QStringLiteral("双屏"), this);
    box->setObjectName(QStringLiteral("chkConsole"));
    box->setFont(pixelFont(QStringLiteral("Tahoma"), textHeight, true));
    box->move(design::rules::consoleSwitchLeft, btnMatch->y() + design::rules::switchInset);
    box->adjustSize();
    const auto follow = [box, &console] {
        const QSignalBlocker quiet(box);
        box->setChecked(console.isOn());
        box->setEnabled(console.available());
        box->setToolTip(console.available()
                            ? QStringLiteral("猜词窗口全屏显示在投影屏幕上，另一个屏幕上打开操作台")
                            : QStringLiteral("连接第二个屏幕（投影仪）后才能使用"));
    };
    connect(box, &QCheckBox::toggled, this, [this, &console](bool on) { guarded(reporter_, [&] { console.setOn(on); }); });
    connect(&console, &ConsoleMode::changed, this, follow);
    follow();
}

void TForm2::connectRemote(PhoneRemote& remote) {
    // In the settings row, beside the match set-up.
    new RemoteSwitch(remote, reporter_, *this, QPoint(design::rules::remoteSwitchLeft, btnMatch->y() + design::rules::switchInset));
}

void TForm2::edt1Change() {
    guarded(reporter_, [this] {
        if (!edt1_->hasAcceptableInput()) return;
        game_.setCountdownSeconds(edt1_->text().toInt());
        settings_.setCountdownSeconds(game_.countdownSeconds());
    });
}

void TForm2::edt1Exit() {
    // A number left half typed ("5" on the way to "50") is not a setting:
    // the box shows again what the next round will count down from.
    guarded(reporter_, [this] {
        if (!edt1_->hasAcceptableInput()) edt1_->setText(QString::number(game_.countdownSeconds()));
    });
}

void TForm2::showEvent(QShowEvent* event) {
    // Only the show that the program asks for places the dialog; a restore
    // reported by the window system leaves it where the user put it.
    if (!event->spontaneous()) {
        guarded(reporter_, [this] { FormShow(); });
    }
    QDialog::showEvent(event);
}

void TForm2::hideEvent(QHideEvent* event) {
    // A hide that the window system reports on its own (minimising, a virtual
    // desktop switch) is not a close: the start window stays where it is.
    if (!event->spontaneous()) {
        guarded(reporter_, [this] { FormHide(); });
    }
    QDialog::hideEvent(event);
}

void TForm2::FormShow() {
    const QRect start = startWindow_.frameGeometry();
    // Before it is first shown the dialog has no border yet: it will get one
    // like the start window's.
    const QSize border = start.size() - startWindow_.size();
    const QRect area = screenOf(startWindow_).availableGeometry();
    if (tonightColumn_) {
        // Where the wide dialog would have to cover the start window, and
        // with it the start label, tonight's words wait for their button.
        showTonight(true);
        const bool room = start.width() + besideGap + width() + border.width() <= area.width();
        if (!room) showTonight(false);
    }
    const BesidePlacement placed = placeBeside(start, size() + border, area);
    startShift_ = placed.startShift;
    startWindow_.move(startWindow_.pos() + QPoint(startShift_, 0));
    move(placed.dialog);
    if (library_) library_->refresh();
}

void TForm2::FormHide() {
    edt1Exit();
    startWindow_.move(startWindow_.pos() - QPoint(startShift_, 0));
    startShift_ = 0;
}

}  // namespace caici
