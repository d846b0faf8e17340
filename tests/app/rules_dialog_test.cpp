// The rules dialog: its texts, its one setting and its placement beside the
// start window.

#include "app/rules_dialog.h"

#include "common/error_guard.h"
#include "game_fixture.h"
#include "temporary_settings.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace caici {
namespace {

class CollectingReporter : public ErrorReporter {
public:
    void reportError(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

class RulesDialogTest : public ::testing::Test {
protected:
    RulesDialogTest() {
        startWindow.setFixedSize(459, 463);
        startWindow.move(500, 120);
        startWindow.show();
    }

    CollectingReporter reporter;
    testing::GameFixture game;
    QWidget startWindow;
    testing::TemporarySettings settings;
    TForm2 dialog{startWindow, *game.game, settings.settings, reporter};
};

TEST_F(RulesDialogTest, ShowsTheRulesAndTheCountdownBoxWithTheirExactTexts) {
    struct Expected {
        const char* name;
        const char* text;
    };
    const Expected labels[] = {
        {"Label1", "词库修改：打开目录下的 words.xls 编辑，保存。\n\n声音修改：替换目录下 sound 文件夹里的同名 MP3 文件。"},
        {"Label9", "游戏规则："},
        {"Label7", "倒计时设定：        秒。"},
    };
    for (const auto& expected : labels) {
        const auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(expected.name));
        ASSERT_NE(label, nullptr) << expected.name;
        EXPECT_EQ(label->text(), QString::fromUtf8(expected.text)) << expected.name;
    }
    const auto* rules = dialog.findChild<QLabel*>(QStringLiteral("Label8"));
    ASSERT_NE(rules, nullptr);
    EXPECT_TRUE(rules->text().startsWith(QStringLiteral("       两人一组参赛")));
    EXPECT_TRUE(rules->text().endsWith(QStringLiteral("则跳过次数最少的队获胜。")));
    // What the game does: the first two skips of a round are free.
    EXPECT_TRUE(rules->text().contains(QStringLiteral("前两次跳过不削减时间，第三次跳过削减2秒")));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("游戏规则和设置"));
    EXPECT_EQ(dialog.size(), QSize(455, 423));
}

// 禁词模式 follows the words in play and the host's switch; whether a foul
// costs a point goes to the next rounds and is remembered.
TEST_F(RulesDialogTest, TheForbiddenWordsRowSwitchesTheModeAndTheFoulsPoint) {
    dialog.connectTonight();
    auto* mode = dialog.findChild<QCheckBox*>(QStringLiteral("chkForbidden"));
    auto* foulPoint = dialog.findChild<QCheckBox*>(QStringLiteral("chkFoulPoint"));
    ASSERT_NE(mode, nullptr);
    ASSERT_NE(foulPoint, nullptr);
    EXPECT_FALSE(foulPoint->isChecked());
    EXPECT_EQ(game.game->foulRule(), FoulRule::asSkip);

    game.library().entries = {{"长颈鹿", 2, {}, 0, {"脖子", "高"}}};
    game.game->load();
    EXPECT_TRUE(mode->isChecked()) << "the library has forbidden words";
    mode->click();
    EXPECT_FALSE(game.game->forbiddenMode());

    foulPoint->click();
    EXPECT_EQ(game.game->foulRule(), FoulRule::alsoPoint);
    EXPECT_TRUE(settings.settings.foulCostsPoint());
    EXPECT_TRUE(reporter.texts.empty());
}

TEST_F(RulesDialogTest, RulesTextIsNeverCutOff) {
    // The wrapped rules must fit their label, whatever face stands in for Tahoma.
    const auto* rules = dialog.findChild<QLabel*>(QStringLiteral("Label8"));
    ASSERT_NE(rules, nullptr);
    EXPECT_GE(rules->height(), rules->heightForWidth(rules->width()));
    EXPECT_LE(rules->geometry().bottom(), dialog.height());
}

// Whole seconds from 10 to 999 can be typed, nothing else; a number left
// half typed is put back to the countdown the next round will use.
TEST_F(RulesDialogTest, TheCountdownBoxTakesWholeSecondsOnly) {
    QLineEdit& box = dialog.edt1();
    EXPECT_EQ(box.text(), QStringLiteral("90"));
    const struct {
        const char* typed;
        const char* shown;
        int countdown;
    } cases[] = {{"60", "60", 60}, {"abc", "", 90}, {"-5", "5", 90}, {"1.5", "15", 15}, {"1000", "100", 100},
                 {"999", "999", 999}, {"5", "5", 90}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        game.game->setCountdownSeconds(90);
        box.clear();
        QTest::keyClicks(&box, QString::fromUtf8(c.typed));
        EXPECT_EQ(box.text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(game.game->countdownSeconds(), c.countdown);
    }
    dialog.show();
    dialog.close();
    EXPECT_EQ(box.text(), QStringLiteral("90"));
}

TEST_F(RulesDialogTest, StandsTenPixelsRightOfTheStartWindowWithTopsLevel) {
    dialog.show();
    const QRect start = startWindow.frameGeometry();
    EXPECT_EQ(dialog.frameGeometry().left(), start.left() + start.width() + 10);
    EXPECT_EQ(dialog.frameGeometry().top(), start.top());
}

TEST_F(RulesDialogTest, ClosingMovesTheStartWindowBackAndKeepsTheText) {
    startWindow.move(500, 120);
    dialog.show();
    EXPECT_EQ(startWindow.pos(), QPoint(400, 120)) << "moved aside to make room";
    dialog.edt1().clear();
    QTest::keyClicks(&dialog.edt1(), QStringLiteral("45"));
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(startWindow.pos(), QPoint(500, 120));
    EXPECT_EQ(dialog.edt1().text(), QStringLiteral("45"));
    EXPECT_EQ(game.game->countdownSeconds(), 45);
    EXPECT_TRUE(reporter.texts.empty());
}

// Beside the start window where the screen has room, the start window moving
// aside as far as needed; over its left side, away from the start label,
// where the screen is too narrow for both.
TEST(RulesDialogPlacement, GoesWhereItFits) {
    const QSize start(455, 493);
    const QSize dialog(457, 413);
    const struct {
        const char* name;
        QRect area;
        QPoint start;
        int shift;
        QPoint dialog;
    } cases[] = {
        {"wide screen", {0, 0, 1920, 1050}, {733, 293}, -100, {1098, 293}},
        {"1024 wide: the pair just fits", {0, 0, 1024, 768}, {284, 137}, -182, {567, 137}},
        {"start window near the left edge", {0, 0, 1920, 1050}, {40, 293}, -40, {455 + 10, 293}},
        {"too narrow for both", {0, 0, 800, 600}, {172, 53}, 0, {0, 53}},
        {"low start window", {0, 0, 1280, 720}, {412, 400}, -100, {777, 307}},
    };
    for (const auto& c : cases) {
        const BesidePlacement placed = placeBeside(QRect(c.start, start), dialog, c.area);
        EXPECT_EQ(placed.startShift, c.shift) << c.name;
        EXPECT_EQ(placed.dialog, c.dialog) << c.name;
        const QRect pairStart(c.start + QPoint(placed.startShift, 0), start);
        EXPECT_TRUE(c.area.contains(QRect(placed.dialog, dialog))) << c.name;
        if (c.shift != 0) {
            EXPECT_FALSE(pairStart.intersects(QRect(placed.dialog, dialog))) << c.name;
        }
    }
}

TEST_F(RulesDialogTest, CountdownBoxIsNamedForAssistiveTechnology) {
    dialog.show();
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(&dialog.edt1());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(QAccessible::Name), QStringLiteral("倒计时设定"));
    EXPECT_EQ(box->text(QAccessible::Value), QStringLiteral("90"));
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&dialog);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("游戏规则和设置"));
}

}  // namespace
}  // namespace caici
