// Program start: the audio start-up before any window shows, the three
// windows and the end of the program.

#include "program_harness.h"

#include "app/start_window.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace caici::testing {
namespace {

bool anyWindowVisible() {
    const auto windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [](const QWidget* w) { return w->isVisible(); });
}

TEST(ProgramStart, AudioStartupDecidesWhetherTheProgramRuns) {
    struct Case {
        const char* name;
        std::function<void(AudioLog&)> configure;
        bool runs;
        std::vector<std::string> incorrectVersion;
        std::vector<std::string> initFailed;
    };
    const Case cases[] = {
        {"matching library", {}, true, {}, {}},
        {"patch release differs", [](AudioLog& a) { a.loaded.patch = 9; }, true, {}, {}},
        {"wrong minor version", [](AudioLog& a) { a.loaded.minor = 4; }, false,
         {"An incorrect version of SDL2_mixer was loaded"}, {}},
        {"no output device", [](AudioLog& a) { a.outputOpens = false; }, true, {}, {"Error initializing audio!"}},
    };
    for (const Case& c : cases) {
        ProgramHarness harness(gameFolder(), c.configure);
        if (c.runs) {
            ASSERT_NO_THROW(harness.create()) << c.name;
            // The cue files (the seven and the tick) are loaded whether or not the output opened.
            EXPECT_EQ(harness.audio->streams.size(), 8u) << c.name;
        } else {
            try {
                harness.create();
                ADD_FAILURE() << c.name << ": the program went on";
            } catch (const ProgramEnd& end) {
                EXPECT_EQ(end.exitCode(), 1) << c.name;
            }
            EXPECT_TRUE(harness.audio->streams.empty()) << c.name;
            EXPECT_FALSE(harness.audio->initCalled) << c.name;
            EXPECT_FALSE(anyWindowVisible()) << c.name;
        }
        EXPECT_EQ(harness.startupMessages.incorrectVersion, c.incorrectVersion) << c.name;
        EXPECT_EQ(harness.startupMessages.initFailed, c.initFailed) << c.name;
        EXPECT_TRUE(harness.errors.texts.empty()) << c.name;
    }
}

TEST(ProgramStart, OnlyTheStartWindowShowsAndItPlaysTheMainCueOnce) {
    ProgramHarness harness;
    harness.create();
    EXPECT_FALSE(anyWindowVisible());
    EXPECT_TRUE(harness.audio->played.empty());

    harness.showStartWindow();
    EXPECT_TRUE(harness.form1().isVisible());
    EXPECT_FALSE(harness.form2().isVisible());
    EXPECT_FALSE(harness.form3().isVisible());
    EXPECT_EQ(harness.form1().windowTitle(), QStringLiteral("猜词大挑战"));
    EXPECT_EQ(harness.form1().size(), QSize(453, 463));
    EXPECT_EQ(harness.form1().minimumSize(), harness.form1().maximumSize());
    EXPECT_FALSE(harness.form1().windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(harness.form1().windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_EQ(harness.audio->played, std::vector<std::string>{"主界面.mp3"});

    harness.form1().hide();
    harness.form1().show();
    EXPECT_EQ(harness.audio->count("主界面.mp3"), 1);
}

TEST(ProgramStart, ClosingTheStartWindowEndsTheProgramAndTheOthersOnlyHide) {
    ProgramHarness harness;
    harness.create();
    harness.showStartWindow();
    QSignalSpy ended(&harness.form1(), &TForm1::closed);

    harness.form1().btn3Click();
    harness.form2().close();
    harness.form3().show();
    harness.form3().close();
    EXPECT_EQ(ended.count(), 0);
    EXPECT_FALSE(harness.form2().isVisible());
    EXPECT_FALSE(harness.form3().isVisible());

    harness.form1().close();
    EXPECT_EQ(ended.count(), 1);
}

}  // namespace
}  // namespace caici::testing
