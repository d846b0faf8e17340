#include "round/guessing_window_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QWidget>

namespace caici {

namespace {

QAction* addEntry(QMenu& menu, QWidget& window, const char* caption, QKeySequence shortcut = {}) {
    QAction* action = menu.addAction(QString::fromUtf8(caption));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        // The window holds the shortcut as well, so the key works while the
        // menu is closed.
        window.addAction(action);
    }
    return action;
}

}  // namespace

GuessingWindowMenu::GuessingWindowMenu(QWidget& window) {
    // Parent-owned: the window deletes the menu, its submenu and actions.
    pm1_ = new QMenu(&window);
    pm1_->setObjectName(QStringLiteral("pm1"));
    // The desktop's menu font, not the window's small footer font.
    pm1_->setFont(QApplication::font("QMenu"));

    N8 = addEntry(*pm1_, window, "关于本程序");
    N9 = pm1_->addSeparator();
    N1 = addEntry(*pm1_, window, "增大字体        快捷键", QKeySequence(Qt::Key_F1));
    N2 = addEntry(*pm1_, window, "减小字体        快捷键", QKeySequence(Qt::Key_F2));
    autoSize = addEntry(*pm1_, window, "自动大小");
    autoSize->setCheckable(true);

    QMenu* quality = pm1_->addMenu(QString::fromUtf8("字体平滑度设置"));
    N3 = quality->menuAction();
    qualityGroup_ = new QActionGroup(quality);
    qualityGroup_->setExclusive(true);
    N12 = addEntry(*quality, window, "【最好】 - 对显卡和CPU要求较高");
    N13 = addEntry(*quality, window, "【好】  - 对硬件要求较高");
    N14 = addEntry(*quality, window, "【一般】 - 对硬件要求一般");
    N15 = addEntry(*quality, window, "【普通】 - 大多数硬件无压力运行");
    qualityEntries_ = {N12, N13, N14, N15};
    for (QAction* entry : qualityEntries_) {
        entry->setCheckable(true);
        qualityGroup_->addAction(entry);
    }
    N15->setChecked(true);

    N4 = addEntry(*pm1_, window, "全屏显示        快捷键", QKeySequence(Qt::Key_F4));
    operatorConsole = addEntry(*pm1_, window, "双屏操作台（猜词窗口在投影上）");
    operatorConsole->setCheckable(true);
    pause = addEntry(*pm1_, window, "暂停/继续        快捷键", QKeySequence(Qt::Key_Space));
    pause->setShortcuts({QKeySequence(Qt::Key_Space), QKeySequence(Qt::Key_P), QKeySequence(Qt::Key_B),
                         QKeySequence(Qt::Key_Period)});
    pause->setEnabled(false);
    N7 = addEntry(*pm1_, window, "音效开关        快捷键", QKeySequence(Qt::Key_F5));
    N7->setCheckable(true);
    N7->setChecked(true);
    scoreboard = addEntry(*pm1_, window, "计分板          快捷键", QKeySequence(Qt::Key_Tab));
    exportCsv = addEntry(*pm1_, window, "导出比赛成绩（CSV 表格）…");
    exportPicture = addEntry(*pm1_, window, "导出计分板图片（PNG）…");
    for (QAction* entry : {scoreboard, exportCsv, exportPicture}) entry->setEnabled(false);
    pm1_->addSeparator();
    openLibrary = addEntry(*pm1_, window, "打开词库…");
    editLibrary = addEntry(*pm1_, window, "编辑词库");
    pm1_->addSeparator();
    reduceMotion = addEntry(*pm1_, window, "减少动画");
    highContrast = addEntry(*pm1_, window, "高对比度");
    for (QAction* entry : {reduceMotion, highContrast}) entry->setCheckable(true);
    restoreDefaults = addEntry(*pm1_, window, "恢复默认设置");
    N5 = pm1_->addSeparator();
    N6 = addEntry(*pm1_, window, "结束本轮猜词【退出】");

    const std::array<std::pair<QAction*, const char*>, 24> names = {{
        {N8, "N8"}, {N9, "N9"}, {N1, "N1"}, {N2, "N2"}, {autoSize, "autoSize"}, {N3, "N3"}, {N12, "N12"},
        {N13, "N13"}, {N14, "N14"}, {N15, "N15"}, {N4, "N4"}, {operatorConsole, "operatorConsole"}, {pause, "pause"}, {N7, "N7"},
        {scoreboard, "scoreboard"}, {exportCsv, "exportCsv"}, {exportPicture, "exportPicture"},
        {openLibrary, "openLibrary"}, {editLibrary, "editLibrary"},
        {reduceMotion, "reduceMotion"}, {highContrast, "highContrast"}, {restoreDefaults, "restoreDefaults"},
        {N5, "N5"}, {N6, "N6"},
    }};
    for (const auto& [action, name] : names) action->setObjectName(QString::fromLatin1(name));
}

QAction* GuessingWindowMenu::qualityEntry(TAAQuality quality) const {
    return qualityEntries_.at(static_cast<std::size_t>(quality));
}

void GuessingWindowMenu::checkQuality(TAAQuality quality) const {
    // The exclusive group takes the mark off the other three.
    qualityEntry(quality)->setChecked(true);
}

}  // namespace caici
