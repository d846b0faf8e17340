#include "app/show_settings_panel.h"

#include "common/error_guard.h"
#include "game/match_rules.h"
#include "look/event_logo.h"
#include "look/settings.h"
#include "look/window_look.h"
#include "round/window_dialogs.h"
#include "texts/user_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

namespace caici {
namespace {

constexpr QSize logoBox{150, 64};

QString logoFaultText(LogoFault fault, const QString& path) {
    const QString name = QFileInfo(path).fileName();
    switch (fault) {
    case LogoFault::unreadable: return QStringLiteral("读不到文件“%1”：它不在了，或者没有读取的权限。").arg(name);
    case LogoFault::tooLarge:
        return QStringLiteral("图片“%1”超过 %2 MB，请换一个小一些的图片。").arg(name).arg(maxEventLogoBytes / (1024 * 1024));
    case LogoFault::notPicture: return QStringLiteral("“%1”不是 PNG 或 JPEG 图片，请换一个图片文件。").arg(name);
    }
    return {};
}

QLabel* captionLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

ShowSettingsPanel::ShowSettingsPanel(Settings& settings, WindowDialogs& dialogs, ErrorReporter& reporter,
                                     QWidget* parent)
    : QWidget(parent), settings_(settings), dialogs_(dialogs), reporter_(reporter) {
    setObjectName(QStringLiteral("showSettings"));
    const QString face = QStringLiteral("Tahoma");
    setFont(pixelFont(face, 13));

    title = captionLabel(QStringLiteral("活动和玩法"), this);
    title->setFont(pixelFont(face, 16, true));

    roundKind = new QComboBox(this);
    roundKind->setObjectName(QStringLiteral("roundKind"));
    roundKind->setAccessibleName(QStringLiteral("单轮玩法"));
    for (std::size_t kind = 0; kind < roundKindCount; ++kind) {
        roundKind->addItem(QString::fromStdString(roundKindName(static_cast<RoundKind>(kind))), static_cast<int>(kind));
    }
    rule_ = captionLabel(QString(), this);
    rule_->setObjectName(QStringLiteral("roundKindRule"));
    rule_->setWordWrap(true);

    skipCap = new QSpinBox(this);
    skipCap->setObjectName(QStringLiteral("skipCap"));
    skipCap->setAccessibleName(QStringLiteral("跳过上限"));
    skipCap->setRange(noSkipCap, maxSkipCap);
    skipCap->setSpecialValueText(QStringLiteral("不限"));
    skipCap->setSuffix(QStringLiteral(" 次"));
    skipCap->setToolTip(QStringLiteral("每轮最多跳过几次（犯规也算一次）；0：不能跳过"));

    lastSeconds = new QCheckBox(QStringLiteral("最后十秒提示"), this);
    lastSeconds->setObjectName(QStringLiteral("chkLastSeconds"));
    lastSeconds->setToolTip(QStringLiteral("每轮最后十秒，每秒响一声，时间数字跳动"));

    eventName = new QLineEdit(this);
    eventName->setObjectName(QStringLiteral("eventName"));
    eventName->setAccessibleName(QStringLiteral("活动名称"));
    eventName->setPlaceholderText(QStringLiteral("如：2027 年会"));
    eventName->setToolTip(QStringLiteral("显示在开始窗口、规则卡、记分板和领奖台上，最多 %1 个字").arg(maxEventNameLength));

    logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("eventLogo"));
    logo->setAccessibleName(QStringLiteral("活动标志"));
    logo->setFixedSize(logoBox);
    logo->setAlignment(Qt::AlignCenter);
    logo->setStyleSheet(QStringLiteral("#eventLogo { border: 1px dotted black; }"));
    chooseLogo = new QPushButton(QStringLiteral("选择图片…"), this);
    chooseLogo->setObjectName(QStringLiteral("chooseLogo"));
    clearLogo = new QPushButton(QStringLiteral("清除"), this);
    clearLogo->setObjectName(QStringLiteral("clearLogo"));
    clearLogo->setAccessibleName(QStringLiteral("清除活动标志"));
    logoAnswer = captionLabel(QString(), this);
    logoAnswer->setObjectName(QStringLiteral("logoAnswer"));
    logoAnswer->setWordWrap(true);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignLeft);
    form->addRow(captionLabel(QStringLiteral("单轮玩法："), this), roundKind);
    form->addRow(rule_);
    form->addRow(captionLabel(QStringLiteral("跳过上限："), this), skipCap);
    form->addRow(lastSeconds);
    form->addItem(new QSpacerItem(0, 10));
    form->addRow(captionLabel(QStringLiteral("活动名称："), this), eventName);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(chooseLogo);
    buttons->addWidget(clearLogo);
    buttons->addStretch();
    auto* logoRow = new QHBoxLayout;
    logoRow->addWidget(logo);
    logoRow->addLayout(buttons);
    form->addRow(captionLabel(QStringLiteral("活动标志："), this), logoRow);
    form->addRow(logoAnswer);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->addWidget(title);
    layout->addLayout(form);
    layout->addStretch();

