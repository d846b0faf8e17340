#include "round/guessing_window.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>

#include "fadetext/fade_text.h"
#include "effecttext/font.h"
#include "input/play_keys.h"
#include "round/click_label.h"
#include "round/color_key.h"
#include "round/digital_font.h"
#include "round/guessing_window_geometry.h"
#include "round/guessing_window_menu.h"
#include "round/results_export.h"
#include "round/review_panel.h"
#include "round/rule_card_panel.h"
#include "round/scoreboard_panel.h"
#include "round/time_pulse.h"
#include "round/word_display_style.h"
#include "common/product.h"
#include "look/window_look.h"

// Qt's resource initialiser lives in the global namespace.
static void initRoundImages() {
    Q_INIT_RESOURCE(round_images);
}

namespace caici {
namespace {

const QColor windowColor(45, 45, 45);
const QColor timeColor(255, 128, 255);
const QColor scoreColor(128, 255, 128);
const QColor penaltyFlashColor(255, 0, 0);
const QColor scoreFlashColor(128, 255, 0);
const QColor panelColor(64, 0, 0);

constexpr int captionPixels = 47;
constexpr int digitPixels = 64;
constexpr int buttonPixels = 35;
constexpr int footerPixels = 11;
constexpr int panelPixels = 20;

void setColors(QWidget& widget, const QColor& text, const QColor& background) {
    setTextColor(widget, text);
    setBackgroundColor(widget, background);
}

}  // namespace

TForm3::TForm3(GuessingWindowParts parts)
    : game_(parts.game),
      errors_(parts.errors),
      dialogs_(parts.dialogs ? std::move(parts.dialogs) : std::make_shared<DesktopDialogs>()),
      layout_(*this),
      settings_(parts.settings) {
    initRoundImages();
    placement_ = std::make_unique<WindowPlacement>(
        *this, errors_, [this](QSize target, int outerHeight) { watchButtonRule(target, outerHeight); });
    installFaceSubstitutions();
    setWindowTitle(QStringLiteral("猜词窗口"));
    setFont(pixelFont(QStringLiteral("Tahoma"), footerPixels));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, windowColor);
    setPalette(palette);
    resize(design::clientSize);
    background_.load(QStringLiteral(":/round/background.jpg"));

    digitalFamily_ = DigitalFont::registerFor(parts.baseFolder);
    buildComponents();
    colorKey_ = std::make_unique<ColorKeyCut>(
        *this, errors_, std::vector<QLabel*>{Label7, Label3, Label6, Label8, Label2, Label5, Label4});
    configureWordDisplay();
    configureForbiddenDisplay();

    review = new ReviewPanel(*this, background_, game_, digitalFamily_);
    scoreboard = new ScoreboardPanel(*this, background_, game_, digitalFamily_);
    card = new RuleCardPanel(*this, background_, game_, digitalFamily_);
    export_ = std::make_unique<ResultsExport>(game_, *dialogs_, errors_, background_, digitalFamily_, brand_);
    pulse_ = std::make_unique<TimePulse>(*Label3, [this](const QRect& place) { layout_.move(*Label3, place); });
    menu_ = std::make_unique<GuessingWindowMenu>(*this);
    menu_->autoSize->setChecked(aft1->FitToClient());
    connectHandlers();
    wireMenu(*menu_, *this, *this);
    keys_ = std::make_unique<PlayKeys>(game_);
    keys_->addWindow(*this);
    game_.addListener(*this);
    applySettings();
    forbiddenModeChanged(game_.forbiddenMode());
    connect(&settings_, &Settings::restored, this, [this] { handle([this] { applySettings(); }); });
}

TForm3::~TForm3() {
    game_.removeListener(*this);
}

