#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "fadetext/font_style_file.h"
#include "fadetext/line_placement.h"
#include "fadetext/markup_tags.h"

namespace caici {
namespace {

QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& text) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return path;
}

TEST(StyleFiles, KeepTheOrderOfTheFileAndReadEveryKey) {
    QTemporaryDir dir;
    const QString path = writeFile(dir, "styles.ini",
                                   "[Zeta]\nFontName=Face Z\nFontHeight=40\nFontBold=1\nFontColor=255\n"
                                   "Shadow=1\nShadowOffsetX=3\n\n"
                                   "[Alpha]\nFontName=微软雅黑\nFontItalic=1\nGradual=1\nGradualStyle=5\n"
                                   "GradualStartColor=65535\n[Bare]\n");
    TCnFontLabels fonts;
    loadFontStyles(path, fonts);
    ASSERT_EQ(fonts.Count(), 3);
    const TCnFontLabel& zeta = fonts.Items(0);
    EXPECT_EQ(zeta.Name(), "Zeta");
    EXPECT_EQ(zeta.Font().Name(), "Face Z");
    EXPECT_EQ(zeta.Font().Height(), -40);
    EXPECT_TRUE(zeta.Font().Style().Contains(TFontStyle::fsBold));
    EXPECT_FALSE(zeta.Font().Style().Contains(TFontStyle::fsItalic));
    EXPECT_EQ(zeta.Font().Color(), clRed);
    EXPECT_TRUE(zeta.Effect().Shadow().Enabled());
    EXPECT_EQ(zeta.Effect().Shadow().OffsetX(), 3);
    EXPECT_EQ(zeta.Effect().Shadow().OffsetY(), 2);
    const TCnFontLabel& alpha = fonts.Items(1);
    EXPECT_EQ(alpha.Font().Name(), "微软雅黑");
    EXPECT_TRUE(alpha.Font().Style().Contains(TFontStyle::fsItalic));
    EXPECT_TRUE(alpha.Effect().Gradual().Enabled());
    EXPECT_EQ(alpha.Effect().Gradual().Style(), TGradualStyle::gsCenterToTB);
    EXPECT_EQ(alpha.Effect().Gradual().StartColor(), 65535);
    // A section without keys is a fresh style.
    const TFont fresh;
    EXPECT_TRUE(fonts.Items(2).Font().SameAs(fresh));
}

TEST(StyleFiles, RefuseAMissingFileAndTwoSectionsOfOneName) {
    QTemporaryDir dir;
    TCnFontLabels fonts;
    EXPECT_THROW(loadFontStyles(dir.filePath(QStringLiteral("absent.ini")), fonts), Error);
    const QString twice = writeFile(dir, "twice.ini", "[Title1]\nFontHeight=10\n[TITLE1]\nFontHeight=20\n");
    EXPECT_THROW(loadFontStyles(twice, fonts), EDuplicateString);
}

// Each case: alignment, layout, client 100 x 50, text size, position.
TEST(LinePlacement, FollowsAlignmentAndLayoutTruncatingHalves) {
    struct Case {
        TAlignment alignment;
        TTextLayout layout;
        QSize text;
        QPoint expected;
    };
    const std::vector<Case> cases = {
        {TAlignment::taLeftJustify, TTextLayout::tlTop, {30, 10}, {0, 0}},
        {TAlignment::taRightJustify, TTextLayout::tlBottom, {30, 10}, {70, 40}},
        {TAlignment::taCenter, TTextLayout::tlCenter, {31, 11}, {34, 19}},
        {TAlignment::taCenter, TTextLayout::tlCenter, {131, 61}, {-15, -5}},
        {TAlignment::taRightJustify, TTextLayout::tlTop, {130, 10}, {-30, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(placeLine(c.alignment, c.layout, QSize(100, 50), c.text), c.expected)
            << static_cast<int>(c.alignment) << "/" << static_cast<int>(c.layout);
    }
}

}  // namespace
}  // namespace caici
