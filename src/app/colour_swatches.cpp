#include "app/colour_swatches.h"

#include "game/match_rules.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QColor>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>
#include <array>

namespace caici {
namespace {

constexpr int swatchSide = 24;
// In teamPalette's order.
constexpr std::array<const char*, teamPaletteSize> colourNames{"橙色", "天蓝", "蓝绿", "黄色",
                                                               "深蓝", "朱红", "紫红", "灰色"};

QColor paletteColour(std::size_t colour) {
    return QColor(QRgb(0xff000000 | teamPalette[colour % teamPaletteSize]));
}

}  // namespace

ColourSwatches::ColourSwatches(QWidget* parent) : QWidget(parent), group_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("teamColour"));
    group_->setExclusive(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    for (std::size_t colour = 0; colour < teamPaletteSize; ++colour) {
        auto* swatch = new QToolButton(this);
        swatch->setObjectName(QStringLiteral("colour%1").arg(colour));
        swatch->setCheckable(true);
        swatch->setAutoExclusive(true);
        swatch->setFocusPolicy(Qt::StrongFocus);
        swatch->setFixedSize(swatchSide, swatchSide);
        swatch->setAccessibleName(colourName(colour));
        swatch->setToolTip(colourName(colour));
        // The chosen one gets a thick black ring, so it shows on every
        // colour and without telling colours apart.
        swatch->setStyleSheet(QStringLiteral("QToolButton { background: %1; border: 1px solid #404040; }"
                                             "QToolButton:checked { border: 3px solid black; }"
                                             "QToolButton:focus { outline: none; border-style: dashed; }")
                                  .arg(paletteColour(colour).name()));
        group_->addButton(swatch, static_cast<int>(colour));
        layout->addWidget(swatch);
    }
    layout->addStretch();
    group_->button(0)->setChecked(true);
    connect(group_, &QButtonGroup::idClicked, this, [this](int id) { emit picked(static_cast<std::size_t>(id)); });
}

std::size_t ColourSwatches::colour() const {
    return static_cast<std::size_t>(std::max(0, group_->checkedId()));
}

void ColourSwatches::setColour(std::size_t colour) {
    const QSignalBlocker quiet(group_);
    group_->button(static_cast<int>(colour % teamPaletteSize))->setChecked(true);
}

QString ColourSwatches::colourName(std::size_t colour) {
    return QString::fromUtf8(colourNames[colour % teamPaletteSize]);
}

QIcon ColourSwatches::colourIcon(std::size_t colour) {
    QPixmap square(14, 14);
    square.fill(paletteColour(colour));
    QPainter painter(&square);
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(square.rect().adjusted(0, 0, -1, -1));
    // The same square when its row is picked: a tinted one would show
    // another colour than the team's.
    QIcon icon;
    icon.addPixmap(square, QIcon::Normal);
    icon.addPixmap(square, QIcon::Selected);
    return icon;
}

}  // namespace caici
