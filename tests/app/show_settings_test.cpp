// "活动和玩法" in the rules dialog: single rounds play as the host set them,
// from the program's start on, and the event's logo is taken only when the
// file holds a picture.

#include "app/rules_dialog.h"
#include "app/show_settings_panel.h"

#include "answering_dialogs.h"
#include "game_fixture.h"
#include "look/event_logo.h"
#include "program_harness.h"
#include "temporary_settings.h"
#include "typing.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace caici {
namespace {

// The host's settings of single rounds reach the game when the program
// starts and at every change in the dialog.
TEST(ShowSettings, SingleRoundsPlayAsTheHostSetThemFromTheStartOn) {
    testing::ProgramHarness harness;
    harness.settings.settings.setRoundKind(RoundKind::act);
    harness.settings.settings.setSkipCap(0);
    harness.settings.settings.setLastSecondsCue(false);
    harness.create();
    Game& game = harness.game();
    EXPECT_EQ(game.roundKind(), RoundKind::act);
    EXPECT_EQ(game.skipCap(), std::optional<std::int32_t>(0));
    EXPECT_FALSE(game.lastSecondsCue());

    auto* panel = harness.form2().findChild<ShowSettingsPanel*>();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->roundKind->currentText(), QStringLiteral("比划"));
    EXPECT_EQ(panel->skipCap->text(), QStringLiteral("0 次"));
    EXPECT_FALSE(panel->lastSeconds->isChecked());

    testing::chooseKind(*panel->roundKind, RoundKind::oneWord);
    panel->skipCap->setValue(ShowSettingsPanel::noSkipCap);
    panel->lastSeconds->click();
    EXPECT_EQ(game.roundKind(), RoundKind::oneWord);
    EXPECT_EQ(game.skipCap(), std::nullopt);
    EXPECT_EQ(panel->skipCap->text(), QStringLiteral("不限"));
    EXPECT_TRUE(game.lastSecondsCue());
    EXPECT_TRUE(harness.errors.texts.empty());
}

class ShowSettingsDialog : public ::testing::Test {
protected:
    ShowSettingsDialog() {
        startWindow.setFixedSize(459, 463);
        startWindow.show();
        dialog.connectShowSettings(dialogs);
        panel = dialog.findChild<ShowSettingsPanel*>();
    }

    // A file of the test's folder holding bytes.
    QString file(const char* name, const QByteArray& bytes, qint64 size = -1) {
        const QString path = folder.filePath(QString::fromUtf8(name));
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        if (size >= 0) out.resize(size);
        return path;
    }

    void choose(const QString& path) {
        dialogs.openPath = path;
        panel->chooseLogo->click();
    }

    testing::CollectingReporter reporter;
    testing::GameFixture game;
    QWidget startWindow;
    testing::TemporarySettings settings;
    TForm2 dialog{startWindow, *game.game, settings.settings, reporter};
    testing::AnsweringDialogs dialogs;
    QTemporaryDir folder;
    ShowSettingsPanel* panel = nullptr;
};

QByteArray pngPicture() {
    QImage picture(60, 30, QImage::Format_RGB32);
    picture.fill(QColor(0, 114, 178));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

// A logo that is no picture, or too large, is refused with the reason, and
// the logo chosen before stays.
TEST_F(ShowSettingsDialog, ALogoFileIsTakenOnlyWhenItHoldsAPicture) {
    dialog.showShowSettings(true);
    const QString logo = file("logo.png", pngPicture());
    choose(logo);
    EXPECT_EQ(settings.settings.eventLogoFile(), logo);
    EXPECT_FALSE(panel->logo->pixmap().isNull());
    EXPECT_EQ(settings.settings.eventBrand().logo.size(), QSize(60, 30));

    const struct {
        const char* name;
        QByteArray bytes;
        qint64 size;
        const char* said;
    } refused[] = {
        {"notes.png", "这不是图片", -1, "“notes.png”不是 PNG 或 JPEG 图片，请换一个图片文件。"},
        {"huge.png", pngPicture(), maxEventLogoBytes + 1, "图片“huge.png”超过 20 MB，请换一个小一些的图片。"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        choose(file(c.name, c.bytes, c.size));
        EXPECT_EQ(panel->logoAnswer->text().toStdString(), c.said);
        EXPECT_EQ(settings.settings.eventLogoFile(), logo) << "the logo chosen before stays";
    }

    panel->clearLogo->click();
    EXPECT_EQ(settings.settings.eventLogoFile(), QString());
    EXPECT_TRUE(settings.settings.eventBrand().empty());
    EXPECT_TRUE(reporter.texts.empty());
}

// The event's name keeps to 40 characters however much is typed.
TEST_F(ShowSettingsDialog, TheEventNameTakesFortyCharacters) {
    const QString typed = QString(45, QChar(u'年'));
    testing::typeText(panel->eventName, typed);
    EXPECT_EQ(panel->eventName->text(), QString(40, QChar(u'年')));
    EXPECT_EQ(settings.settings.eventName(), QString(40, QChar(u'年')));
}

}  // namespace
}  // namespace caici
