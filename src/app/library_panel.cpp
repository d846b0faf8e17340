#include "app/library_panel.h"

#include "app/dotted_frame.h"
#include "app/library_actions.h"
#include "game/game.h"
#include "look/window_look.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>

#include <algorithm>
#include <map>

namespace caici {
namespace {

const QString face = QStringLiteral("Tahoma");
constexpr int left = 12;
constexpr int fieldLeft = 58;
constexpr int fieldWidth = 355;
constexpr int pointsTop = 64;
constexpr int pointWidth = 88;
constexpr int categoriesTop = 88;
constexpr int categoryColumns = 3;
// The points every library is offered by, whether or not it has words of them.
constexpr std::int32_t usualPoints[] = {1, 2, 3};
// More points values than fit the row are dealt as the last box says.
constexpr std::size_t maxPointBoxes = 4;

QLabel& caption(QWidget& parent, const QString& text, QPoint at) {
    auto* label = new QLabel(text, &parent);
    label->setFont(pixelFont(face, 14, true));
    label->move(at);
    label->adjustSize();
    return *label;
}

QPushButton& button(QWidget& parent, const char* name, const QString& text, QRect place) {
    auto* pushed = new QPushButton(text, &parent);
    pushed->setObjectName(QString::fromLatin1(name));
    pushed->setFont(pixelFont(face, 13));
    pushed->setGeometry(place);
    pushed->setCursor(Qt::PointingHandCursor);
    return *pushed;
}

QString originText(LibraryOrigin origin) {
    switch (origin) {
        case LibraryOrigin::base: return QStringLiteral("（游戏自带）");
        case LibraryOrigin::personal: return QStringLiteral("（我的词库）");
        case LibraryOrigin::chosen: break;
    }
    return {};
}

}  // namespace

LibraryPanel::LibraryPanel(Game& game, LibraryActions& actions, QWidget& dialog)
    : QWidget(&dialog), game_(game), actions_(actions) {
    setObjectName(QStringLiteral("libraryPanel"));
    resize(425, panelHeight);
    new DottedFrame(*this, rect(), Qt::black);

    caption(*this, QStringLiteral("词库："), {left, 8});
    file_ = new QLabel(this);
    file_->setObjectName(QStringLiteral("libraryFile"));
    file_->setFont(pixelFont(face, 13));
    file_->setGeometry(fieldLeft, 8, fieldWidth, 18);
    file_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    btnOpen = &button(*this, "btnOpenLibrary", QStringLiteral("打开词库…"), QRect(left, 32, 84, 26));
    btnEdit = &button(*this, "btnEditLibrary", QStringLiteral("编辑词库"), QRect(left + 88, 32, 76, 26));
    btnReload = &button(*this, "btnReloadLibrary", QStringLiteral("重新读取"), QRect(left + 168, 32, 76, 26));
    connect(btnOpen, &QPushButton::clicked, this, [this] { actions_.open(window()); });
    connect(btnEdit, &QPushButton::clicked, this, [this] { actions_.edit(); });
    connect(btnReload, &QPushButton::clicked, this, [this] { actions_.reload(); });

    hint_ = new QLabel(this);
    hint_->setObjectName(QStringLiteral("libraryHint"));
    hint_->setFont(pixelFont(face, 12));
    hint_->setWordWrap(true);
    hint_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    hint_->setGeometry(left + 252, 30, 425 - left - 252 - 8, 30);

    caption(*this, QStringLiteral("分值："), {left, pointsTop});
    caption(*this, QStringLiteral("分类："), {left, categoriesTop});
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("libraryCategories"));
    scroll->setGeometry(fieldLeft, categoriesTop - 2, fieldWidth, panelHeight - categoriesTop - 4);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    categoryList_ = new QWidget;
    categoryGrid_ = new QGridLayout(categoryList_);
    categoryGrid_->setContentsMargins(0, 0, 0, 0);
    categoryGrid_->setHorizontalSpacing(4);
    categoryGrid_->setVerticalSpacing(2);
    // Rows never squeeze into each other: more categories than fit scroll.
    categoryGrid_->setSizeConstraint(QLayout::SetMinimumSize);
    scroll->setWidget(categoryList_);
    // The dialog's colour shows through the list.
    scroll->viewport()->setAutoFillBackground(false);
    categoryList_->setAutoFillBackground(false);

    game_.addListener(*this);
}

LibraryPanel::~LibraryPanel() {
    game_.removeListener(*this);
}

