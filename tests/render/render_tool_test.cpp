#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct ToolRun {
    int exitCode;
    QString output;
};

ToolRun renderTool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(CAICI_BINARY_DIR "/bin/caici-render"), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

int countPixels(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
    }
    return count;
}

TEST(RenderTool, DrawsTheLineWithTheEffectOfAnIniSection) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("styles.ini");
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Red]\nShadow=1\nShadowColor=255\nShadowAlpha=100\nShadowBlur=0\nShadowOffsetX=4\n");
    file.close();
    const QString png = dir.filePath("out.png");
    const ToolRun run = renderTool({"--text", "猜词", "--size", "320x160", "-o", png, "--face", "DejaVu Sans", "--height",
                                "60", "--quality", "none", "--background", "0xFFFFFF", "--effect", ini, "--section",
                                "Red", "--repeat", "3"});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.output.trimmed().split('\n').last().startsWith("median ms per render: "));
    const QImage image(png);
    ASSERT_EQ(image.size(), QSize(320, 160));
    EXPECT_GT(countPixels(image, qRgb(255, 0, 0)), 20);  // the shadow
    EXPECT_GT(countPixels(image, qRgb(0, 0, 0)), 20);    // the body in the default colour
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
}

TEST(RenderTool, RefusesBadArgumentsWithExitCode2) {
    QTemporaryDir dir;
    const QString png = dir.filePath("out.png");
    const QStringList base{"--text", "a", "-o", png};
    const QList<QStringList> bad = {
        {"--text", "a", "-o", png},
        base + QStringList{"--size", "10y10"},
        base + QStringList{"--size", "0x10"},
        base + QStringList{"--size", "10x10", "--quality", "best"},
        base + QStringList{"--size", "10x10", "--effect", dir.filePath("missing.ini"), "--section", "S"},
        base + QStringList{"--size", "10x10", "--effect", png},
        base + QStringList{"--size", "10x10", "--repeat", "0"},
    };
    for (const QStringList& arguments : bad) {
        EXPECT_EQ(renderTool(arguments).exitCode, 2) << arguments.join(' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(png));
}

}  // namespace
