// A whole game as the operator plays it: start, correct answers, skips with
// their penalty, ticks down to zero, the end box, and the window closed.

#include "program_harness.h"

#include "app/rules_dialog.h"
#include "app/start_label.h"
#include "common/number_text.h"
#include "round/click_label.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace caici::testing {
namespace {


TEST(WholeRound, ARoundDrivenByTicksRunsFromTheStartLabelToTheFinalScore) {
    ProgramHarness harness;
    harness.create();
    harness.showStartWindow();
    TForm3& round = harness.form3();
    const RoundState& state = harness.game().round();
    const auto shown = [&round](const char* name) { return round.findChild<QLabel*>(QString::fromLatin1(name))->text(); };

    harness.form2().edt1().clear();
    QTest::keyClicks(&harness.form2().edt1(), QStringLiteral("30"));
    QTest::mouseClick(harness.form1().Label2, Qt::LeftButton, {}, QPoint(24, 28));
    ASSERT_TRUE(round.isVisible());
    // The game's ticks stand for the seconds; nothing here runs the event
    // loop, so the window's own countdown adds none in between.
    const auto button = [&round](const QString& caption) {
        const QList<QPushButton*> buttons = round.findChildren<QPushButton*>();
        return *std::find_if(buttons.begin(), buttons.end(), [&](QPushButton* b) { return b->text() == caption; });
    };
    QPushButton& correct = *button(QStringLiteral("正确"));
    QPushButton& skipButton = *button(QStringLiteral("跳过"));

    int expectedScore = 0;
    for (int answer = 0; answer < 2; ++answer) {
        expectedScore += state.currentEntry.points;
        harness.later();
        QTest::mouseClick(&correct, Qt::LeftButton);
        EXPECT_EQ(shown("Label2"), QString::fromStdString(threeDigits(expectedScore)));
    }
    for (int skip = 0; skip < 3; ++skip) {
        harness.later();
        QTest::mouseClick(&skipButton, Qt::LeftButton);
    }
    EXPECT_EQ(skipButton.text(), QStringLiteral("跳过[3]"));
    EXPECT_EQ(shown("Label6"), QStringLiteral("-2"));
    EXPECT_EQ(state.remainingSeconds, 28);

    int ticks = 0;
    while (state.phase == RoundPhase::running && ticks < 100) {
        harness.game().tick();
        ++ticks;
        if (state.remainingSeconds == 10) {
            EXPECT_EQ(shown("Label3"), QStringLiteral("010"));
        }
    }
    EXPECT_EQ(ticks, 28);
    EXPECT_EQ(state.phase, RoundPhase::over);
    EXPECT_EQ(harness.wordLine(), "<Title1><Center>" + std::to_string(expectedScore) + " 分");
    EXPECT_EQ(shown("Label3"), QStringLiteral("000"));
    // The score display agrees with the final score line.
    EXPECT_EQ(shown("Label2"), QString::fromStdString(threeDigits(expectedScore)));
    EXPECT_FALSE(correct.isEnabled());
    EXPECT_FALSE(skipButton.isEnabled());
    ASSERT_EQ(harness.dialogs->boxes.size(), 1u);
    EXPECT_EQ(harness.dialogs->boxes.front().caption, QStringLiteral("提示"));
    EXPECT_TRUE(harness.dialogs->boxes.front().text.startsWith(QStringLiteral("本轮猜词已经结束！")));

    // Every cue of the round sounded once for each press.
    EXPECT_EQ(harness.audio->count("yes.mp3"), 2);
    EXPECT_EQ(harness.audio->count("no.mp3"), 3);
    EXPECT_EQ(harness.audio->count("结束.mp3"), 1);
    EXPECT_EQ(harness.audio->count("得分.mp3"), 1);
    EXPECT_TRUE(harness.errors.texts.empty());

    round.close();
    EXPECT_FALSE(round.isVisible());
    EXPECT_EQ(harness.wordLine(), "<Title1><Center>Velmarin出品");
    EXPECT_EQ(skipButton.text(), QStringLiteral("跳过"));
    EXPECT_TRUE(harness.form1().isVisible());

    // The next game starts afresh from the start window.
    QTest::mouseClick(harness.form1().Label2, Qt::LeftButton, {}, QPoint(24, 28));
    EXPECT_TRUE(round.isVisible());
    EXPECT_TRUE(correct.isEnabled());
    EXPECT_EQ(state.remainingSeconds, 30);
}

}  // namespace
}  // namespace caici::testing