void TForm3::buildComponents() {
    const Anchors topLeft{Anchor::left, Anchor::top};
    const Anchors topRight{Anchor::top, Anchor::right};
    const Anchors bottomRight{Anchor::right, Anchor::bottom};
    const Anchors bottomLeft{Anchor::left, Anchor::bottom};
    const Anchors allSides{Anchor::left, Anchor::top, Anchor::right, Anchor::bottom};
    // A stand-in face is scaled so that "000" keeps the width the design
    // gave the displays. The flashes are drawn as high as the digits, bold.
    QFont digits(digitalFamily_);
    digits.setPixelSize(
        DigitalFont::pixelSizeFor(digits, digitPixels, QStringLiteral("000"), design::Label3.width()));
    QFont boldDigits = digits;
    boldDigits.setBold(true);
    const design::NumberRow numbers = design::numberRow(QFontMetrics(boldDigits).horizontalAdvance(
        QStringLiteral("+8")));

    const auto label = [&](QLabel* widget, const char* text, const QFont& font, const QColor& color,
                           const QRect& rect, Anchors anchors) {
        widget->setText(QString::fromUtf8(text));
        widget->setFont(font);
        setColors(*widget, color, windowColor);
        // The labels sit on the background picture, which is darker than the
        // window colour at its edges: a filled label would show as a box.
        widget->setAutoFillBackground(false);
        layout_.add(*widget, rect, anchors);
        return widget;
    };

    // Parent-owned, in the design's stacking order from the bottom.
    // Placed by placeWordDisplays, which shares their area between them.
    aft1 = new TCnAAFadeText(this);
    aft2 = new TCnAAFadeText(this);

    Label7 = label(new QLabel(this), "Time:", pixelFont("Calibri", captionPixels, true), timeColor,
                   design::Label7, topLeft);
    Label3 = new ClickLabel(this);
    label(Label3, "000", digits, timeColor, numbers.time, topLeft);
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->setToolTip(QStringLiteral("点我设置倒计时字体颜色"));
    Label3->setAccessibleDescription(QStringLiteral("剩余时间"));
    Label6 = label(new QLabel(this), "+1", boldDigits, penaltyFlashColor, numbers.penaltyFlash, topLeft);
    Label6->hide();

    Label8 = label(new QLabel(this), "Score:", pixelFont("Calibri", captionPixels, true), scoreColor,
                   numbers.scoreCaption, topRight);
    Label2 = new ClickLabel(this);
    label(Label2, "000", digits, scoreColor, numbers.score, topRight);
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->setToolTip(QStringLiteral("点我设置分值颜色"));
    Label2->setAccessibleDescription(QStringLiteral("得分"));
    Label5 = label(new QLabel(this), "+1", boldDigits, scoreFlashColor, numbers.scoreFlash, topRight);
    Label5->hide();

    const auto button = [&](const char* text, const QRect& rect) {
        auto* widget = new QPushButton(QString::fromUtf8(text), this);
        widget->setFont(pixelFont("微软雅黑", buttonPixels, true));
        widget->setCursor(Qt::PointingHandCursor);
        widget->setDefault(true);
        // Enter is handled by the window: the focused button, else "正确".
        widget->setAutoDefault(false);
        widget->setFocusPolicy(Qt::StrongFocus);
        layout_.add(*widget, rect, bottomRight);
        return widget;
    };
    btn1 = button("正确", design::btn1);
    btn2 = button("跳过", design::btn2);
    setTabOrder(btn1, btn2);

    Label4 = label(new QLabel(this), "", pixelFont("Tahoma", footerPixels), Qt::white, design::Label4, bottomRight);
    Label4->setText(QStringLiteral("更多功能请点击鼠标右键！  %1 出品 · 永久免费，欢迎转发")
                        .arg(QString::fromUtf8(makerBrand)));

    pnl1 = new ClickLabel(this);
    label(pnl1, "本游戏永久免费，觉得好玩就点这里赞助我们吧！（双击关闭本栏）",
          pixelFont("微软雅黑", panelPixels), Qt::white, design::pnl1, bottomLeft);
    setColors(*pnl1, Qt::white, panelColor);
    pnl1->setAlignment(Qt::AlignCenter);
    pnl1->setCursor(Qt::PointingHandCursor);
    // On a narrow screen (a 1024-wide projector) the left-anchored panel
    // reaches under the right-anchored buttons; the operator must still be
    // able to see and press them.
    btn1->raise();
    btn2->raise();

    for (QLabel* widget : {Label7, static_cast<QLabel*>(Label3), Label6, Label8, static_cast<QLabel*>(Label2),
                           Label5, Label4, static_cast<QLabel*>(pnl1)}) {
        widget->setFocusPolicy(Qt::NoFocus);
    }
    const std::pair<QObject*, const char*> names[] = {
        {aft1, "aft1"},     {aft2, "aft2"},     {Label7, "Label7"}, {Label3, "Label3"}, {Label6, "Label6"}, {Label8, "Label8"},
        {Label2, "Label2"}, {Label5, "Label5"}, {btn1, "btn1"},     {btn2, "btn2"},     {Label4, "Label4"},
        {pnl1, "pnl1"},
    };
    for (const auto& [widget, name] : names) widget->setObjectName(QString::fromLatin1(name));

    tmr1.setInterval(1000);
    tmr2.setInterval(500);
    tmr3.setInterval(500);
}

