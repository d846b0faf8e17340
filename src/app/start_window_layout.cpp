// The look of the start window: size, colours, banner, title, start label,
// rules button and the maker's decorations.

#include "app/dotted_frame.h"
#include "app/library_browser.h"
#include "app/start_window_geometry.h"
#include "common/product.h"
#include "common/product_version.h"
#include "app/start_label.h"
#include "app/start_window.h"
#include "app/title_styles.h"
#include "look/window_look.h"
#include "fadetext/fade_text.h"

#include <QFontMetrics>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QPushButton>

namespace caici {

namespace {

constexpr int windowColor = 12285;       // (253, 47, 0)
constexpr int frameColor = 3947580;      // (60, 60, 60)
const QString windowFace = QStringLiteral("Tahoma");
const QString titleFace = QStringLiteral("微软雅黑");

QLabel& addText(QWidget& parent, const QString& text, QPoint at, const QFont& font, const QColor& color) {
    auto* label = new QLabel(text, &parent);
    label->setFont(font);
    setTextColor(*label, color);
    label->move(at);
    label->adjustSize();
    return *label;
}

// Texts over the banner's busy picture get a dark halo to stay readable.
void addHalo(QLabel& label) {
    auto* halo = new QGraphicsDropShadowEffect(&label);
    halo->setOffset(1, 1);
    halo->setBlurRadius(4);
    halo->setColor(QColor(0, 0, 0, 220));
    label.setGraphicsEffect(halo);
}

QLabel& addPicture(QWidget& parent, const char* objectName, const QString& resource, const QRect& bounds) {
    auto* picture = new QLabel(&parent);
    picture->setObjectName(QString::fromLatin1(objectName));
    picture->setPixmap(QPixmap(resource));
    picture->setScaledContents(true);
    picture->setGeometry(bounds);
    return *picture;
}

}  // namespace

void TForm1::buildLayout() {
    setWindowTitle(QString::fromUtf8(productTitle));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(design::start::clientSize);
    setFont(pixelFont(windowFace, 11));
    setBackgroundColor(*this, storedColor(windowColor));

    // Stacking follows creation: the banner lies under everything drawn over
    // it, and the transparent title shows the banner through its background.
    img1 = &addPicture(*this, "img1", QStringLiteral(":/app/banner.jpg"), design::start::img1);
    buildTitle();

    Label2 = new StartLabel(*this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setText(captionText("开 始\r\n游 戏"));
    Label2->setAccessibleName(QStringLiteral("开始游戏"));
    Label2->setFont(pixelFont(titleFace, 21, true));
    Label2->setGeometry(design::start::Label2);

    btn3 = new QPushButton(QStringLiteral("游戏规则和设置"), this);
    btn3->setObjectName(QStringLiteral("btn3"));
    btn3->setGeometry(design::start::btn3);
    btn3->setCursor(Qt::PointingHandCursor);

    new DottedFrame(*this, design::start::makerFrame, storedColor(frameColor));
    buildMakerInformation();
    buildEventBrand();

    pgc1 = new LibraryBrowser(*this);
    // Placed out of sight and hidden as well, so that neither the keyboard
    // nor assistive technology wanders off into a page nobody can see.
    pgc1->hide();
}

void TForm1::buildTitle() {
    aft1 = new TCnAAFadeText(this);
    aft1->setObjectName(QStringLiteral("aft1"));
    aft1->setGeometry(design::start::aft1);
    aft1->SetErrorReporter(&errors_);
    aft1->SetParentColor(false);
    aft1->SetParentFont(false);
    aft1->Text().SetTransparent(true);
    addTitleStyles(aft1->Fonts());
    addStandardLabels(aft1->Labels());
    aft1->Text().Lines().Assign(titleLines());
    aft1->Loaded();
}

void TForm1::buildMakerInformation() {
    const QFont small = pixelFont(windowFace, 11);
    const QFont text = pixelFont(windowFace, 12);
    const QString maker = QString::fromUtf8(makerName);

    const QString version = QString::fromUtf8(productVersion);
    addHalo(addText(*this, QStringLiteral("%1 · %2 出品").arg(QString::fromUtf8(copyrightYear), maker), {157, 10},
                    small, Qt::white));
    addHalo(addText(*this, QStringLiteral("%1 · 版本 %2").arg(maker, version), {114, 118}, small, Qt::white));
    editionDigits = &addText(*this, version, {318, 66}, pixelFont(QStringLiteral("DS-Digital"), 16), Qt::yellow);
    addHalo(*editionDigits);
    edition = &addText(*this, QStringLiteral("派对版"), {329, 81}, small, Qt::white);
    addHalo(*edition);

    img2 = &addPicture(*this, "img2", QStringLiteral(":/app/contact.jpg"), design::start::img2);

    nextTeam = &addText(*this, QString(), {0, 0}, pixelFont(titleFace, 14, true), Qt::white);
    nextTeam->setObjectName(QStringLiteral("nextTeam"));
    // A team name is the host's own text, shown as typed.
    nextTeam->setTextFormat(Qt::PlainText);
    addHalo(*nextTeam);
    nextTeam->hide();

    const QString thanks = QStringLiteral("感谢您选择%1！\n愿每一次聚会都笑声不断。").arg(QString::fromUtf8(productTitle));
    const QString custom = QStringLiteral("承接年会、婚礼等活动的词库定制，\n也欢迎捐助，支持我们继续更新。");
    const QString contact = QStringLiteral("联系我们：关注 %1，\n在项目主页留言即可。").arg(maker);
    for (const auto& [message, at] : {std::pair{thanks, design::start::thanks}, std::pair{custom, design::start::custom},
                                      std::pair{contact, design::start::contact}}) {
        QLabel& label = addText(*this, message, at, text, Qt::black);
        label.setCursor(Qt::PointingHandCursor);
    }
}

void TForm1::buildEventBrand() {
    eventLogo = new QLabel(this);
    eventLogo->setObjectName(QStringLiteral("eventLogo"));
    eventLogo->setAccessibleName(QStringLiteral("活动标志"));
    eventLogo->setScaledContents(true);
    eventLogo->hide();
    eventName = new QLabel(this);
    eventName->setObjectName(QStringLiteral("eventName"));
    // The event's name is the host's own text, shown as typed.
    eventName->setTextFormat(Qt::PlainText);
    eventName->setWordWrap(true);
    eventName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setTextColor(*eventName, Qt::white);
    addHalo(*eventName);
    eventName->hide();
}

void TForm1::setEventBrand(const EventBrand& brand) {
    const QRect area = design::start::eventBrand;
    QSize logo;
    if (!brand.logo.isNull()) {
        // At most twice as wide as high: the name keeps most of the row.
        logo = brand.logo.size().scaled(QSize(area.height() * 2, area.height()), Qt::KeepAspectRatio);
        eventLogo->setPixmap(QPixmap::fromImage(
            brand.logo.scaled(logo * devicePixelRatioF(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        eventLogo->setGeometry(QRect(QPoint(area.left(), area.top() + (area.height() - logo.height()) / 2), logo));
    }
    eventLogo->setVisible(!logo.isEmpty());
    const int gap = logo.isEmpty() ? 0 : 8;
    const QRect nameArea = area.adjusted(logo.width() + gap, 0, 0, 0);
    eventName->setText(brand.name);
    // One line as large as fits, else two lines: a name of the longest
    // length the settings take still reads whole.
    QFont font = pixelFont(titleFace, 18, true);
    for (int pixels = 18; pixels >= 10; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        const bool oneLine = metrics.horizontalAdvance(brand.name) <= nameArea.width();
        const bool twoLines =
            pixels <= 14 &&
            metrics.boundingRect(QRect(QPoint(), nameArea.size()), Qt::TextWordWrap, brand.name).height() <=
                nameArea.height();
        if (oneLine || twoLines) break;
    }
    eventName->setFont(font);
    eventName->setGeometry(nameArea);
    eventName->setVisible(!brand.name.isEmpty());
}

void TForm1::setDigitalFamily(const QString& family) {
    QFont font = editionDigits->font();
    font.setFamily(family);
    editionDigits->setFont(font);
    // Seven-segment faces draw above their stated ascent; the margin keeps
    // the top segments inside the label.
    editionDigits->setMargin(2);
    editionDigits->adjustSize();
    // The edition's name stands under its number, never on it.
    edition->move(editionDigits->x() + 2, editionDigits->geometry().bottom() + 1);
}

}  // namespace caici
