// The start label as a keyboard and accessibility button.

#include "app/start_label.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace caici {
namespace {

class StartLabelTest : public testing::Test {
protected:
    StartLabelTest() {
        window.resize(200, 200);
        before.setGeometry(10, 10, 40, 20);
        label.setText(QStringLiteral("开 始\n游 戏"));
        label.setGeometry(100, 100, 48, 56);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QWidget window;
    QPushButton before{&window};
    StartLabel label{window};
};

TEST_F(StartLabelTest, TabReachesItAndSpaceOrEnterPressesIt) {
    struct Case {
        Qt::Key key;
        const char* name;
    };
    for (const Case& c : {Case{Qt::Key_Space, "space"}, Case{Qt::Key_Return, "return"},
                          Case{Qt::Key_Enter, "enter"}}) {
        before.setFocus();
        QTest::keyClick(&before, Qt::Key_Tab);
        ASSERT_TRUE(label.hasFocus()) << c.name;
        QSignalSpy clicks(&label, &QAbstractButton::clicked);
        QTest::keyClick(&label, c.key);
        EXPECT_EQ(clicks.count(), 1) << c.name;
    }
}

TEST_F(StartLabelTest, EveryMouseButtonPressesItButOnlyTheLeftOneClicks) {
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        QSignalSpy pressed(&label, &StartLabel::mousePressed);
        QSignalSpy released(&label, &StartLabel::mouseReleased);
        QSignalSpy clicks(&label, &QAbstractButton::clicked);
        QTest::mouseClick(&label, button, {}, QPoint(20, 20));
        EXPECT_EQ(pressed.count(), 1);
        EXPECT_EQ(released.count(), 1);
        EXPECT_EQ(clicks.count(), button == Qt::LeftButton ? 1 : 0);
    }
}

TEST_F(StartLabelTest, IsAButtonWhosePressActionClicksIt) {
    label.setAccessibleName(QStringLiteral("开始游戏"));
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&label);
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->role(), QAccessible::Button);
    EXPECT_EQ(access->text(QAccessible::Name), QStringLiteral("开始游戏"));
    QAccessibleActionInterface* actions = access->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    QSignalSpy clicks(&label, &QAbstractButton::clicked);
    // The press is animated: the click follows a moment later.
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(clicks.count() == 1 || clicks.wait(2000));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(access->state().focusable);
}

}  // namespace
}  // namespace caici