namespace {

// A display of the round's look: one style drawn by the given setter, the
// word's delays (the word and its forbidden words fade together), over the
// window's own background.
void configureFadeDisplay(TCnAAFadeText& display, ErrorReporter& errors, const char* styleName, int points,
                          int shadow, void (*setStyle)(TFont&, TCnAAEffect&), const std::string& line) {
    display.SetErrorReporter(&errors);
    display.BeginUpdate();
    TCnFontLabel* style = display.Fonts().AddFontLabel(styleName, "微软雅黑", points, clBlack,
                                                       TFontStyles{TFontStyle::fsBold}, true, shadow, shadow);
    setStyle(style->Font(), style->Effect());
    display.CreateDefaultLabels();
    TCnFadeTextParam& text = display.Text();
    // Delays in this order: the fade delay is clamped against the line delay.
    text.SetFadeDelay(50);
    text.SetLineDelay(1000);
    text.Lines().SetLine(line);
    text.SetTransparent(true);
    text.SetQuality(TAAQuality::aqNone);
    display.ParentEffect().SetParentColor(false);
}

}  // namespace

void TForm3::configureWordDisplay() {
    configureFadeDisplay(*aft1, errors_, wordStyleName, 168, 5, setWordDisplayStyle, idleLine());
    aft1->SetFitToClient(settings_.fitWord());
    aft1->SetFitScale(settings_.wordScale());
    aft1->EndUpdate();
    aft1->Loaded();
}

void TForm3::configureForbiddenDisplay() {
    configureFadeDisplay(*aft2, errors_, forbiddenStyleName, 72, 3, setForbiddenDisplayStyle, std::string());
    // Always fitted, whatever the word's size keys do: the forbidden words
    // are never cut.
    aft2->SetFitToClient(true);
    aft2->EndUpdate();
    aft2->Loaded();
}

void TForm3::placeWordDisplays() {
    const Anchors allSides{Anchor::left, Anchor::top, Anchor::right, Anchor::bottom};
    const QRect area = AnchoredPlacement{design::aft1, design::clientSize, allSides}.placedIn(size());
    if (!aft2->isVisibleTo(this)) {
        aft1->setGeometry(area);
        return;
    }
    const design::WordAreas shared = design::splitWordArea(area);
    aft1->setGeometry(shared.word);
    aft2->setGeometry(shared.forbidden);
}

void TForm3::connectHandlers() {
    const auto on = [this](auto* sender, auto signal, void (TForm3::*handler)()) {
        connect(sender, signal, this, handler);
    };
    on(btn1, &QPushButton::clicked, &TForm3::btn1Click);
    on(btn2, &QPushButton::clicked, &TForm3::btn2Click);
    on(&tmr1, &QTimer::timeout, &TForm3::tmr1Timer);
    on(&tmr2, &QTimer::timeout, &TForm3::tmr2Timer);
    on(&tmr3, &QTimer::timeout, &TForm3::tmr3Timer);
    on(Label3, &ClickLabel::clicked, &TForm3::Label3Click);
    on(Label2, &ClickLabel::clicked, &TForm3::Label2Click);
    on(pnl1, &ClickLabel::clicked, &TForm3::pnl1Click);
    on(pnl1, &ClickLabel::doubleClicked, &TForm3::pnl1DblClick);
}

void TForm3::applySettings() {
    setDigitColor(*Label3, settings_.timeColor().value_or(timeColor));
    setDigitColor(*Label2, settings_.scoreColor().value_or(scoreColor));
    setQuality(static_cast<TAAQuality>(settings_.quality(static_cast<int>(TAAQuality::aqNone))));
    aft1->SetFitToClient(settings_.fitWord());
    aft1->SetFitScale(settings_.wordScale());
    menu_->autoSize->setChecked(aft1->FitToClient());
    menu_->reduceMotion->setChecked(settings_.reduceMotion());
    setReduceMotion(settings_.reduceMotion());
    setHighContrast(settings_.highContrast());
    game_.setSoundOn(settings_.soundOn());
}

