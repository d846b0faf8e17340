// The boxes of the game never wait for their answer: a failure reported from
// a phone's command or a timer returns at once, with the box standing beside
// the game; the same text twice is one box; what a box says is shown as
// typed; the end-of-round box takes a click at once.

#include "app/message_box_reporter.h"
#include "round/window_dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace caici::testing {
namespace {

std::vector<QMessageBox*> openBoxes() {
    std::vector<QMessageBox*> boxes;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(window); box != nullptr && box->isVisible()) boxes.push_back(box);
    }
    return boxes;
}

TEST(MessageBoxReporter, ReportsReturnAtOnceWithTheBoxOpenAndOneBoxPerText) {
    MessageBoxReporter reporter;
    reporter.reportError("词库文件已损坏。");
    reporter.reportError("词库文件已损坏。");
    reporter.reportWarning("<img src=x>有些词没有放进游戏。");
    const auto boxes = openBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    for (QMessageBox* box : boxes) {
        EXPECT_FALSE(box->isModal());
        // Whatever the text holds, it is shown as typed.
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        box->close();
    }
    QTest::qWait(10);
    EXPECT_TRUE(openBoxes().empty());
}

// A team named like markup is shown as typed in the resume question, and the
// end box's OK takes a click the moment the box appears; taken away from
// the program's side, the end box says so once.
TEST(DesktopDialogs, BoxesShowTextAsTypedAndTheEndBoxTakesAClickAtOnce) {
    DesktopDialogs dialogs;
    std::optional<bool> answer;
    dialogs.question(nullptr, QStringLiteral("猜词"), QStringLiteral("上次的比赛（<img src=x>队）还没有比完"),
                     [&](bool yes) { answer = yes; });
    int closed = 0;
    dialogs.roundOver(nullptr, QStringLiteral("提示"), QStringLiteral("本轮猜词已经结束！"), QRect(0, 0, 100, 50),
                      [&] { ++closed; });
    const auto boxes = openBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    for (QMessageBox* box : boxes) {
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_FALSE(box->isModal());
        if (box->text().startsWith(QStringLiteral("本轮"))) {
            EXPECT_TRUE(box->button(QMessageBox::Ok)->isEnabled());
        } else {
            box->button(QMessageBox::No)->click();
        }
    }
    EXPECT_EQ(answer, std::optional<bool>(false));
    dialogs.closeRoundOver();
    dialogs.closeRoundOver();
    EXPECT_EQ(closed, 1);
    QTest::qWait(10);
    EXPECT_TRUE(openBoxes().empty());
}

}  // namespace
}  // namespace caici::testing
