// The application's error box never waits for its OK: a failure reported from
// a phone's command or a timer returns at once, with the box standing beside
// the game, and the same text twice is one box.

#include "app/message_box_reporter.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace caici::testing
