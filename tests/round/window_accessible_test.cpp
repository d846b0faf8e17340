// What assistive technology reads from the guessing window through Qt's
// accessibility interface: the displays, flashes, buttons and menu entries by
// their texts, hidden parts as not showing, the window by its caption.

#include <QAccessible>
#include <QMenu>

#include "round/click_label.h"
#include "window_fixture.h"

namespace caici::testing {
namespace {

QAccessibleInterface& accessible(QObject* object) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    if (face == nullptr) throw std::runtime_error("no accessible interface");
    return *face;
}

std::string nameOf(QObject* object) {
    return accessible(object).text(QAccessible::Name).toStdString();
}

bool showing(QObject* object) {
    return !accessible(object).state().invisible;
}

// The menu entry whose accessible name is name, among menu's children.
QAccessibleInterface* entryNamed(QMenu& menu, const QString& name) {
    QAccessibleInterface& face = accessible(&menu);
    for (int i = 0; i < face.childCount(); ++i) {
        QAccessibleInterface* child = face.child(i);
        if (child != nullptr && child->text(QAccessible::Name) == name) return child;
    }
    return nullptr;
}

class WindowAccessibleTest : public WindowTest {};

// The window is named by its caption; the displays by the digits they show,
// following every change.
TEST_F(WindowAccessibleTest, WindowAndDisplaysAreNamedByTheirTexts) {
    startRound();
    EXPECT_EQ(nameOf(window.get()), "猜词窗口");
    EXPECT_EQ(nameOf(&part("Label7")), "Time:");
    EXPECT_EQ(nameOf(&part("Label8")), "Score:");
    EXPECT_EQ(nameOf(&scoreDisplay()), "000");
    ticks(1);
    EXPECT_EQ(nameOf(&timeDisplay()), "089");
    press(correctButton());
    EXPECT_EQ(nameOf(&scoreDisplay()), text(scoreDisplay()));
    EXPECT_NE(nameOf(&scoreDisplay()), "000");
    EXPECT_EQ(accessible(&timeDisplay()).role(), QAccessible::StaticText);
}

// Flashes are named by their texts while they show and are reported as not
// showing once hidden; the skip caption follows the skips.
TEST_F(WindowAccessibleTest, FlashesAndSkipCaption) {
    startRound();
    EXPECT_FALSE(showing(&scoreFlash()));
    EXPECT_FALSE(showing(&penaltyFlash()));
    press(correctButton());
    EXPECT_TRUE(showing(&scoreFlash()));
    EXPECT_EQ(nameOf(&scoreFlash()), text(scoreFlash()));
    EXPECT_EQ(nameOf(&scoreFlash()).front(), '+');
    ASSERT_TRUE(goesAway(scoreFlash()));
    EXPECT_FALSE(showing(&scoreFlash()));

    for (int i = 0; i < 3; ++i) press(skipButton());
    EXPECT_EQ(nameOf(&skipButton()), "跳过[3]");
    EXPECT_EQ(accessible(&skipButton()).role(), QAccessible::Button);
    EXPECT_TRUE(showing(&penaltyFlash()));
    EXPECT_EQ(nameOf(&penaltyFlash()), "-2");
    ASSERT_TRUE(goesAway(penaltyFlash()));
    EXPECT_FALSE(showing(&penaltyFlash()));

    QTest::mouseDClick(&part("pnl1"), Qt::LeftButton);
    EXPECT_FALSE(showing(&part("pnl1")));
}

// Every entry of the pop-up menu carries its caption, its shortcut and, where
// it has one, its check state.
TEST_F(WindowAccessibleTest, MenuEntriesReportShortcutsAndChecks) {
    QMenu& pm1 = window->menu().pm1();
    const struct {
        const char* name;
        const char* shortcut;
    } entries[] = {
        {"关于本程序", ""},
        {"增大字体        快捷键", "F1"},
        {"减小字体        快捷键", "F2"},
        {"字体平滑度设置", ""},
        {"全屏显示        快捷键", "F4"},
        {"音效开关        快捷键", "F5"},
        {"结束本轮猜词【退出】", ""},
    };
    for (const auto& e : entries) {
        QAccessibleInterface* entry = entryNamed(pm1, QString::fromUtf8(e.name));
        ASSERT_NE(entry, nullptr) << e.name;
        EXPECT_EQ(entry->text(QAccessible::Accelerator).toStdString(), e.shortcut) << e.name;
        EXPECT_EQ(entry->role(), QAccessible::MenuItem) << e.name;
    }

    QAccessibleInterface* sound = entryNamed(pm1, QStringLiteral("音效开关        快捷键"));
    EXPECT_TRUE(sound->state().checkable);
    EXPECT_TRUE(sound->state().checked);
    window->menu().N7->trigger();
    EXPECT_FALSE(sound->state().checked);

    QMenu& quality = *window->menu().N3->menu();
    QAccessibleInterface* best = entryNamed(quality, QStringLiteral("【最好】 - 对显卡和CPU要求较高"));
    QAccessibleInterface* plain = entryNamed(quality, QStringLiteral("【普通】 - 大多数硬件无压力运行"));
    ASSERT_NE(best, nullptr);
    ASSERT_NE(plain, nullptr);
    EXPECT_TRUE(plain->state().checked);
    EXPECT_FALSE(best->state().checked);
    window->menu().N12->trigger();
    EXPECT_TRUE(best->state().checked);
    EXPECT_FALSE(plain->state().checked);
}

}  // namespace
}  // namespace caici::testing
