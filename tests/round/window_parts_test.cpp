// The guessing window's building blocks that need no round: anchoring, the
// colour key, the digital font and the menu.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include "round/anchor_layout.h"
#include "round/color_key.h"
#include "round/digital_font.h"
#include "round/guessing_window_menu.h"

namespace caici {
namespace {

// A control keeps its distances to the edges it is anchored to.
TEST(AnchoredPlacement, FollowsTheAnchoredEdges) {
    const QRect design(100, 50, 40, 30);
    const QSize parent(400, 300);
    const QSize grown(500, 360);
    struct Case {
        const char* name;
        Anchors anchors;
        QRect expected;
    };
    const Case cases[] = {
        {"left top", {Anchor::left, Anchor::top}, QRect(100, 50, 40, 30)},
        {"right top", {Anchor::right, Anchor::top}, QRect(200, 50, 40, 30)},
        {"right bottom", {Anchor::right, Anchor::bottom}, QRect(200, 110, 40, 30)},
        {"left bottom", {Anchor::left, Anchor::bottom}, QRect(100, 110, 40, 30)},
        {"all four", {Anchor::left, Anchor::top, Anchor::right, Anchor::bottom}, QRect(100, 50, 140, 90)},
    };
    for (const Case& c : cases) {
        const AnchoredPlacement placement{design, parent, c.anchors};
        EXPECT_EQ(placement.placedIn(grown), c.expected) << c.name;
        EXPECT_EQ(placement.placedIn(parent), design) << c.name;
    }
}

// A stretched control shrinks to nothing, never to a negative size, and comes
// back whole when the parent grows again.
TEST(AnchoredPlacement, StretchedControlSurvivesATinyParent) {
    const AnchoredPlacement placement{QRect(8, 136, 1169, 417), QSize(1184, 722),
                                      {Anchor::left, Anchor::top, Anchor::right, Anchor::bottom}};
    const QRect tiny = placement.placedIn(QSize(10, 10));
    EXPECT_EQ(tiny.width(), 0);
    EXPECT_EQ(tiny.height(), 0);
    EXPECT_EQ(placement.placedIn(QSize(1184, 722)), QRect(8, 136, 1169, 417));
}

// A control placed by code follows later resizes from its new place.
TEST(AnchorLayout, ControlMovedByCodeKeepsItsAnchorsFromThere) {
    QWidget parent;
    parent.resize(400, 300);
    QWidget child(&parent);
    AnchorLayout layout(parent);
    layout.add(child, QRect(300, 250, 50, 20), {Anchor::right, Anchor::bottom});

    parent.resize(600, 400);
    layout.parentResized();
    EXPECT_EQ(child.geometry(), QRect(500, 350, 50, 20));

    layout.move(child, QRect(10, 10, 50, 20));
    parent.resize(700, 450);
    layout.parentResized();
    EXPECT_EQ(child.geometry(), QRect(110, 60, 50, 20));
}

// Only exactly maroon pixels are keyed; the alpha channel does not matter and
// near colours stay opaque.
TEST(ColorKey, KeysExactlyMaroonPixels) {
    QImage image(6, 3, QImage::Format_ARGB32);
    image.fill(qRgb(45, 45, 45));
    image.setPixel(1, 0, qRgb(128, 0, 0));
    image.setPixel(2, 0, qRgb(128, 0, 0));
    image.setPixel(3, 0, qRgb(128, 0, 0));
    image.setPixel(5, 1, qRgba(128, 0, 0, 10));
    image.setPixel(0, 2, qRgb(129, 0, 0));
    image.setPixel(1, 2, qRgb(128, 0, 1));

    const QRegion keyed = keyedPixels(image, colorKeyRgb, QPoint(100, 200));
    QRegion expected;
    expected += QRect(101, 200, 3, 1);
    expected += QRect(105, 201, 1, 1);
    EXPECT_EQ(keyed, expected);
}

class DigitalFontTest : public testing::Test {
protected:
    void putFallback() const {
        ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("fonts")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(CAICI_SOURCE_DIR "/game/fonts/DSEG7Classic-Bold.ttf"),
                                base() + QString::fromLatin1(DigitalFont::fallbackFile)));
    }
    void putFile(const char* name, const QByteArray& content) const {
        QFile file(base() + QString::fromLatin1(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QString base() const { return folder.path() + QLatin1Char('/'); }

    QTemporaryDir folder;
};

// Without "DS-DIGIB.TTF" the digits use the bundled seven-segment face, not a
// plain text face.
TEST_F(DigitalFontTest, MissingPreferredFontFallsBackToTheBundledFace) {
    putFallback();
    const QString family = DigitalFont::registerFor(base());
    EXPECT_EQ(family, QStringLiteral("DSEG7 Classic"));
    EXPECT_TRUE(DigitalFont::familyAvailable(family));
}

// A damaged "DS-DIGIB.TTF" is not reported and changes nothing.
TEST_F(DigitalFontTest, DamagedPreferredFontIsIgnored) {
    putFallback();
    putFile(DigitalFont::preferredFile, QByteArray("not a font at all"));
    EXPECT_EQ(DigitalFont::registerFor(base()), QStringLiteral("DSEG7 Classic"));
}

// With neither file the preferred face is named and the font system
// substitutes; the program goes on.
TEST_F(DigitalFontTest, NoFontFilesNamesThePreferredFace) {
    EXPECT_EQ(DigitalFont::registerFor(base()), QString::fromLatin1(DigitalFont::preferredFamily));
}

class MenuTest : public testing::Test {
protected:
    QWidget window;
    GuessingWindowMenu menu{window};
};

// The entries stand in the designed order, with their captions and shortcuts.
TEST_F(MenuTest, EntriesInOrderWithShortcuts) {
    QList<QAction*> top;
    for (QAction* action : menu.pm1().actions()) {
        // The separator before the look settings carries no name.
        if (!action->objectName().isEmpty()) top.push_back(action);
    }
    const QList<QAction*> expected = {menu.N8, menu.N9, menu.N1, menu.N2, menu.autoSize, menu.N3, menu.N4,
                                      menu.operatorConsole, menu.pause, menu.N7, menu.scoreboard, menu.exportCsv, menu.exportPicture,
                                      menu.openLibrary, menu.editLibrary, menu.reduceMotion, menu.highContrast, menu.restoreDefaults, menu.N5, menu.N6};
    EXPECT_EQ(top, expected);
    EXPECT_TRUE(menu.N9->isSeparator());
    EXPECT_TRUE(menu.N5->isSeparator());
    EXPECT_EQ(menu.N1->text(), QString::fromUtf8("增大字体        快捷键"));
    EXPECT_EQ(menu.N6->text(), QString::fromUtf8("结束本轮猜词【退出】"));
    EXPECT_EQ(menu.N3->text(), QString::fromUtf8("字体平滑度设置"));
    EXPECT_EQ(menu.autoSize->text(), QString::fromUtf8("自动大小"));
    EXPECT_TRUE(menu.autoSize->isCheckable());
    EXPECT_EQ(menu.N1->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(menu.N2->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(menu.N4->shortcut(), QKeySequence(Qt::Key_F4));
    EXPECT_EQ(menu.N7->shortcut(), QKeySequence(Qt::Key_F5));
    for (QAction* withKey : {menu.N1, menu.N2, menu.N4, menu.N7}) {
        EXPECT_TRUE(window.actions().contains(withKey)) << withKey->text().toStdString();
    }
    const QList<QAction*> quality = menu.N3->menu()->actions();
    EXPECT_EQ(quality, (QList<QAction*>{menu.N12, menu.N13, menu.N14, menu.N15}));
    EXPECT_EQ(menu.N12->text(), QString::fromUtf8("【最好】 - 对显卡和CPU要求较高"));
    EXPECT_EQ(menu.N15->text(), QString::fromUtf8("【普通】 - 大多数硬件无压力运行"));
}

}  // namespace
}  // namespace caici
