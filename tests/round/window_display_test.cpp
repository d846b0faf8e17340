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
        EXPECT_EQ(window->btn1->x(), window->Label4->x());
        EXPECT_EQ(window->btn2->x(), window->btn1->x() + 200);
        EXPECT_EQ(window->btn1->y(), outerHeight - 150);
        EXPECT_EQ(window->btn2->y(), outerHeight - 150);
        EXPECT_EQ(window->pnl1->y(), window->btn1->y());
    }
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
    for (int i = 0; i < 30; ++i) window->N1Click();
    EXPECT_DOUBLE_EQ(settings.settings.wordScale(), maxWordScale);
    for (int i = 0; i < 30; ++i) window->N2Click();
    EXPECT_DOUBLE_EQ(settings.settings.wordScale(), minWordScale);

    window->menu().autoSize->trigger();
    EXPECT_FALSE(settings.settings.fitWord());
    EXPECT_EQ(window->wordPoints(), 168);
    for (int i = 0; i < 3; ++i) QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(window->wordPoints(), 198);
    QTest::keyClick(window.get(), Qt::Key_F2);
    EXPECT_EQ(window->wordPoints(), 188);

    for (int i = 0; i < 60; ++i) window->N1Click();
    EXPECT_EQ(window->wordPoints(), maxWordPoints);
    for (int i = 0; i < 60; ++i) window->N2Click();
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
                   window->btn1->y() == outerHeight - 150;
        })) << window->width() << "x" << window->height() << " at " << window->frameGeometry().x() << ","
            << window->frameGeometry().y();
        expectButtonRule(fitted.height() + border.height());
    }
}

// The display mode survives closing and the next start.
TEST_F(WindowDisplayTest, FullScreenIsKeptAcrossRounds) {
    showActive();
    window->N4Click();
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
        EXPECT_EQ(window->pnl1->y(), window->btn1->y()) << size.width();
        EXPECT_EQ(window->btn1->y(), size.height() - (722 - 613)) << size.width();
        EXPECT_EQ(window->width() - window->btn2->geometry().right(), 1184 - (963 + 169 - 1));
        EXPECT_EQ(window->aft1->geometry(), QRect(8, 136, size.width() - 15, size.height() - 305));
    }
}

// In a narrow window the sponsor panel ends short of the buttons with its
// whole line in sight, and the buttons take the clicks.
TEST_F(WindowDisplayTest, ButtonsStayClearOfThePanelInANarrowWindow) {
    startRound();
    for (const QSize size : {QSize(1024, 768), QSize(900, 600)}) {
        window->resize(size);
        QCoreApplication::processEvents();
        EXPECT_LT(window->pnl1->geometry().right(), window->btn1->x()) << size.width();
        EXPECT_LE(window->pnl1->fontMetrics().horizontalAdvance(window->pnl1->text()), window->pnl1->width())
            << size.width();
        for (QPushButton* button : {window->btn1, window->btn2}) {
            EXPECT_EQ(window->childAt(button->geometry().center()), button) << size.width();
        }
    }
}

// One chooser serves both displays: it starts at the colour chosen last
// (black the first time), OK colours only the clicked display's digits, and
// cancelling changes nothing.
TEST_F(WindowDisplayTest, DisplayColoursRememberTheLastChoice) {
    startRound();
    const auto digits = [](const QLabel* label) { return label->palette().color(QPalette::WindowText); };
    const QColor timeBefore = digits(window->Label3);
    const QColor captionBefore = digits(window->Label7);

    dialogs->color = std::nullopt;
    QTest::mouseClick(window->Label3, Qt::LeftButton);
    EXPECT_EQ(digits(window->Label3), timeBefore);

    dialogs->color = QColor(10, 20, 200);
    QTest::mouseClick(window->Label2, Qt::LeftButton);
    EXPECT_EQ(digits(window->Label2), QColor(10, 20, 200));
    EXPECT_EQ(digits(window->Label3), timeBefore);

    dialogs->color = QColor(0, 200, 0);
    window->Label3Click();
    EXPECT_EQ(digits(window->Label3), QColor(0, 200, 0));
    EXPECT_EQ(digits(window->Label7), captionBefore);

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
    window->Label3Click();
    const QRegion keyed = window->colorKeyRegion();
    EXPECT_FALSE(keyed.isEmpty());
    EXPECT_TRUE(window->Label3->geometry().contains(keyed.boundingRect()));

    dialogs->color = QColor(129, 0, 0);
    window->Label3Click();
    EXPECT_TRUE(window->colorKeyRegion().isEmpty());
}

