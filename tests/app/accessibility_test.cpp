// What assistive technology reaches of the start window and the rules
// dialog, through Qt's accessibility interfaces on the real windows.

#include "program_harness.h"

#include "app/library_browser.h"
#include "app/rules_dialog.h"
#include "app/start_label.h"
#include "fadetext/fade_text.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace caici::testing {
namespace {

class AccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness.create();
        harness.showStartWindow();
    }

    static QAccessibleInterface& access(QObject* object) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
        EXPECT_NE(face, nullptr);
        return *face;
    }

    ProgramHarness harness;
};

TEST_F(AccessibilityTest, WindowsAreNamedByTheirCaptions) {
    harness.form1().btn3Click();
    harness.form3().show();
    const std::pair<QWidget*, const char*> windows[] = {
        {&harness.form1(), "猜词大挑战"}, {&harness.form2(), "游戏规则和设置"}, {&harness.form3(), "猜词窗口"}};
    for (const auto& [window, caption] : windows) {
        EXPECT_EQ(access(window).text(QAccessible::Name), QString::fromUtf8(caption));
    }
    EXPECT_EQ(access(&harness.form2().edt1()).text(QAccessible::Name), QStringLiteral("倒计时设定"));
}

TEST_F(AccessibilityTest, StartLabelIsAButtonWhosePressActionStartsAGame) {
    QAccessibleInterface& label = access(harness.form1().Label2);
    EXPECT_EQ(label.role(), QAccessible::Button);
    EXPECT_EQ(label.text(QAccessible::Name), QStringLiteral("开始游戏"));
    EXPECT_TRUE(label.state().focusable);
    QAccessibleActionInterface* actions = label.actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(QAccessibleActionInterface::pressAction());
    // The press is animated like a real one: the click follows shortly.
    EXPECT_TRUE(QTest::qWaitFor([&] { return harness.form3().isVisible(); }, 5000));
    EXPECT_EQ(harness.audio->count("开始.mp3"), 1);
    EXPECT_EQ(harness.form1().Label2->pos(), QPoint(346, 141));
}

TEST_F(AccessibilityTest, KeyboardReachesTheStartLabelWithTabAndStartsWithSpaceOrEnter) {
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        harness.form3().hide();
        harness.form1().btn3->setFocus();
        QTest::keyClick(harness.form1().btn3, Qt::Key_Backtab);
        ASSERT_TRUE(harness.form1().Label2->hasFocus());
        QTest::keyClick(harness.form1().Label2, key);
        EXPECT_TRUE(harness.form3().isVisible());
    }
    EXPECT_EQ(harness.audio->count("开始.mp3"), 2);
}

TEST_F(AccessibilityTest, TheOutOfSightBrowserPageIsReportedAsNotShowing) {
    EXPECT_TRUE(access(harness.form1().pgc1).state().invisible);
    EXPECT_TRUE(access(harness.form1().pgc1->btn2).state().invisible);
}

TEST_F(AccessibilityTest, TitleDisplayIsNamedByTheTitleLineItShows) {
    const QString name = access(harness.form1().aft1).text(QAccessible::Name);
    EXPECT_TRUE(name == QStringLiteral("猜词大挑战") || name == QStringLiteral("你比划我来猜")) << name.toStdString();
}

}  // namespace
}  // namespace caici::testing
