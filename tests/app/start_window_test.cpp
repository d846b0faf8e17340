// The start window: the start label's pointer effects, the start of a game
// with its load-once and refill rules, the rules button and the library
// browser page.

#include "program_harness.h"

#include "app/library_browser.h"
#include "app/rules_dialog.h"
#include "app/start_label.h"
#include "words/word_entry.h"
#include "fadetext/fade_text.h"
#include "round/click_label.h"

#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace caici::testing {
namespace {

class StartWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness.create();
        harness.showStartWindow();
    }

    void clickStart() { QTest::mouseClick(harness.form1().Label2, Qt::LeftButton, {}, QPoint(24, 28)); }

    std::size_t libraryCount() { return harness.game().words().library().size(); }
    std::size_t playOrderCount() { return harness.game().words().count(); }
    const RoundState& round() { return harness.game().round(); }

    ProgramHarness harness;
};

TEST_F(StartWindowTest, PointerOverTheStartLabelTurnsItDarkRedAndPlaysTheHoverCueOncePerVisit) {
    StartLabel& label = *harness.form1().Label2;
    for (int visit = 1; visit <= 2; ++visit) {
        QTest::mouseMove(&label, QPoint(10, 10));
        QTest::mouseMove(&label, QPoint(20, 30));
        EXPECT_EQ(label.fontColor(), QColor(128, 0, 0));
        EXPECT_EQ(harness.audio->count("鼠标放上.mp3"), visit);
        QTest::mouseMove(harness.form1().btn3, QPoint(5, 5));
        EXPECT_EQ(label.fontColor(), QColor(Qt::black));
        EXPECT_FALSE(harness.form1().hovering());
    }
}

TEST_F(StartWindowTest, AHeldMouseButtonShiftsTheStartLabelOnePixelRightAndDown) {
    StartLabel& label = *harness.form1().Label2;
    ASSERT_EQ(label.pos(), QPoint(346, 141));
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(&label, button, {}, QPoint(20, 20));
        EXPECT_EQ(label.pos(), QPoint(347, 142));
        QTest::mouseRelease(&label, button, {}, QPoint(20, 20));
        EXPECT_EQ(label.pos(), QPoint(346, 141));
    }
    EXPECT_FALSE(harness.form3().isVisible());
}

TEST_F(StartWindowTest, StartLabelClickShowsTheGuessingWindowWithAWordAndAZeroScore) {
    clickStart();
    ASSERT_TRUE(harness.errors.texts.empty()) << harness.errors.texts.front();
    EXPECT_TRUE(harness.form3().isVisible());
    EXPECT_EQ(harness.form3().findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("000"));
    const std::string word = round().currentEntry.word;
    EXPECT_FALSE(word.empty());
    EXPECT_EQ(harness.wordLine(), "<Title1><Center>" + word);
    EXPECT_TRUE(round().countdownRunning);
    EXPECT_EQ(round().remainingSeconds, 90);
    EXPECT_EQ(harness.audio->count("开始.mp3"), 1);
    // The first start loads the whole bundled library and shuffles it.
    EXPECT_TRUE(harness.game().library().libraryLoaded());
    EXPECT_GE(libraryCount(), 600u);
    EXPECT_EQ(playOrderCount(), libraryCount() - 1);
    EXPECT_GE(harness.form1().pgc1->cbb1->count(), 6);
}

TEST_F(StartWindowTest, LaterStartsRefillThePlayOrderOnlyBelowFiftyEntries) {
    clickStart();
    const std::size_t library = libraryCount();
    const std::vector<WordEntry> orderBefore = harness.game().words().playOrder();

    // 50 or more left: the next word is simply the next one dealt.
    clickStart();
    EXPECT_EQ(playOrderCount(), library - 2);
    EXPECT_EQ(round().currentEntry, orderBefore.back());

    // 49 left: the whole library is shuffled again.
    while (playOrderCount() > 49) {
        harness.later();
        harness.game().correct();
    }
    clickStart();
    EXPECT_EQ(playOrderCount(), library - 1);
    EXPECT_EQ(libraryCount(), library);
    EXPECT_TRUE(harness.errors.texts.empty());
}

TEST_F(StartWindowTest, AStartArrivingWhileAnotherIsRunningIsIgnored) {
    // The start cue sounds in the middle of a start, before the load and
    // the shuffle: a second click arriving then must not start a round.
    int nestedStarts = 0;
    harness.audio->onPlay = [&](const std::string& file) {
        if (file == "开始.mp3" && nestedStarts++ == 0) harness.form1().Label2Click();
    };
    clickStart();
    EXPECT_EQ(nestedStarts, 1);
    EXPECT_EQ(harness.audio->count("开始.mp3"), 1);
    EXPECT_EQ(playOrderCount(), libraryCount() - 1);
    EXPECT_EQ(round().phase, RoundPhase::running);
}

TEST_F(StartWindowTest, RulesButtonMovesTheStartWindowAsideOnceAndClosingTheDialogMovesItBack) {
    TForm1& start = harness.form1();
    const QPoint home = start.pos();
    QTest::mouseClick(start.btn3, Qt::LeftButton);
    EXPECT_TRUE(harness.form2().isVisible());
    EXPECT_EQ(start.pos(), home - QPoint(100, 0));
    EXPECT_EQ(harness.form2().frameGeometry().left(), start.frameGeometry().right() + 1 + 10);
    EXPECT_EQ(harness.form2().frameGeometry().top(), start.frameGeometry().top());

    QTest::mouseClick(start.btn3, Qt::LeftButton);
    EXPECT_EQ(start.pos(), home - QPoint(100, 0));

    harness.form2().close();
    EXPECT_EQ(start.pos(), home);
    EXPECT_TRUE(harness.errors.texts.empty());
}

