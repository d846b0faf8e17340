// The event's logo is judged by what its file holds, never by its name.

#include "look/event_logo.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace caici {
namespace {

QByteArray encoded(QSize size, const char* format) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(QColor(230, 159, 0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(picture.save(&buffer, format)) << format;
    return bytes;
}

// A PNG or a JPEG that decodes, of at most 20 MB, is a logo; anything else
// is refused with what is wrong with it.
TEST(EventLogo, IsAPngOrJpegThatDecodesOfAtMostTwentyMegabytes) {
    QTemporaryDir folder;
    const struct {
        const char* name;
        QByteArray bytes;
        // Grown to this size with a hole (a sparse file): nothing to write.
        qint64 size;
        std::optional<LogoFault> fault;
        QSize decoded;
    } cases[] = {
        {"logo.png", encoded({80, 40}, "PNG"), -1, std::nullopt, {80, 40}},
        {"photo.jpg", encoded({64, 48}, "JPEG"), -1, std::nullopt, {64, 48}},
        {"named-wrongly.gif", encoded({20, 10}, "PNG"), -1, std::nullopt, {20, 10}},
        {"banner.png", encoded({3000, 30}, "PNG"), -1, std::nullopt, {maxEventLogoSide, 10}},
        {"notes.png", "这不是图片，只是改了名字的文字。", -1, LogoFault::notPicture, {}},
        {"cut-short.png", encoded({80, 40}, "PNG").left(40), -1, LogoFault::notPicture, {}},
        {"huge.png", encoded({80, 40}, "PNG"), maxEventLogoBytes + 1, LogoFault::tooLarge, {}},
        {"just-twenty.png", encoded({80, 40}, "PNG"), maxEventLogoBytes, std::nullopt, {80, 40}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QString::fromUtf8(c.name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        if (c.size >= 0) {
            ASSERT_TRUE(file.resize(c.size));
        }
        file.close();
        const LogoReading reading = readEventLogo(path);
        EXPECT_EQ(reading.fault, c.fault);
        EXPECT_EQ(reading.logo.isNull(), c.fault.has_value());
        if (!c.fault) {
            EXPECT_EQ(reading.logo.size(), c.decoded);
        }
    }
    EXPECT_EQ(readEventLogo(folder.filePath(QStringLiteral("gone.png"))).fault, LogoFault::unreadable);
    EXPECT_EQ(readEventLogo(folder.path()).fault, LogoFault::unreadable) << "a folder";
}

// Characters as the host sees them: a character outside the basic plane
// counts once.
TEST(EventLogo, TheEventNameIsCutAtFortyCharacters) {
    const QString forty = QString(39, QChar(u'会')) + QString::fromUtf8("🎉");
    EXPECT_EQ(clippedEventName(forty), forty);
    EXPECT_EQ(clippedEventName(forty + QStringLiteral("多")), forty);
    EXPECT_EQ(clippedEventName(QStringLiteral("年会")), QStringLiteral("年会"));
}

}  // namespace
}  // namespace caici
