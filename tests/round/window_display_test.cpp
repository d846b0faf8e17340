// The guessing window's display adjustments: word size, smoothing quality,
// full screen and the button rule, resizing, display colours and the colour
// key, the digital font, the sound switch and the sponsor panel.

#include <QScreen>
#include <QWindow>
#include <QTest>

#include "round/click_label.h"
#include "round/color_key.h"
#include "round/digital_font.h"
#include "round/word_size.h"
#include "common/product.h"
#include "window_fixture.h"

namespace caici::testing {
namespace {

class WindowDisplayTest : public WindowTest {
protected:
    void showActive() {
        startRound();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    int qualityMarks() const {
        const GuessingWindowMenu& menu = window->menu();
        int marks = 0;
        for (QAction* entry : {menu.N12, menu.N13, menu.N14, menu.N15}) marks += entry->isChecked() ? 1 : 0;
        return marks;
    }
    void expectButtonRule(int outerHeight) const {
        EXPECT_EQ(correctButton().x(), part("Label4").x());
        EXPECT_EQ(skipButton().x(), correctButton().x() + 200);
        EXPECT_EQ(correctButton().y(), outerHeight - 150);
        EXPECT_EQ(skipButton().y(), outerHeight - 150);
        EXPECT_EQ(part("pnl1").y(), correctButton().y());
    }
    TCnAAFadeText& wordDisplay() const { return part<TCnAAFadeText>("aft1"); }
};

// The word fits the screen at first; F1 and F2 scale the fitted size in
// tenths, within bounds, and the scale is remembered for the next launch.
// With the fitting off, F1 three times from the start gives 198 points, F2
// once more 188; the size stays within its bounds however often the keys
// are pressed.
TEST_F(WindowDisplayTest, WordSizeKeys) {
    showActive();
    EXPECT_TRUE(window->menu().autoSize->isChecked());
    const int fitted = window->wordPoints();
    QTest::keyClick(window.get(), Qt::Key_F2);
    QTest::keyClick(window.get(), Qt::Key_F2);
    EXPECT_LT(window->wordPoints(), fitted);
    EXPECT_DOUBLE_EQ(settings.settings.wordScale(), 0.8);
    for (int i = 0; i < 30; ++i) window->menu().N1->trigger();
    EXPECT_DOUBLE_EQ(settings.settings.wordScale(), maxWordScale);
    for (int i = 0; i < 30; ++i) window->menu().N2->trigger();
    EXPECT_DOUBLE_EQ(settings.settings.wordScale(), minWordScale);

    window->menu().autoSize->trigger();
    EXPECT_FALSE(settings.settings.fitWord());
    EXPECT_EQ(window->wordPoints(), 168);
    for (int i = 0; i < 3; ++i) QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(window->wordPoints(), 198);
    QTest::keyClick(window.get(), Qt::Key_F2);
    EXPECT_EQ(window->wordPoints(), 188);

    for (int i = 0; i < 60; ++i) window->menu().N1->trigger();
    EXPECT_EQ(window->wordPoints(), maxWordPoints);
    for (int i = 0; i < 60; ++i) window->menu().N2->trigger();
    EXPECT_EQ(window->wordPoints(), minWordPoints);
    EXPECT_TRUE(errors.reported.empty());
}

// A quality entry sets the word display's quality and carries the only mark.
TEST_F(WindowDisplayTest, QualityEntriesSetQualityAndMark) {
    EXPECT_EQ(window->wordQuality(), TAAQuality::aqNone);
    EXPECT_TRUE(window->menu().N15->isChecked());
    EXPECT_EQ(qualityMarks(), 1);
    const struct {
        QAction* entry;
        TAAQuality quality;
    } cases[] = {
        {window->menu().N12, TAAQuality::aqHigh},
        {window->menu().N14, TAAQuality::aqLow},
        {window->menu().N13, TAAQuality::aqNormal},
        {window->menu().N13, TAAQuality::aqNormal},
        {window->menu().N15, TAAQuality::aqNone},
    };
    for (const auto& c : cases) {
        c.entry->trigger();
        EXPECT_EQ(window->wordQuality(), c.quality);
        EXPECT_TRUE(c.entry->isChecked());
        EXPECT_EQ(qualityMarks(), 1);
    }
}

// F4 fills the screen; F4 again gives back the bordered window, at the
// designed size or, on a smaller screen, as large as fits its free area with
// the border, centred there. Both times the buttons go to the footer's left
// edge and 200 px apart, their tops at the outer height less 150, and the
// sponsor panel stays level with them.
TEST_F(WindowDisplayTest, FullScreenAndBackFollowTheButtonRule) {
    showActive();
    const QRect screen = window->screen()->geometry();
    const QRect area = window->screen()->availableGeometry();
    for (int trip = 0; trip < 3; ++trip) {
        QTest::keyClick(window.get(), Qt::Key_F4);
        EXPECT_EQ(window->displayMode(), DisplayMode::fullScreen);
        EXPECT_TRUE(settles([&] { return window->frameGeometry() == screen; })) << window->frameGeometry().width();
        expectButtonRule(screen.height());

        QTest::keyClick(window.get(), Qt::Key_F4);
        EXPECT_EQ(window->displayMode(), DisplayMode::windowed);
        const QMargins frame = window->windowHandle()->frameMargins();
        const QSize border(frame.left() + frame.right(), frame.top() + frame.bottom());
        QSize fitted(1184, 722);
        if (fitted.width() > area.width() - border.width() || fitted.height() > area.height() - border.height()) {
            fitted.scale(area.size() - border, Qt::KeepAspectRatio);
        }
        const QPoint centred(area.x() + (area.width() - fitted.width() - border.width()) / 2,
                             area.y() + (area.height() - fitted.height() - border.height()) / 2);
        const int outerHeight = fitted.height() + border.height();
        EXPECT_TRUE(settles([&] {
            return window->size() == fitted && window->frameGeometry().topLeft() == centred &&
                   correctButton().y() == outerHeight - 150;
        })) << window->width() << "x" << window->height() << " at " << window->frameGeometry().x() << ","
            << window->frameGeometry().y();
        expectButtonRule(fitted.height() + border.height());
    }
}

// The display mode survives closing and the next start.
TEST_F(WindowDisplayTest, FullScreenIsKeptAcrossRounds) {
    showActive();
    window->menu().N4->trigger();
    window->close();
    startRound();
    EXPECT_EQ(window->displayMode(), DisplayMode::fullScreen);
    EXPECT_TRUE(window->isFullScreen());
    EXPECT_TRUE(settles([&] { return window->frameGeometry() == window->screen()->geometry(); }));
}

// Resizing keeps the anchored parts in place relative to their edges and the
// sponsor panel's top level with the buttons' tops.
TEST_F(WindowDisplayTest, ResizeKeepsPanelLevelWithButtons) {
    startRound();
    for (const QSize size : {QSize(1400, 900), QSize(1000, 700), QSize(1184, 722)}) {
        window->resize(size);
        QCoreApplication::processEvents();
        EXPECT_EQ(part("pnl1").y(), correctButton().y()) << size.width();
        EXPECT_EQ(correctButton().y(), size.height() - (722 - 613)) << size.width();
        EXPECT_EQ(window->width() - skipButton().geometry().right(), 1184 - (963 + 169 - 1));
        EXPECT_EQ(wordDisplay().geometry(), QRect(8, 136, size.width() - 15, size.height() - 305));
    }
}

// In a narrow window the sponsor panel ends short of the buttons with its
// whole line in sight, and the buttons take the clicks.
TEST_F(WindowDisplayTest, ButtonsStayClearOfThePanelInANarrowWindow) {
    startRound();
    for (const QSize size : {QSize(1024, 768), QSize(900, 600)}) {
        window->resize(size);
        QCoreApplication::processEvents();
        const QLabel& panel = part("pnl1");
        EXPECT_LT(panel.geometry().right(), correctButton().x()) << size.width();
        EXPECT_LE(panel.fontMetrics().horizontalAdvance(panel.text()), panel.width()) << size.width();
        for (QPushButton* button : {&correctButton(), &skipButton()}) {
            EXPECT_EQ(window->childAt(button->geometry().center()), button) << size.width();
        }
    }
}

// One chooser serves both displays: it starts at the colour chosen last
// (black the first time), OK colours only the clicked display's digits, and
// cancelling changes nothing.
TEST_F(WindowDisplayTest, DisplayColoursRememberTheLastChoice) {
    startRound();
    const auto digits = [](const QLabel& label) { return label.palette().color(QPalette::WindowText); };
    const QColor timeBefore = digits(timeDisplay());
    const QColor captionBefore = digits(part("Label7"));

    dialogs->color = std::nullopt;
    QTest::mouseClick(&timeDisplay(), Qt::LeftButton);
    EXPECT_EQ(digits(timeDisplay()), timeBefore);

    dialogs->color = QColor(10, 20, 200);
    QTest::mouseClick(&scoreDisplay(), Qt::LeftButton);
    EXPECT_EQ(digits(scoreDisplay()), QColor(10, 20, 200));
    EXPECT_EQ(digits(timeDisplay()), timeBefore);

    dialogs->color = QColor(0, 200, 0);
    QTest::mouseClick(&timeDisplay(), Qt::LeftButton);
    EXPECT_EQ(digits(timeDisplay()), QColor(0, 200, 0));
    EXPECT_EQ(digits(part("Label7")), captionBefore);

    ASSERT_EQ(dialogs->chooserStarts.size(), 3u);
    EXPECT_EQ(dialogs->chooserStarts[0], QColor(Qt::black));
    EXPECT_EQ(dialogs->chooserStarts[1], QColor(Qt::black));
    EXPECT_EQ(dialogs->chooserStarts[2], QColor(10, 20, 200));
}

// Digits drawn in maroon are the colour key: the window cuts them out; no
// other colour is cut.
TEST_F(WindowDisplayTest, MaroonDigitsAreKeyedOut) {
    startRound();
    EXPECT_TRUE(window->colorKeyRegion().isEmpty());
    dialogs->color = QColor(128, 0, 0);
    QTest::mouseClick(&timeDisplay(), Qt::LeftButton);
    const QRegion keyed = window->colorKeyRegion();
    EXPECT_FALSE(keyed.isEmpty());
    EXPECT_TRUE(timeDisplay().geometry().contains(keyed.boundingRect()));

    dialogs->color = QColor(129, 0, 0);
    QTest::mouseClick(&timeDisplay(), Qt::LeftButton);
    EXPECT_TRUE(window->colorKeyRegion().isEmpty());
}

// The number displays and flashes use the digital face; the stand-in is
// scaled so that "000" keeps the width the design gave the displays. A flash
// is as high as the digits and stands a clear gap after its number, clear of
// the window's edge.
TEST_F(WindowDisplayTest, NumbersUseTheDigitalFace) {
    EXPECT_TRUE(DigitalFont::familyAvailable(window->digitalFamily()));
    for (const QLabel* label : {&timeDisplay(), &scoreDisplay(), &scoreFlash(), &penaltyFlash()}) {
        EXPECT_EQ(label->font().family(), window->digitalFamily());
    }
    EXPECT_TRUE(scoreFlash().font().bold());
    EXPECT_FALSE(timeDisplay().font().bold());
    EXPECT_LE(timeDisplay().sizeHint().width(), 105);
    EXPECT_EQ(scoreFlash().font().pixelSize(), scoreDisplay().font().pixelSize());
    EXPECT_EQ(penaltyFlash().font().pixelSize(), timeDisplay().font().pixelSize());
    game->setCountdownSeconds(30);
    startRound();
    press(correctButton());
    for (int i = 0; i < 3; ++i) press(skipButton());
    ASSERT_TRUE(scoreFlash().isVisible());
    ASSERT_TRUE(penaltyFlash().isVisible());
    for (const auto& [number, flash] : {std::pair{&scoreDisplay(), &scoreFlash()}, std::pair{&timeDisplay(), &penaltyFlash()}}) {
        EXPECT_GE(flash->geometry().left() - number->geometry().right(), 8) << "a clear gap after the number";
        EXPECT_EQ(flash->y(), number->y());
    }
    EXPECT_LE(scoreFlash().geometry().right(), window->width() - 10) << "the flash stays clear of the edge";
}

// F5 switches all cues off and on again; the check mark shows the state,
// and the next launch starts with the sound as it was left.
TEST_F(WindowDisplayTest, SoundSwitch) {
    showActive();
    EXPECT_TRUE(window->menu().N7->isChecked());
    const auto before = log.entries.size();
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_FALSE(window->menu().N7->isChecked());
    EXPECT_FALSE(settings.settings.soundOn());
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_TRUE(window->menu().N7->isChecked());
    EXPECT_EQ(log.since(before, "sound"), (Log{"sound off", "sound on"}));
    EXPECT_TRUE(game->soundOn());
}

// The look the host chose stays for the next launch, until the defaults are
// restored: digit colours, smoothing, high contrast, words without fading.
TEST_F(WindowDisplayTest, SettingsStayUntilTheDefaultsAreRestored) {
    startRound();
    dialogs->color = QColor(10, 20, 200);
    QTest::mouseClick(&timeDisplay(), Qt::LeftButton);
    window->menu().N12->trigger();
    window->menu().highContrast->trigger();
    window->menu().reduceMotion->trigger();
    window->menu().N7->trigger();
    EXPECT_TRUE(wordDisplay().Instant());

    TForm3 next(GuessingWindowParts{QString::fromStdString(gameFolderPath()), *game, settings.settings, errors, dialogs});
    const auto timeColor = [](const TForm3& shown) {
        return shown.findChild<QLabel*>(QStringLiteral("Label3"))->palette().color(QPalette::WindowText);
    };
    const auto instant = [](const TForm3& shown) { return shown.findChild<TCnAAFadeText*>()->Instant(); };
    EXPECT_EQ(timeColor(next), QColor(10, 20, 200));
    EXPECT_EQ(next.wordQuality(), TAAQuality::aqHigh);
    EXPECT_TRUE(next.menu().highContrast->isChecked());
    EXPECT_TRUE(instant(next));
    EXPECT_FALSE(game->soundOn());

    next.menu().restoreDefaults->trigger();
    for (const TForm3* shown : {window.get(), &next}) {
        EXPECT_EQ(timeColor(*shown), QColor(255, 128, 255));
        EXPECT_EQ(shown->wordQuality(), TAAQuality::aqNone);
        EXPECT_FALSE(shown->menu().highContrast->isChecked());
        EXPECT_FALSE(instant(*shown));
    }
    EXPECT_TRUE(game->soundOn());
}

// Space pauses a running round: the countdown stops and the word is hidden
// behind "暂停" until Space again.
TEST_F(WindowDisplayTest, SpacePausesAndHidesTheWord) {
    showActive();
    const std::string word = wordLine();
    QTest::keyClick(window.get(), Qt::Key_Space);
    EXPECT_TRUE(game->round().paused);
    EXPECT_EQ(wordLine(), "<Title1><Center>暂停");
    EXPECT_FALSE(round().countdownRunning);
    QTest::keyClick(window.get(), Qt::Key_Period);
    EXPECT_FALSE(game->round().paused);
    EXPECT_EQ(wordLine(), word);
    EXPECT_TRUE(round().countdownRunning);
}

// A click on the sponsor panel opens our page; a double-click first delivers
// that click and then hides the panel for good.
TEST_F(WindowDisplayTest, SponsorPanel) {
    startRound();
    QLabel& panel = part("pnl1");
    QTest::mouseClick(&panel, Qt::LeftButton);
    ASSERT_EQ(dialogs->opened.size(), 1u);
    EXPECT_EQ(dialogs->opened[0], QUrl(QString::fromUtf8(productPage)));

    QTest::mouseClick(&panel, Qt::LeftButton);
    QTest::mouseDClick(&panel, Qt::LeftButton);
    EXPECT_EQ(dialogs->opened.size(), 2u);
    EXPECT_FALSE(panel.isVisible());
    window->close();
    startRound();
    EXPECT_FALSE(panel.isVisible());
}

// The about box: caption "提示", our own text.
TEST_F(WindowDisplayTest, AboutBox) {
    window->menu().N8->trigger();
    ASSERT_EQ(dialogs->boxes.size(), 1u);
    EXPECT_EQ(dialogs->boxes[0].caption, QStringLiteral("提示"));
    EXPECT_TRUE(dialogs->boxes[0].text.contains(QStringLiteral("Velmarin")));
}

}  // namespace
}  // namespace caici::testing