void LibraryPanel::refresh() {
    // The categories are known once the library is read: read it now rather
    // than show an empty list. A library that is not there at all is only
    // named below; the start says so as it always has.
    const bool there = QFileInfo::exists(QString::fromStdString(game_.libraryFile().path));
    if (there && !game_.library().libraryLoaded() && !game_.busy()) {
        game_.load();
        // The load's own event has shown the outcome.
        return;
    }
    showFile();
    showChoice();
}

void LibraryPanel::libraryChanged() {
    showFile();
    showChoice();
}

void LibraryPanel::showFile() {
    const LibraryFile file = game_.libraryFile();
    const QString path = QString::fromStdString(file.path);
    const QString origin = originText(file.origin);
    const QFontMetrics metrics(file_->font());
    file_->setText(metrics.elidedText(path, Qt::ElideMiddle, fieldWidth - metrics.horizontalAdvance(origin)) +
                   origin);
    file_->setToolTip(path);
    hint_->setToolTip({});
    if (!QFileInfo::exists(path)) {
        hint_->setText(QStringLiteral("找不到词库文件"));
    } else if (!file.chosenButMissing.empty()) {
        hint_->setText(QStringLiteral("找不到选过的词库，先用这个"));
        hint_->setToolTip(QString::fromStdString(file.chosenButMissing));
    } else {
        hint_->clear();
    }
    emit libraryShown();
}

void LibraryPanel::showChoice() {
    for (auto& [name, box] : categoryBoxes_) delete box;
    categoryBoxes_.clear();
    for (auto& [points, box] : pointBoxes_) delete box;
    pointBoxes_.clear();

    const WordChoice& choice = game_.choice();
    int index = 0;
    for (const CategoryCount& category : game_.categories()) {
        auto* box = new QCheckBox(
            QStringLiteral("%1 (%2)").arg(QString::fromStdString(category.name)).arg(category.entries), categoryList_);
        box->setFont(pixelFont(face, 13));
        box->setChecked(!choice.categories || choice.categories->count(category.name) != 0);
        categoryGrid_->addWidget(box, index / categoryColumns, index % categoryColumns);
        connect(box, &QCheckBox::toggled, this, [this, box] { boxToggled(box); });
        categoryBoxes_.emplace_back(category.name, box);
        ++index;
    }

    std::map<std::int32_t, std::size_t> counts = game_.pointCounts();
    for (const std::int32_t points : usualPoints) counts.try_emplace(points, 0);
    for (const auto& [points, entries] : counts) {
        if (pointBoxes_.size() == maxPointBoxes) break;
        auto* box = new QCheckBox(QStringLiteral("%1分 (%2)").arg(points).arg(entries), this);
        box->setObjectName(QStringLiteral("points%1").arg(points));
        box->setFont(pixelFont(face, 13));
        box->move(fieldLeft + static_cast<int>(pointBoxes_.size()) * pointWidth, pointsTop);
        box->adjustSize();
        box->setChecked(!choice.points || choice.points->count(points) != 0);
        box->show();
        connect(box, &QCheckBox::toggled, this, [this, box] { boxToggled(box); });
        pointBoxes_.emplace_back(points, box);
    }
    if (hint_->text().isEmpty() && game_.library().libraryLoaded()) {
        hint_->setText(QStringLiteral("下轮从 %1 个词里出题").arg(game_.words().chosenCount(choice)));
    }
}

WordChoice LibraryPanel::checkedChoice() const {
    WordChoice choice;
    const auto allChecked = [](const auto& boxes) {
        return std::all_of(boxes.begin(), boxes.end(), [](const auto& entry) { return entry.second->isChecked(); });
    };
    if (!allChecked(categoryBoxes_)) {
        choice.categories.emplace();
        for (const auto& [name, box] : categoryBoxes_) {
            if (box->isChecked()) choice.categories->insert(name);
        }
    }
    if (!allChecked(pointBoxes_)) {
        choice.points.emplace();
        for (const auto& [points, box] : pointBoxes_) {
            if (box->isChecked()) choice.points->insert(points);
        }
    }
    return choice;
}

void LibraryPanel::boxToggled(QCheckBox* box) {
    const WordChoice choice = checkedChoice();
    const bool leavesWords = choice.isEverything() || game_.words().chosenCount(choice) != 0;
    if (!leavesWords || !actions_.choose(choice)) {
        const QSignalBlocker quiet(box);
        box->setChecked(!box->isChecked());
        hint_->setText(QStringLiteral("至少要留下一个词"));
        return;
    }
    hint_->setText(QStringLiteral("下轮从 %1 个词里出题").arg(game_.words().chosenCount(choice)));
}

}  // namespace caici
