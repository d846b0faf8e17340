// What the host set for single rounds and for the event is there again at
// the next launch.

#include "look/settings.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace caici {
namespace {

class SettingsAcrossLaunches : public ::testing::Test {
protected:
    QString settingsFile() const { return folder.filePath(QStringLiteral("settings.ini")); }

    QTemporaryDir folder;
};

TEST_F(SettingsAcrossLaunches, FreshSettingsPlayDescribeWithoutCapAndWithTheTick) {
    const Settings settings(settingsFile());
    EXPECT_EQ(settings.roundKind(), RoundKind::describe);
    EXPECT_EQ(settings.skipCap(), std::nullopt);
    EXPECT_TRUE(settings.lastSecondsCue());
    EXPECT_TRUE(settings.eventBrand().empty());
}

TEST_F(SettingsAcrossLaunches, TheRoundRulesAndTheEventAreKept) {
    const QString logo = folder.filePath(QStringLiteral("标志.png"));
    QImage picture(32, 16, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(logo, "PNG"));
    {
        Settings first(settingsFile());
        first.setRoundKind(RoundKind::oneWord);
        first.setSkipCap(0);
        first.setLastSecondsCue(false);
        first.setEventName(QStringLiteral("2027 新春年会"));
        first.setEventLogoFile(logo);
    }
    Settings next(settingsFile());
    EXPECT_EQ(next.roundKind(), RoundKind::oneWord);
    EXPECT_EQ(next.skipCap(), std::optional<int>(0)) << "no skips at all is not no cap";
    EXPECT_FALSE(next.lastSecondsCue());
    const EventBrand brand = next.eventBrand();
    EXPECT_EQ(brand.name, QStringLiteral("2027 新春年会"));
    EXPECT_EQ(brand.logo.size(), QSize(32, 16));

    // The file went away between launches: the name stays, the logo goes.
    ASSERT_TRUE(QFile::remove(logo));
    EXPECT_TRUE(next.eventBrand().logo.isNull());
    EXPECT_EQ(next.eventBrand().name, QStringLiteral("2027 新春年会"));

    next.setSkipCap(std::nullopt);
    next.restoreDefaults();
    const Settings restored(settingsFile());
    EXPECT_EQ(restored.roundKind(), RoundKind::describe);
    EXPECT_EQ(restored.skipCap(), std::nullopt);
    EXPECT_TRUE(restored.lastSecondsCue());
    EXPECT_TRUE(restored.eventBrand().empty());
}

}  // namespace
}  // namespace caici
