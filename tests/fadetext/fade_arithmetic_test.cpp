#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "effecttext/bitmap.h"
#include "fadetext/cross_fade.h"
#include "fadetext/fade_timing.h"
#include "fadetext/text_lines.h"

namespace caici {
namespace {

TEST(FadeDelays, AreClampedSilently) {
    struct Case {
        std::uint32_t requested;
        std::uint32_t lineDelay;
        std::uint32_t expected;
    };
    const std::vector<Case> cases = {
        {10, 3000, 50},     {600, 1000, 600},    {5000, 3000, 2800}, {900, 1000, 800},
        {8000, 20000, 6375}, {6375, 6575, 6375}, {0, 3000, 50},      {4000000000u, 100, 50},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(clampFadeDelay(c.requested, c.lineDelay), c.expected) << c.requested << " / " << c.lineDelay;
    }
}

TEST(LineDelays, LeaveRoomForAFade) {
    EXPECT_EQ(clampLineDelay(100, 600), 800u);
    EXPECT_EQ(clampLineDelay(3000, 600), 3000u);
    EXPECT_EQ(clampLineDelay(1000, 50), 1000u);
    EXPECT_EQ(clampLineDelay(0, 0xFFFFFFFFu), kMaxLineDelay);
    EXPECT_EQ(clampLineDelay(0xFFFFFFFFu, 50), kMaxLineDelay);
}

std::vector<int> fadeAlphas(std::uint32_t fadeDelay) {
    FadeProgress progress;
    std::vector<int> alphas;
    std::uint8_t alpha = 0;
    for (int tick = 0; tick < 1000; ++tick) {
        const auto step = progress.Advance(alpha, fadeDelay);
        alpha = step.alpha;
        alphas.push_back(alpha);
        if (step.finished) {
            break;
        }
    }
    return alphas;
}

TEST(FadeProgressSteps, FollowTheWholeNumberStep) {
    EXPECT_EQ(fadeAlphas(50), (std::vector<int>{127, 254, 255}));

    std::vector<int> tens;
    for (int a = 10; a <= 250; a += 10) tens.push_back(a);
    tens.push_back(255);
    EXPECT_EQ(fadeAlphas(600), tens);

    // A step of 1 reaches 255 on the 255th tick and stops on the next.
    const auto ones = fadeAlphas(6375);
    ASSERT_EQ(ones.size(), 256u);
    EXPECT_EQ(ones[254], 255);
}

// A new fade restarts from the alpha on display, not from the last progress.
TEST(FadeProgressSteps, RestartFromTheAlphaOnDisplay) {
    FadeProgress progress;
    progress.Advance(0, 50);
    progress.Advance(127, 50);
    EXPECT_EQ(progress.Advance(0, 600).alpha, 10);
}

// The plain definition: a table of floor(a * d / 256) for d = -255..255 and
// old + table[new - old]. The fast form must agree for every alpha and pair.
TEST(CrossFadeBytes, AgreeWithTheDifferenceTableForEveryInput) {
    std::vector<std::uint8_t> oldRow(256 * 256), newRow(256 * 256), mixed(256 * 256);
    for (int i = 0; i < 256 * 256; ++i) {
        oldRow[i] = static_cast<std::uint8_t>(i / 256);
        newRow[i] = static_cast<std::uint8_t>(i % 256);
    }
    for (int a = 1; a < 255; ++a) {
        int table[511];
        for (int d = -255; d <= 255; ++d) table[d + 255] = (a * d) >> 8;
        crossFadeBytes(mixed.data(), oldRow.data(), newRow.data(), mixed.size(), static_cast<std::uint8_t>(a));
        for (int i = 0; i < 256 * 256; ++i) {
            const int expected = oldRow[i] + table[newRow[i] - oldRow[i] + 255];
            ASSERT_EQ(mixed[i], expected) << "alpha " << a << " old " << int(oldRow[i]) << " new " << int(newRow[i]);
            ASSERT_GE(mixed[i], std::min(oldRow[i], newRow[i]));
            ASSERT_LE(mixed[i], std::max(oldRow[i], newRow[i]));
        }
    }
}

void fillRandom(TBitmap& image, unsigned seed) {
    std::mt19937 engine(seed);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width() * 3; ++x) image.ScanLine(y)[x] = static_cast<std::uint8_t>(engine());
    }
}

TEST(CrossFadeImages, TakeTheSmallerSizeAndMixEveryChannel) {
    TBitmap oldImage(7, 5);
    TBitmap newImage(4, 9);
    fillRandom(oldImage, 1);
    fillRandom(newImage, 2);
    TBitmap destination(20, 20);
    for (int a : {0, 1, 100, 254, 255}) {
        CrossFade(destination, oldImage, newImage, static_cast<std::uint8_t>(a));
        ASSERT_EQ(destination.Width(), 4);
        ASSERT_EQ(destination.Height(), 5);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 12; ++x) {
                const int o = oldImage.ScanLine(y)[x];
                const int n = newImage.ScanLine(y)[x];
                const int expected = a == 255 ? n : o + ((a * (n - o)) >> 8);
                ASSERT_EQ(destination.ScanLine(y)[x], expected) << a << " at " << x << "," << y;
            }
        }
    }
}

// A part of a frame mixed into a band, or into the old image itself, holds
// the pixels of the whole frame's mix there; the old image keeps the rest.
TEST(CrossFadeImages, PartsMixAsTheWholeFrame) {
    TBitmap oldImage(9, 7, TPixelFormat::pf32bit);
    TBitmap newImage(9, 7, TPixelFormat::pf32bit);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 36; ++x) {
            oldImage.ScanLine(y)[x] = static_cast<std::uint8_t>(x * 7 + y * 31);
            newImage.ScanLine(y)[x] = static_cast<std::uint8_t>(255 - x * 5 - y * 17);
        }
    }
    const QRect part(2, 1, 5, 4);
    for (int a : {0, 1, 100, 254, 255}) {
        const auto alpha = static_cast<std::uint8_t>(a);
        TBitmap whole;
        CrossFade(whole, oldImage, newImage, alpha);
        TBitmap band(part.width(), part.height(), TPixelFormat::pf32bit);
        crossFadeAreaTo(band, oldImage, newImage, alpha, part);
        TBitmap inPlace(9, 7, TPixelFormat::pf32bit);
        inPlace.Assign(oldImage);
        crossFadeInPlace(inPlace, newImage, alpha, part);
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 36; ++x) {
                const bool inside = part.contains(x / 4, y);
                ASSERT_EQ(inPlace.ScanLine(y)[x], inside ? whole.ScanLine(y)[x] : oldImage.ScanLine(y)[x])
                    << a << " at " << x << "," << y;
                if (inside) {
                    ASSERT_EQ(band.ScanLine(y - part.top())[x - 4 * part.left()], whole.ScanLine(y)[x])
                        << a << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(TextLinesSplitting, BreaksAtEveryLineEnd) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\rc", {"a", "b", "c"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\n", {""}},
    };
    for (const Case& c : cases) {
        TextLines lines;
        lines.SetText(c.text);
        EXPECT_EQ(lines.Lines(), c.lines) << c.text;
    }
    TextLines lines;
    int changes = 0;
    lines.SetOnChange([&] { ++changes; });
    lines.SetText("x\r\ny");
    EXPECT_EQ(lines.Text(), "x\r\ny");
    lines.SetLine("<Title1><Center>词");
    EXPECT_EQ(lines.Lines(), std::vector<std::string>{"<Title1><Center>词"});
    EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace caici
