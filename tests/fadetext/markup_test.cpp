#include <gtest/gtest.h>

#include <QLocale>
#include <string>
#include <vector>

#include "fadetext/font_labels.h"
#include "fadetext/markup_tags.h"
#include "fadetext/registered_owner.h"
#include "fadetext/user_labels.h"

namespace caici {
namespace {

// A style collection Title1, Title2 and the eight labels in their usual order,
// with change counters.
struct Markup {
    int fontChanges = 0;
    int labelChanges = 0;
    TCnFontLabels fonts{[this](TPersistent*) { ++fontChanges; }};
    TCnUserLabels labels{[this](TPersistent*) { ++labelChanges; }, RegisteredOwner{"Ann Lee", "Velmarin"}};

    Markup() {
        fonts.AddFontLabel("Title1", "Face One", 30, clRed, {TFontStyle::fsBold}, true, 5, 5);
        fonts.AddFontLabel("Title2", "Face Two", 9, clBlue, {}, false, 1, 1);
        labels.AddUserLabel("Left", "", TLabelStyle::lsLeftJustify);
        labels.AddUserLabel("Center", "", TLabelStyle::lsCenter);
        labels.AddUserLabel("Right", "", TLabelStyle::lsRightJustify);
        labels.AddUserLabel("Owner", "", TLabelStyle::lsRegOwner);
        labels.AddUserLabel("Organization", "", TLabelStyle::lsRegOrganization);
        fontChanges = 0;
        labelChanges = 0;
    }

    struct Result {
        std::string text;
        std::string face;
        TAlignment alignment;
    };

