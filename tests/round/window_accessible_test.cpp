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
    EXPECT_EQ(nameOf(window->Label7), "Time:");
    EXPECT_EQ(nameOf(window->Label8), "Score:");
    EXPECT_EQ(nameOf(window->Label2), "000");
    window->tmr1Timer();
    EXPECT_EQ(nameOf(window->Label3), "089");
    window->btn1Click();
    EXPECT_EQ(nameOf(window->Label2), window->Label2->text().toStdString());
    EXPECT_NE(nameOf(window->Label2), "000");
    EXPECT_EQ(accessible(window->Label3).role(), QAccessible::StaticText);
}

// Flashes are named by their texts while they show and are reported as not
// showing once hidden; the skip caption follows the skips.
TEST_F(WindowAccessibleTest, FlashesAndSkipCaption) {
    startRound();
    EXPECT_FALSE(showing(window->Label5));
    EXPECT_FALSE(showing(window->Label6));
    window->btn1Click();
    EXPECT_TRUE(showing(window->Label5));
    EXPECT_EQ(nameOf(window->Label5), window->Label5->text().toStdString());
    EXPECT_EQ(nameOf(window->Label5).front(), '+');
    window->tmr3Timer();
    EXPECT_FALSE(showing(window->Label5));

    for (int i = 0; i < 3; ++i) {
        later();
        window->btn2Click();
    }
    EXPECT_EQ(nameOf(window->btn2), "跳过[3]");
    EXPECT_EQ(accessible(window->btn2).role(), QAccessible::Button);
    EXPECT_TRUE(showing(window->Label6));
    EXPECT_EQ(nameOf(window->Label6), "-2");
    window->tmr2Timer();
    EXPECT_FALSE(showing(window->Label6));

    window->pnl1DblClick();
    EXPECT_FALSE(showing(window->pnl1));
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