void TForm3::setReduceMotion(bool on) {
    reduceMotion_ = on;
    if (on) pulse_->stop();
    aft1->SetInstant(on);
    aft2->SetInstant(on);
    review->setInstant(on);
    scoreboard->setInstant(on);
}

void TForm3::setDigitColor(QLabel& display, const QColor& color) {
    QPalette palette = display.palette();
    palette.setColor(QPalette::WindowText, color);
    display.setPalette(palette);
    colorKey_->schedule();
}

void TForm3::setQuality(TAAQuality quality) {
    aft1->Text().SetQuality(quality);
    aft2->Text().SetQuality(quality);
    menu_->checkQuality(quality);
}

void TForm3::setHighContrast(bool on) {
    menu_->highContrast->setChecked(on);
    const auto restyle = [on](TCnAAFadeText& display, void (*setStyle)(TFont&, TCnAAEffect&)) {
        TCnFontLabel& style = display.Fonts().Items(0);
        display.BeginUpdate();
        setStyle(style.Font(), style.Effect());
        if (on) {
            style.Font().SetColor(clWhite);
            style.Effect().Gradual().SetEnabled(false);
            style.Effect().Shadow().SetEnabled(false);
        }
        display.Text().SetTransparent(!on);
        display.SetColor(clBlack);
        display.EndUpdate();
        display.Changed();
    };
    restyle(*aft1, setWordDisplayStyle);
    restyle(*aft2, setForbiddenDisplayStyle);
}

int TForm3::wordPoints() const {
    return aft1->FitToClient() ? aft1->DisplayedFontSize() : aft1->Fonts().Items(0).Font().Size();
}

TAAQuality TForm3::wordQuality() const {
    return aft1->Text().Quality();
}

void TForm3::fitNumberLabel(QLabel& label) {
    // The labels size themselves to their text, keeping their left edge, so
    // that a four-digit value or a wider stand-in face is never cut off.
    layout_.move(label, QRect(label.pos(), QSize(label.sizeHint().width(), label.height())));
    if (label.palette().color(QPalette::WindowText).rgb() == colorKeyRgb) colorKey_->schedule();
}

void TForm3::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), windowColor);
    if (!scaledBackground_.isNull()) painter.drawPixmap(0, 0, scaledBackground_);
}

void TForm3::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    handle([&] {
        layout_.parentResized();
        placeWordDisplays();
        if (!background_.isNull()) {
            scaledBackground_ = background_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        FormResize();
    });
}

void TForm3::FormResize() {
    placement_->windowResized();
    if (buttonRuleSize_ && size() == *buttonRuleSize_) {
        applyButtonRule(buttonRuleOuterHeight_);
        buttonRuleSize_.reset();
    }
    update();
    fitSponsorPanel();
    colorKey_->schedule();
}

void TForm3::watchButtonRule(QSize target, int outerHeight) {
    buttonRuleSize_ = target;
    buttonRuleOuterHeight_ = outerHeight;
    if (size() == target) {
        applyButtonRule(outerHeight);
        buttonRuleSize_.reset();
    }
}

void TForm3::applyButtonRule(int outerHeight) {
    const design::ButtonPlaces places = design::buttonPlaces(Label4->x(), outerHeight);
    layout_.move(*btn1, QRect(places.correct, btn1->size()));
    layout_.move(*btn2, QRect(places.skip, btn2->size()));
    fitSponsorPanel();
}

void TForm3::fitSponsorPanel() {
    // The panel ends short of "正确" and its line shrinks until it fits
    // whole: on a small screen the buttons come closer than designed.
    constexpr int gap = 6;
    constexpr int padding = 8;
    constexpr int smallestPixels = 10;
    const int designed = design::pnl1.width() * this->width() / design::clientSize.width();
    const int width = std::max(0, std::min(designed, btn1->x() - gap - pnl1->x()));
    QFont font = pnl1->font();
    for (int pixels = panelPixels; pixels >= smallestPixels; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(pnl1->text()) + 2 * padding <= width) break;
    }
    pnl1->setFont(font);
    layout_.move(*pnl1, QRect(QPoint(pnl1->x(), btn1->y()), QSize(width, pnl1->height())));
}

void TForm3::setEventBrand(const EventBrand& brand) {
    brand_ = brand;
    card->setEventBrand(brand);
    scoreboard->setEventBrand(brand);
}

QRegion TForm3::colorKeyRegion() const {
    return colorKey_->region();
}

}  // namespace caici