// The countdown box takes whole seconds from 10 to 999 only; the next start
// counts down from what it shows.
TEST_F(StartWindowTest, TheNextStartCountsDownFromTheRulesDialog) {
    QLineEdit& box = harness.form2().edt1();
    harness.form2().show();
    box.selectAll();
    QTest::keyClicks(&box, QStringLiteral("abc"));
    EXPECT_EQ(box.text(), QStringLiteral("90"));
    box.selectAll();
    QTest::keyClicks(&box, QStringLiteral("60"));
    harness.form2().close();
    clickStart();
    EXPECT_TRUE(harness.errors.texts.empty());
    EXPECT_EQ(round().remainingSeconds, 60);
    EXPECT_TRUE(round().countdownRunning);
}

TEST_F(StartWindowTest, TheBrowserPageShowsTheChosenSheetInColumnsOf150Pixels) {
    LibraryBrowser& browser = *harness.form1().pgc1;
    EXPECT_FALSE(harness.form1().rect().intersects(browser.geometry()));
    EXPECT_FALSE(browser.isVisible());
    EXPECT_EQ(browser.tabText(0), QStringLiteral("词库设置"));
    EXPECT_EQ(browser.tabText(1), QStringLiteral("音效设置"));
    EXPECT_EQ(browser.tabText(2), QStringLiteral("游戏设置"));

    clickStart();
    ASSERT_GT(browser.cbb1->count(), 0);
    browser.cbb1->setCurrentIndex(0);
    browser.btn2->click();
    ASSERT_TRUE(harness.errors.texts.empty()) << harness.errors.texts.front();
    const QAbstractItemModel& model = *browser.dbgrd1->model();
    EXPECT_GT(model.rowCount(), 0);
    ASSERT_GE(model.columnCount(), 2);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("名称"));
    for (int column = 0; column < model.columnCount(); ++column) {
        EXPECT_EQ(browser.dbgrd1->columnWidth(column), LibraryBrowser::columnWidth);
    }
}

// The event's name at the longest the settings take, with a wide logo,
// stands whole on the banner beside the start label, covering none of the
// window's parts, and the window keeps its size.
TEST_F(StartWindowTest, ALongEventNameAndALogoFitBesideTheStartLabel) {
    TForm1& start = harness.form1();
    const QSize size = start.size();
    QImage logo(900, 300, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    const QString name = QStringLiteral("星光科技有限公司二〇二六年度总结表彰大会暨新春联欢晚会猜词大赛决赛现场特别活动场");
    ASSERT_EQ(name.size(), 40);
    start.setEventBrand({name, logo});
    EXPECT_EQ(start.size(), size);
    ASSERT_TRUE(start.eventName->isVisible());
    ASSERT_TRUE(start.eventLogo->isVisible());
    EXPECT_EQ(start.eventName->text(), name);
    const QRect window = start.rect();
    for (const QWidget* part : {static_cast<QWidget*>(start.eventName), static_cast<QWidget*>(start.eventLogo)}) {
        EXPECT_TRUE(window.contains(part->geometry()));
        for (const QWidget* other : {static_cast<QWidget*>(start.Label2), static_cast<QWidget*>(start.btn3),
                                     static_cast<QWidget*>(start.aft1)}) {
            EXPECT_FALSE(part->geometry().intersects(other->geometry())) << other->objectName().toStdString();
        }
    }
    EXPECT_FALSE(start.eventName->geometry().intersects(start.eventLogo->geometry()));
    const QRect needed = start.eventName->fontMetrics().boundingRect(QRect(QPoint(), start.eventName->size()),
                                                                      Qt::TextWordWrap, name);
    EXPECT_LE(needed.height(), start.eventName->height());
    EXPECT_LE(needed.width(), start.eventName->width());

    // An empty brand leaves the banner as it was.
    start.setEventBrand({});
    EXPECT_FALSE(start.eventName->isVisible());
    EXPECT_FALSE(start.eventLogo->isVisible());
}

TEST(StartWindowWithoutWorkbook, AFailedLoadShowsTheErrorAndLeavesTheProgramUsable) {
    QTemporaryDir empty;
    ProgramHarness harness(empty.path() + QLatin1Char('/'));
    harness.create();
    harness.showStartWindow();

    QTest::mouseClick(harness.form1().Label2, Qt::LeftButton, {}, QPoint(24, 28));
    ASSERT_EQ(harness.errors.texts.size(), 1u);
    EXPECT_NE(harness.errors.texts.front().find("words.xls"), std::string::npos) << harness.errors.texts.front();
    EXPECT_FALSE(harness.form3().isVisible());
    EXPECT_FALSE(harness.game().library().libraryLoaded());
    EXPECT_TRUE(harness.game().words().library().empty());

    // Still usable: the rules dialog opens, and the next start tries again.
    harness.form1().btn3Click();
    EXPECT_TRUE(harness.form2().isVisible());
    harness.form2().close();
    QTest::mouseClick(harness.form1().Label2, Qt::LeftButton, {}, QPoint(24, 28));
    EXPECT_EQ(harness.errors.texts.size(), 2u);
    EXPECT_FALSE(harness.form3().isVisible());
}

}  // namespace
}  // namespace caici::testing