    Result resolve(const std::string& line) {
        Result result{line, "", TAlignment::taLeftJustify};
        TFont font;
        font.SetName("Carried");
        TCnAAEffect effect;
        fonts.ApplyFontTags(result.text, &font, &effect);
        labels.ApplyLabelTags(result.text, result.alignment);
        result.face = font.Name();
        return result;
    }
};

TEST(MarkupTags, UpperCasesOnlyAsciiLettersAndFindsTheFirstOccurrence) {
    EXPECT_EQ(asciiUpper("abc词Z-é"), "ABC词Z-é");
    EXPECT_EQ(tagOf("Title1"), "<TITLE1>");
    EXPECT_EQ(findTag("x<title1>y<TITLE1>", "Title1"), 1u);
    EXPECT_EQ(findTag("<标题>", "标题"), 0u);
    EXPECT_FALSE(findTag("<Title 1>", "Title1").has_value());
    EXPECT_EQ(findTag("<>", ""), 0u);
}

// Each case: the line, the text that remains, the face and alignment it ends with.
TEST(MarkupTags, ResolvesStylesAndLabelsAsTheGameWritesThem) {
    struct Case {
        const char* line;
        const char* text;
        const char* face;
        TAlignment alignment;
    };
    const std::vector<Case> cases = {
        {"<Title1><Center>苹果", "苹果", "Face One", TAlignment::taCenter},
        {"<title1><center>苹果", "苹果", "Face One", TAlignment::taCenter},
        {"<Center><Title1>苹果", "苹果", "Face One", TAlignment::taCenter},
        {"甲<Title1>乙", "甲乙", "Face One", TAlignment::taLeftJustify},
        {"<Title1><Title1>x", "<Title1>x", "Face One", TAlignment::taLeftJustify},
        {"<Nothing>x", "<Nothing>x", "Carried", TAlignment::taLeftJustify},
        {"<Right><Left>x", "x", "Carried", TAlignment::taRightJustify},
        {"<Title2><Title1>x", "x", "Face Two", TAlignment::taLeftJustify},
        {"plain", "plain", "Carried", TAlignment::taLeftJustify},
        {"by <Owner> of <organization>", "by Ann Lee of Velmarin", "Carried", TAlignment::taLeftJustify},
        {"<>", "<>", "Carried", TAlignment::taLeftJustify},
    };
    for (const Case& c : cases) {
        Markup markup;
        const auto result = markup.resolve(c.line);
        EXPECT_EQ(result.text, c.text) << c.line;
        EXPECT_EQ(result.face, c.face) << c.line;
        EXPECT_EQ(result.alignment, c.alignment) << c.line;
    }
}

// A label's text is searched by the labels after it, never by those before
// it nor by the font styles.
TEST(MarkupTags, InsertedTextIsSearchedOnlyByLaterLabels) {
    Markup markup;
    markup.labels.AddUserLabel("Sign", "<Owner>/<Left>/<Title1>/<Late>", TLabelStyle::lsCustom);
    markup.labels.AddUserLabel("Late", "late", TLabelStyle::lsCustom);
    const auto result = markup.resolve("<Sign>");
    EXPECT_EQ(result.text, "<Owner>/<Left>/<Title1>/late");
    EXPECT_EQ(result.alignment, TAlignment::taLeftJustify);
}

TEST(MarkupTags, EmptyNamesMatchEmptyBracketsAndEmptyCollectionsMatchNothing) {
    TCnFontLabels fonts;
    TCnUserLabels labels({}, RegisteredOwner{});
    std::string line = "<Title1><>x";
    TAlignment alignment = TAlignment::taCenter;
    fonts.ApplyFontTags(line, nullptr, nullptr);
    EXPECT_EQ(line, "<Title1><>x");
    labels.AddUserLabel("", "!", TLabelStyle::lsCustom);
    labels.ApplyLabelTags(line, alignment);
    EXPECT_EQ(line, "<Title1>!x");
}

TEST(MarkupTags, AStyleCopiesItsWholeFontAndEffect) {
    Markup markup;
    TFont font;
    TCnAAEffect effect;
    std::string line = "<Title1>x";
    markup.fonts.ApplyFontTags(line, &font, &effect);
    EXPECT_TRUE(font.SameAs(markup.fonts.Items(0).Font()));
    EXPECT_EQ(font.Size(), 30);
    EXPECT_TRUE(font.Style().Contains(TFontStyle::fsBold));
    EXPECT_TRUE(effect.Shadow().Enabled());
    EXPECT_EQ(effect.Shadow().OffsetX(), 5);
    EXPECT_EQ(effect.Shadow().Alpha(), 70);
}

TEST(ItemNames, RenamingChecksOtherItemsIgnoringCase) {
    Markup markup;
    markup.fonts.Items(0).SetName("TITLE1");
    EXPECT_EQ(markup.fonts.Items(0).Name(), "TITLE1");
    EXPECT_EQ(markup.fontChanges, 1);

    try {
        markup.fonts.Items(1).SetName("title1");
        FAIL() << "a duplicate name was accepted";
    } catch (const EDuplicateString& error) {
        EXPECT_STREQ(error.what(), "Duplicate string!");
    }
    EXPECT_EQ(markup.fonts.Items(1).Name(), "Title2");
    EXPECT_EQ(markup.fontChanges, 1);

    EXPECT_THROW(markup.labels.Items(0).SetName("CENTER"), EDuplicateString);
    EXPECT_EQ(markup.labelChanges, 0);
    markup.labels.Items(0).SetName("");
    markup.labels.Items(1).SetName("");
    EXPECT_EQ(markup.labelChanges, 2);
    EXPECT_EQ(markup.labels.Items(0).DisplayName(), "TCnUserLabel");
}

TEST(ItemNames, AddingADuplicateIsRefusedQuietly) {
    Markup markup;
    EXPECT_EQ(markup.fonts.AddFontLabel("title2", "F", 9, 0, {}, false, 0, 0), nullptr);
    EXPECT_EQ(markup.labels.AddUserLabel("OWNER", "", TLabelStyle::lsCustom), nullptr);
    EXPECT_EQ(markup.fonts.Count(), 2);
    EXPECT_EQ(markup.labels.Count(), 5);
    EXPECT_EQ(markup.fontChanges + markup.labelChanges, 0);
    // Names compare as the user reads them, beyond ASCII.
    markup.labels.AddUserLabel("Ärger", "", TLabelStyle::lsCustom);
    EXPECT_EQ(markup.labels.IndexOf("äRGER"), 5);
}

// Adding notifies once, for the addition; the values set with it do not.
TEST(CollectionChanges, EveryEffectiveChangeIsReportedOnce) {
    Markup markup;
    markup.fonts.AddFontLabel("Text1", "F", 9, 0, {}, false, 1, 1);
    EXPECT_EQ(markup.fontChanges, 1);
    markup.fonts.Items(0).Font().SetSize(40);
    EXPECT_EQ(markup.fontChanges, 2);
    markup.fonts.Items(0).Effect().SetAlpha(50);
    EXPECT_EQ(markup.fontChanges, 3);
    markup.fonts.Items(0).Effect().Gradual().SetStartColor(clRed);  // disabled: silent
    EXPECT_EQ(markup.fontChanges, 3);
    markup.fonts.Delete(2);
    EXPECT_EQ(markup.fontChanges, 4);

    TCnUserLabel& owner = markup.labels.Items(3);
    owner.SetText("ignored");
    EXPECT_EQ(markup.labelChanges, 0);
    EXPECT_EQ(owner.CustomText(), "");
    owner.SetStyle(TLabelStyle::lsCustom);
    owner.SetText("mine");
    owner.SetText("mine");
    EXPECT_EQ(markup.labelChanges, 2);
    EXPECT_EQ(owner.Text(), "mine");
}

TEST(CollectionChanges, CopyingReplacesAllItemsAndReportsOnce) {
    Markup source;
    source.labels.Items(1).SetOnGetText([](const TCnUserLabel&, std::string& text) { text = "hooked"; });
    Markup target;
    target.fonts.CopyFrom(&source.fonts);
    target.labels.CopyFrom(&source.labels);
    EXPECT_EQ(target.fontChanges, 1);
    EXPECT_EQ(target.labelChanges, 1);
    ASSERT_EQ(target.fonts.Count(), 2);
    EXPECT_NE(&target.fonts.Items(0), &source.fonts.Items(0));
    EXPECT_TRUE(target.fonts.Items(0).Font().SameAs(source.fonts.Items(0).Font()));
    EXPECT_EQ(target.labels.Items(1).Text(), "hooked");
    // The copy's items report to their own collection.
    target.fonts.Items(0).Font().SetSize(11);
    EXPECT_EQ(target.fontChanges, 2);
    EXPECT_EQ(source.fontChanges, 0);
    EXPECT_THROW(target.fonts.CopyFrom(&source.labels), EAssignError);
    EXPECT_THROW(target.labels.Items(0).CopyFrom(&source.fonts.Items(0)), EAssignError);
    EXPECT_THROW(target.fonts.Items(5), EListError);
}

// Styles and labels share their list operations: a removal or a clearing that
// changes something reports once, a read or removal past the end fails and
// reports nothing, clearing an empty collection is silent.
TEST(CollectionChanges, RemovingAndClearingBehaveAlikeForStylesAndLabels) {
    Markup markup;
    EXPECT_THROW(markup.fonts.Items(2), EListError);
    EXPECT_THROW(markup.fonts.Delete(-1), EListError);
    markup.fonts.Delete(0);
    ASSERT_EQ(markup.fonts.Count(), 1);
    EXPECT_EQ(markup.fonts.Items(0).Name(), "Title2");
    EXPECT_EQ(markup.fonts.IndexOf("title1"), -1);
    markup.fonts.Clear();
    markup.fonts.Clear();
    EXPECT_EQ(markup.fonts.Count(), 0);
    EXPECT_EQ(markup.fontChanges, 2);

    EXPECT_THROW(markup.labels.Items(5), EListError);
    EXPECT_THROW(markup.labels.Delete(5), EListError);
    markup.labels.Delete(1);
    ASSERT_EQ(markup.labels.Count(), 4);
    EXPECT_EQ(markup.labels.Items(1).Name(), "Right");
    EXPECT_EQ(markup.labels.IndexOf("CENTER"), -1);
    markup.labels.Clear();
    markup.labels.Clear();
    EXPECT_EQ(markup.labels.Count(), 0);
    EXPECT_EQ(markup.labelChanges, 2);
}

TEST(UserLabelText, EachStyleGivesItsSubstitution) {
    const QDateTime moment(QDate(2024, 2, 29), QTime(13, 4, 5));
    TCnUserLabels labels({}, RegisteredOwner{"Ann Lee", "Velmarin"});
    labels.SetClock([moment] { return moment; });
    struct Case {
        TLabelStyle style;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {TLabelStyle::lsLeftJustify, ""},
        {TLabelStyle::lsCenter, ""},
        {TLabelStyle::lsRightJustify, ""},
        {TLabelStyle::lsRegOwner, "Ann Lee"},
        {TLabelStyle::lsRegOrganization, "Velmarin"},
        {TLabelStyle::lsDate, shortDateText(QLocale::system(), moment.date())},
        {TLabelStyle::lsTime, longTimeText(QLocale::system(), moment.time())},
        {TLabelStyle::lsCustom, "own"},
    };
    for (const Case& c : cases) {
        TCnUserLabel* label = labels.AddUserLabel("L" + std::to_string(labels.Count()), "own", c.style);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->GetText(), c.expected) << static_cast<int>(c.style);
    }
    TCnUserLabel& owner = labels.Items(3);
    owner.SetOnGetText([](const TCnUserLabel& sender, std::string& text) { text = sender.Name() + ":" + text; });
    EXPECT_EQ(owner.GetText(), "L3:Ann Lee");
}

// The long time format keeps its seconds but not the time zone it may carry.
TEST(UserLabelText, TimeOfDayHasSecondsAndNoZone) {
    for (const char* name : {"C", "zh_CN", "en_US", "de_DE"}) {
        const std::string text = longTimeText(QLocale(QString::fromLatin1(name)), QTime(13, 4, 5));
        EXPECT_NE(text.find("04:05"), std::string::npos) << name << ": " << text;
        EXPECT_EQ(text.find("UTC"), std::string::npos) << name << ": " << text;
        EXPECT_EQ(text, QString::fromStdString(text).trimmed().toStdString()) << name;
    }
}

TEST(RegisteredOwnerSource, FullNameFromTheAccountOtherwiseTheLogin) {
    struct Case {
        std::string comment;
        std::string login;
        std::optional<std::string> organization;
        RegisteredOwner expected;
    };
    const std::vector<Case> cases = {
        {"Ann Lee,Room 1,555", "ann", "Velmarin", {"Ann Lee", "Velmarin"}},
        {"& Smith", "bob", std::nullopt, {"Bob Smith", ""}},
        {"", "carol", "", {"carol", ""}},
        {",,,", "dave", std::nullopt, {"dave", ""}},
        {"", "", std::nullopt, {"", ""}},
        {"王小明", "wang", std::nullopt, {"王小明", ""}},
    };
    for (const Case& c : cases) {
        OwnerSources sources;
        sources.accountComment = [&] { return c.comment; };
        sources.loginName = [&] { return c.login; };
        sources.organizationVariable = [&] { return c.organization; };
        const RegisteredOwner owner = readRegisteredOwner(sources);
        EXPECT_EQ(owner.owner, c.expected.owner) << c.comment;
        EXPECT_EQ(owner.organization, c.expected.organization) << c.comment;
    }
}

TEST(RegisteredOwnerSource, TheSystemSourcesNameTheRunningUser) {
    const RegisteredOwner owner = readRegisteredOwner(systemOwnerSources());
    EXPECT_FALSE(owner.owner.empty());
}

}  // namespace
}  // namespace caici
