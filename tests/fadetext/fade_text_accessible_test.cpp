#include <gtest/gtest.h>

#include <QAccessible>
#include <vector>

#include "fadetext/fade_text_accessible.h"
#include "fade_text_fixture.h"

namespace caici {
namespace {

class FadeTextAccessibility : public ::testing::Test {
protected:
    void SetUp() override { installFadeTextAccessibility(); }
};

TEST_F(FadeTextAccessibility, IsAStaticTextNamedByTheLineAsDrawn) {
    testing::FadeStage stage({"<Title1><Center>苹果 <Owner>", "<Title1>香蕉"});
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(stage.text);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::StaticText);
    EXPECT_EQ(face->text(QAccessible::Name), QString());

    stage.text->SetActive(true);
    const QString first = QString::fromStdString("苹果 " + stage.text->Labels().RegOwner());
    EXPECT_EQ(face->text(QAccessible::Name), first);
    stage.text->NextLine();
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("香蕉"));
    EXPECT_FALSE(face->state().invisible);
    stage.text->hide();
    EXPECT_TRUE(face->state().invisible);
}

// The name changes with every change of the drawn line, and only then: the
// control raises Qt's name-changed event at the same point as this callback
// (Qt passes such events on only while an assistive-technology bridge is
// active, which a headless test cannot start).
TEST_F(FadeTextAccessibility, NameFollowsEveryChangeOfTheLineOnDisplay) {
    testing::FadeStage stage({"<Title1>一"});
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(stage.text);
    std::vector<QString> names;
    stage.text->SetOnDisplayedTextChanged([&](TCnAAGraphicControl&) { names.push_back(face->text(QAccessible::Name)); });
    stage.text->SetActive(true);
    stage.finishFade();
    stage.text->NextLine();
    stage.finishFade();
    EXPECT_EQ(names.size(), 1u);
    // Replaced lines show at once.
    stage.text->Text().Lines().SetLine("<Title1><Time>");
    EXPECT_EQ(names.size(), 2u);
    stage.text->Text().Lines().SetLine("<Title1>二");
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], QStringLiteral("一"));
    EXPECT_FALSE(names[1].isEmpty());
    EXPECT_EQ(names[2], QStringLiteral("二"));
}

TEST_F(FadeTextAccessibility, OtherWidgetsKeepTheirOwnInterfaces) {
    QWidget plain;
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&plain);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(dynamic_cast<FadeTextAccessible*>(face), nullptr);
}

}  // namespace
}  // namespace caici