// The number displays and flashes use the digital face; the stand-in is
// scaled so that "000" keeps the width the design gave the displays. A flash
// is as high as the digits and stands a clear gap after its number, clear of
// the window's edge.
TEST_F(WindowDisplayTest, NumbersUseTheDigitalFace) {
    EXPECT_TRUE(DigitalFont::familyAvailable(window->digitalFamily()));
    for (const QLabel* label : std::initializer_list<const QLabel*>{window->Label3, window->Label2, window->Label5, window->Label6}) {
        EXPECT_EQ(label->font().family(), window->digitalFamily());
    }
    EXPECT_TRUE(window->Label5->font().bold());
    EXPECT_FALSE(window->Label3->font().bold());
    EXPECT_LE(window->Label3->sizeHint().width(), 105);
    EXPECT_EQ(window->Label5->font().pixelSize(), window->Label2->font().pixelSize());
    EXPECT_EQ(window->Label6->font().pixelSize(), window->Label3->font().pixelSize());
    game->setCountdownSeconds(30);
    startRound();
    window->btn1Click();
    for (int i = 0; i < 3; ++i) {
        later();
        window->btn2Click();
    }
    ASSERT_TRUE(window->Label5->isVisible());
    ASSERT_TRUE(window->Label6->isVisible());
    for (const auto& [number, flash] : {std::pair{window->Label2, window->Label5}, std::pair{window->Label3, window->Label6}}) {
        EXPECT_GE(flash->geometry().left() - number->geometry().right(), 8) << "a clear gap after the number";
        EXPECT_EQ(flash->y(), number->y());
    }
    EXPECT_LE(window->Label5->geometry().right(), window->width() - 10) << "the flash stays clear of the edge";
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
    window->Label3Click();
    window->menu().N12->trigger();
    window->menu().highContrast->trigger();
    window->menu().reduceMotion->trigger();
    window->menu().N7->trigger();
    EXPECT_TRUE(window->aft1->Instant());

    TForm3 next(GuessingWindowParts{QString::fromStdString(gameFolderPath()), *game, settings.settings, errors, dialogs});
    EXPECT_EQ(next.Label3->palette().color(QPalette::WindowText), QColor(10, 20, 200));
    EXPECT_EQ(next.wordQuality(), TAAQuality::aqHigh);
    EXPECT_TRUE(next.menu().highContrast->isChecked());
    EXPECT_TRUE(next.aft1->Instant());
    EXPECT_FALSE(game->soundOn());

    next.menu().restoreDefaults->trigger();
    for (const TForm3* shown : {window.get(), &next}) {
        EXPECT_EQ(shown->Label3->palette().color(QPalette::WindowText), QColor(255, 128, 255));
        EXPECT_EQ(shown->wordQuality(), TAAQuality::aqNone);
        EXPECT_FALSE(shown->menu().highContrast->isChecked());
        EXPECT_FALSE(shown->aft1->Instant());
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
    EXPECT_FALSE(window->tmr1.isActive());
    QTest::keyClick(window.get(), Qt::Key_Period);
    EXPECT_FALSE(game->round().paused);
    EXPECT_EQ(wordLine(), word);
    EXPECT_TRUE(window->tmr1.isActive());
}

// A click on the sponsor panel opens our page; a double-click first delivers
// that click and then hides the panel for good.
TEST_F(WindowDisplayTest, SponsorPanel) {
    startRound();
    QTest::mouseClick(window->pnl1, Qt::LeftButton);
    ASSERT_EQ(dialogs->opened.size(), 1u);
    EXPECT_EQ(dialogs->opened[0], QUrl(QString::fromUtf8(productPage)));

    QTest::mouseClick(window->pnl1, Qt::LeftButton);
    QTest::mouseDClick(window->pnl1, Qt::LeftButton);
    EXPECT_EQ(dialogs->opened.size(), 2u);
    EXPECT_FALSE(window->pnl1->isVisible());
    window->close();
    startRound();
    EXPECT_FALSE(window->pnl1->isVisible());
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
