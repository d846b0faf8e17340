// Tonight's words as the host types them in the rules dialog: the panel's
// answer comes at once, in Chinese, and what is added is listed as typed.

#include "program_harness.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace caici::testing {
namespace {

template <class Widget>
Widget* named(QWidget& dialog, const char* name) {
    auto* found = dialog.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// A blank word is refused in the panel itself; a word with markup is added,
// listed and quoted exactly as typed; and the dialog that holds the panel
// still fits a screen of 1024 x 768.
TEST(TonightPanel, TheRulesDialogAddsAWordAndAnswersAtOnce) {
    ProgramHarness harness;
    harness.create();
    harness.showStartWindow();
    harness.form1().btn3Click();
    TForm2& dialog = harness.form2();
    auto* word = named<QLineEdit>(dialog, "tonightWord");
    auto* points = named<QSpinBox>(dialog, "tonightPoints");
    auto* add = named<QPushButton>(dialog, "btnTonightAdd");
    auto* answer = named<QLabel>(dialog, "tonightAnswer");
    auto* list = named<QListWidget>(dialog, "tonightList");
    ASSERT_TRUE(word && points && add && answer && list);
    EXPECT_EQ(word->accessibleName(), QStringLiteral("添加词语"));
    EXPECT_EQ(word->placeholderText(), QStringLiteral("添加词语"));
    EXPECT_EQ(points->value(), 1);

    QTest::keyClicks(word, QStringLiteral("   "));
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_TRUE(answer->text().startsWith(QStringLiteral("请先填上词语"))) << answer->text().toStdString();
    EXPECT_EQ(list->count(), 0);

    word->clear();
    QTest::keyClicks(word, QStringLiteral("<Title1>"));
    points->setValue(2);
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(answer->text(), QStringLiteral("已添加“<Title1>”，下一轮起出题。"));
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("<Title1>　2分"));
    EXPECT_TRUE(word->text().isEmpty());
    ASSERT_EQ(harness.game().tonightWords().size(), 1u);
    EXPECT_EQ(harness.game().tonightWords()[0].word, "<Title1>");
    EXPECT_TRUE(harness.errors.texts.empty());

    // The panel widens the dialog, never heightens it: room for a title bar
    // of 30 pixels on a screen of 1024 x 768.
    EXPECT_LE(dialog.width(), 1024);
    EXPECT_LE(dialog.height(), 768 - 30);
}

}  // namespace
}  // namespace caici::testing
