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

namespace caici::testing {
namespace {


TEST(WholeRound, ARoundDrivenByTicksRunsFromTheStartLabelToTheFinalScore) {
    ProgramHarness harness;
    harness.create();
    harness.showStartWindow();
    TForm3& round = harness.form3();
    const RoundState& state = harness.game().round();

    harness.form2().edt1().clear();
    QTest::keyClicks(&harness.form2().edt1(), QStringLiteral("30"));
    QTest::mouseClick(harness.form1().Label2, Qt::LeftButton, {}, QPoint(24, 28));
    ASSERT_TRUE(round.isVisible());
    // The test's own ticks stand for the seconds: on a slow (sanitizer)
    // build the window's timer would add real ones in between.
    round.tmr1.stop();

    int expectedScore = 0;
    for (int answer = 0; answer < 2; ++answer) {
        expectedScore += state.currentEntry.points;
        harness.later();
        QTest::mouseClick(round.btn1, Qt::LeftButton);
        EXPECT_EQ(round.Label2->text(), QString::fromStdString(threeDigits(expectedScore)));
    }
    for (int skip = 0; skip < 3; ++skip) {
        harness.later();
        QTest::mouseClick(round.btn2, Qt::LeftButton);
    }
    EXPECT_EQ(round.btn2->text(), QStringLiteral("跳过[3]"));
    EXPECT_EQ(round.Label6->text(), QStringLiteral("-2"));
    EXPECT_EQ(state.remainingSeconds, 28);

    int ticks = 0;
    while (state.phase == RoundPhase::running && ticks < 100) {
        round.tmr1Timer();
        ++ticks;
        if (state.remainingSeconds == 10) {
            EXPECT_EQ(round.Label3->text(), QStringLiteral("010"));
        }
    }
    EXPECT_EQ(ticks, 28);
    EXPECT_EQ(state.phase, RoundPhase::over);
    EXPECT_EQ(harness.wordLine(), "<Title1><Center>" + std::to_string(expectedScore) + " 分");
    EXPECT_EQ(round.Label3->text(), QStringLiteral("000"));
    // The score display agrees with the final score line.
    EXPECT_EQ(round.Label2->text(), QString::fromStdString(threeDigits(expectedScore)));
    EXPECT_FALSE(round.btn1->isEnabled());
    EXPECT_FALSE(round.btn2->isEnabled());
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
    EXPECT_EQ(round.btn2->text(), QStringLiteral("跳过"));
    EXPECT_TRUE(harness.form1().isVisible());

    // The next game starts afresh from the start window.
    QTest::mouseClick(harness.form1().Label2, Qt::LeftButton, {}, QPoint(24, 28));
    EXPECT_TRUE(round.isVisible());
    EXPECT_TRUE(round.btn1->isEnabled());
    EXPECT_EQ(state.remainingSeconds, 30);
}

}  // namespace
}  // namespace caici::testing