    showSettings();
    connect(roundKind, &QComboBox::currentIndexChanged, this, [this](int index) {
        guarded(reporter_, [&] {
            const auto kind = static_cast<RoundKind>(roundKind->itemData(index).toInt());
            rule_->setText(QString::fromStdString(roundKindRule(kind)));
            settings_.setRoundKind(kind);
        });
    });
    connect(skipCap, &QSpinBox::valueChanged, this, [this](int cap) {
        guarded(reporter_, [&] { settings_.setSkipCap(cap == noSkipCap ? std::nullopt : std::optional<int>(cap)); });
    });
    connect(lastSeconds, &QCheckBox::toggled, this,
            [this](bool on) { guarded(reporter_, [&] { settings_.setLastSecondsCue(on); }); });
    connect(eventName, &QLineEdit::textEdited, this, &ShowSettingsPanel::nameEdited);
    connect(chooseLogo, &QPushButton::clicked, this, &ShowSettingsPanel::chooseLogoFile);
    connect(clearLogo, &QPushButton::clicked, this, [this] {
        guarded(reporter_, [this] {
            settings_.setEventLogoFile(QString());
            say(QString(), false);
            showLogo();
        });
    });
    connect(&settings_, &Settings::restored, this, [this] { guarded(reporter_, [this] { showSettings(); }); });
}

void ShowSettingsPanel::showSettings() {
    const QSignalBlocker quietKind(roundKind);
    const QSignalBlocker quietCap(skipCap);
    const QSignalBlocker quietCue(lastSeconds);
    const RoundKind kind = settings_.roundKind();
    roundKind->setCurrentIndex(roundKind->findData(static_cast<int>(kind)));
    rule_->setText(QString::fromStdString(roundKindRule(kind)));
    skipCap->setValue(settings_.skipCap().value_or(noSkipCap));
    lastSeconds->setChecked(settings_.lastSecondsCue());
    eventName->setText(settings_.eventName());
    say(QString(), false);
    showLogo();
}

void ShowSettingsPanel::showLogo() {
    const QImage image = settings_.eventBrand().logo;
    const QString file = settings_.eventLogoFile();
    if (image.isNull()) {
        logo->setPixmap(QPixmap());
        // A file kept that no longer reads is said as such, not hidden.
        logo->setText(file.isEmpty() ? QStringLiteral("（无）") : QStringLiteral("（读不到图片）"));
    } else {
        logo->setPixmap(QPixmap::fromImage(
            image.scaled(logoBox - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    logo->setToolTip(file);
    clearLogo->setEnabled(!file.isEmpty());
}

void ShowSettingsPanel::showEvent(QShowEvent* event) {
    guarded(reporter_, [this] { showLogo(); });
    QWidget::showEvent(event);
}

void ShowSettingsPanel::nameEdited(const QString& text) {
    guarded(reporter_, [&] {
        const QString name = clippedEventName(text);
        if (name != text) {
            const QSignalBlocker quiet(eventName);
            eventName->setText(name);
        }
        settings_.setEventName(name);
    });
}

void ShowSettingsPanel::chooseLogoFile() {
    guarded(reporter_, [this] {
        const QString kept = settings_.eventLogoFile();
        const QString folder = kept.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)
                                              : QFileInfo(kept).absolutePath();
        // The chooser may answer after the panel is gone.
        QPointer<ShowSettingsPanel> panel(this);
        dialogs_.openFile(window(), QStringLiteral("选择活动标志"), folder,
                          QStringLiteral("图片 (*.png *.jpg *.jpeg *.PNG *.JPG *.JPEG);;所有文件 (*)"),
                          [panel](const QString& path) {
                              if (panel) panel->takeLogo(path);
                          });
    });
}

void ShowSettingsPanel::takeLogo(const QString& path) {
    guarded(reporter_, [&] {
        const LogoReading reading = readEventLogo(path);
        if (reading.fault) {
            say(logoFaultText(*reading.fault, path), true);
            return;
        }
        settings_.setEventLogoFile(path);
        say(QStringLiteral("已选用 %1").arg(QFileInfo(path).fileName()), false);
        showLogo();
    });
}

void ShowSettingsPanel::say(const QString& text, bool refused) {
    logoAnswer->setText(text);
    logoAnswer->setProperty("refused", refused);
    // The style sheet reads the property only when it is applied again.
    logoAnswer->style()->unpolish(logoAnswer);
    logoAnswer->style()->polish(logoAnswer);
}

}  // namespace caici
