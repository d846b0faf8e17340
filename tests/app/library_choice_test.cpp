// The host's own library and choice of words, as the rules dialog offers
// them: "打开词库…", the categories and points to play, and both remembered.

#include "program_harness.h"

#include "app/start_label.h"
#include "words/word_entry.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace caici::testing {
namespace {

QCheckBox* box(QWidget& dialog, const QString& startsWith) {
    for (QCheckBox* candidate : dialog.findChildren<QCheckBox*>()) {
        if (candidate->text().startsWith(startsWith)) return candidate;
    }
    return nullptr;
}

// The words of sheets with the given points, as the library shows them.
std::set<std::string> wordsOf(Game& game, const std::set<std::string>& sheets, const std::string& points) {
    std::set<std::string> words;
    for (const std::string& sheet : sheets) {
        const auto view = game.browseSheet(sheet);
        EXPECT_TRUE(view) << sheet;
        if (!view) continue;
        for (const auto& row : view->rows) {
            if (row.size() >= 2 && row[1] == points) words.insert(row[0]);
        }
    }
    return words;
}

TEST(LibraryChoice, AChosenLibraryDealsOnlyTheTickedCategoriesAndPointsAndIsRememberedForTheNextLaunch) {
    // The game's own folder holds no library: everything comes from the file
    // the host opens.
    QTemporaryDir empty;
    ProgramHarness harness(empty.path() + QLatin1Char('/'));
    harness.create();
    harness.showStartWindow();
    const QString library = gameFolder() + QStringLiteral("words.xlsx");
    harness.dialogs->openPath = library;

    harness.form1().btn3Click();
    TForm2& dialog = harness.form2();
    auto* open = dialog.findChild<QPushButton*>(QStringLiteral("btnOpenLibrary"));
    ASSERT_NE(open, nullptr);
    QTest::mouseClick(open, Qt::LeftButton);
    ASSERT_TRUE(harness.errors.texts.empty()) << harness.errors.texts.front();
    EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("libraryFile"))->toolTip() == library);
    EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text().contains(QStringLiteral("words.xlsx")));

    // Two categories and the 1-point words only.
    const std::set<std::string> kept = {"动物", "食物"};
    for (const CategoryCount& category : harness.game().categories()) {
        QCheckBox* categoryBox = box(dialog, QString::fromStdString(category.name) + QStringLiteral(" ("));
        ASSERT_NE(categoryBox, nullptr) << category.name;
        EXPECT_TRUE(categoryBox->text().endsWith(QStringLiteral("(%1)").arg(category.entries)));
        if (kept.count(category.name) == 0) categoryBox->click();
    }
    for (const char* points : {"points2", "points3"}) {
        auto* pointsBox = dialog.findChild<QCheckBox*>(QString::fromLatin1(points));
        ASSERT_NE(pointsBox, nullptr) << points;
        pointsBox->click();
    }
    // Unticking the last category would leave nothing: the box stays ticked.
    QCheckBox* animals = box(dialog, QStringLiteral("动物 ("));
    QCheckBox* food = box(dialog, QStringLiteral("食物 ("));
    animals->click();
    food->click();
    EXPECT_TRUE(food->isChecked());
    EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("libraryHint"))->text().contains(QStringLiteral("至少")));
    animals->click();
    dialog.close();

    const std::set<std::string> expected = wordsOf(harness.game(), kept, "1");
    ASSERT_FALSE(expected.empty());
    QTest::mouseClick(harness.form1().Label2, Qt::LeftButton, {}, QPoint(24, 28));
    ASSERT_TRUE(harness.form3().isVisible());
    std::set<std::string> dealt = {harness.game().round().currentEntry.word};
    for (const WordEntry& entry : harness.game().words().playOrder()) dealt.insert(entry.word);
    EXPECT_EQ(dealt, expected);

    // The next launch plays the same library with the same choice.
    const Settings remembered(harness.settings.file);
    EXPECT_EQ(remembered.chosenLibrary(), library);
    const WordChoice choice = remembered.wordChoice(library);
    EXPECT_EQ(choice.categories, std::optional<std::set<std::string>>(kept));
    EXPECT_EQ(choice.points, std::optional<std::set<std::int32_t>>({1}));
}

}  // namespace
}  // namespace caici::testing
