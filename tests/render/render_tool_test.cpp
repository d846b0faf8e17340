#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct ToolRun {
    bool finished;
    int exitCode;
    QString output;
    QString errors;
};

ToolRun renderTool(const QStringList& arguments, int timeoutMs = 60000) {
    QProcess process;
    process.start(QStringLiteral(CAICI_BINARY_DIR "/bin/caici-render"), arguments);
    const bool finished = process.waitForFinished(timeoutMs);
    if (!finished) {
        process.kill();
        process.waitForFinished();
    }
    return {finished, process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
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
    writeFile(ini, "[Red]\nShadow=1\nShadowColor=255\nShadowAlpha=100\nShadowBlur=0\nShadowOffsetX=4\n");
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

// Nothing named on the command line may block the tool or eat the memory:
// each such input is refused at once, exit status 2, with what was wrong.
TEST(RenderTool, RefusesInputsThatWouldHangItOrExhaustItsMemory) {
    QTemporaryDir dir;
    const QString png = dir.filePath("out.png");
    const QString fifo = dir.filePath("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString large = dir.filePath("large.ini");
    {
        QFile file(large);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(2 << 20));
    }
    const QString crowded = dir.filePath("crowded.ini");
    QByteArray sections;
    for (int i = 0; i < 300; ++i) sections += "[S" + QByteArray::number(i) + "]\n";
    writeFile(crowded, sections);
    const QStringList base{"--text", "a", "-o", png, "--size", "100x50"};
    struct Case {
        QStringList arguments;
        const char* message;
    };
    const QList<Case> cases = {
        {base + QStringList{"--effect", fifo, "--section", "S"}, "不是普通文件"},
        {base + QStringList{"--styles", fifo}, "不是普通文件"},
        {base + QStringList{"--effect", "/dev/zero", "--section", "S"}, "不是普通文件"},
        {base + QStringList{"--styles", dir.path()}, "不是普通文件"},
        {base + QStringList{"--effect", large, "--section", "S"}, "太大"},
        {base + QStringList{"--styles", crowded}, "最多 256 个"},
        {base + QStringList{"--repeat", "1001"}, "--repeat"},
        {base + QStringList{"--height", "5000"}, "--height"},
        {base + QStringList{"--x", "2000000000"}, "--x"},
        {{"--text", "a", "-o", png, "--size", "16384x16384"}, "--size"},
    };
    for (const Case& c : cases) {
        const ToolRun run = renderTool(c.arguments, 20000);
        ASSERT_TRUE(run.finished) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, 2) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.errors.contains(QString::fromUtf8(c.message))) << run.errors.toStdString();
    }
    EXPECT_FALSE(QFile::exists(png));
}

// A line far longer than any word is drawn (its first 1,024 characters,
// said on the error stream) in well under the time the test allows.
TEST(RenderTool, DrawsAVeryLongLineAndSaysWhereItWasCut) {
    QTemporaryDir dir;
    const QString png = dir.filePath("long.png");
    const ToolRun run = renderTool({"--text", QString(3000, QChar(0x731C)), "--size", "1184x417", "-o", png, "--face",
                                    "Noto Sans CJK SC", "--bold", "--quality", "high"},
                                   20000);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QString::fromUtf8("只画前 1024 个"))) << run.errors.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(1184, 417));
}

}  // namespace
