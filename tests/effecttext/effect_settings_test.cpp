#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <map>
#include <vector>

#include "effecttext/aa_effect.h"
#include "effecttext/key_value_store.h"

namespace caici {
namespace {

// Records every report that reaches the top of an effect.
struct Reports {
    std::vector<TPersistent*> senders;
    TNotifyEvent callback() {
        return [this](TPersistent* sender) { senders.push_back(sender); };
    }
    int count() const { return static_cast<int>(senders.size()); }
};

// In-memory store that counts what it is asked.
class MemoryStore : public KeyValueStore {
public:
    std::map<std::string, int> values;
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const override {
        const auto it = values.find(section + "/" + key);
        return it == values.end() ? defaultValue : it->second;
    }
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const override {
        return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
    }
    void WriteInteger(const std::string& section, const std::string& key, int value) override {
        values[section + "/" + key] = value;
    }
    void WriteBool(const std::string& section, const std::string& key, bool value) override {
        values[section + "/" + key] = value ? 1 : 0;
    }
};

TEST(EffectSettings, FreshEffectHasTheDocumentedDefaults) {
    const TCnAAEffect effect;
    EXPECT_EQ(effect.Alpha(), 100);
    EXPECT_EQ(effect.Blur(), 0);
    EXPECT_EQ(effect.Angle(), 0);
    EXPECT_EQ(effect.Noise(), 0);
    EXPECT_EQ(effect.Spray(), 0);
    EXPECT_FALSE(effect.Outline() || effect.HorzMirror() || effect.VertMirror());
    EXPECT_FALSE(effect.Shadow().Enabled());
    EXPECT_EQ(effect.Shadow().Blur(), 80);
    EXPECT_EQ(effect.Shadow().Alpha(), 70);
    EXPECT_EQ(effect.Shadow().Color(), 4473924);
    EXPECT_EQ(effect.Shadow().OffsetX(), 2);
    EXPECT_EQ(effect.Shadow().OffsetY(), 2);
    EXPECT_FALSE(effect.Gradual().Enabled());
    EXPECT_EQ(effect.Gradual().Style(), TGradualStyle::gsLeftToRight);
    EXPECT_EQ(effect.Gradual().StartColor(), 16777215);
    EXPECT_EQ(effect.Gradual().EndColor(), 0);
    EXPECT_FALSE(effect.Texture().Enabled());
    EXPECT_EQ(effect.Texture().Mode(), TTextureMode::tmTiled);
    EXPECT_FALSE(effect.Texture().Picture().HasGraphic());
}

// Each case changes something and states how many reports reach the effect's owner.
TEST(EffectSettings, NotificationChainReportsOnlyEffectiveChanges) {
    struct Case {
        const char* name;
        void (*prepare)(TCnAAEffect&);
        void (*change)(TCnAAEffect&);
        int reports;
    };
    const std::vector<Case> cases = {
        {"effect setter", [](TCnAAEffect&) {}, [](TCnAAEffect& e) { e.SetAlpha(50); }, 1},
        {"same value", [](TCnAAEffect&) {}, [](TCnAAEffect& e) { e.SetAlpha(100); }, 0},
        {"every effect property", [](TCnAAEffect&) {},
         [](TCnAAEffect& e) {
             e.SetBlur(1);
             e.SetAngle(2);
             e.SetNoise(3);
             e.SetSpray(4);
             e.SetOutline(true);
             e.SetHorzMirror(true);
             e.SetVertMirror(true);
         },
         7},
        {"disabled shadow colour", [](TCnAAEffect&) {}, [](TCnAAEffect& e) { e.Shadow().SetColor(clRed); }, 0},
        {"enabled shadow colour", [](TCnAAEffect& e) { e.Shadow().SetEnabled(true); },
         [](TCnAAEffect& e) { e.Shadow().SetColor(clRed); }, 1},
        {"shadow switched on", [](TCnAAEffect&) {}, [](TCnAAEffect& e) { e.Shadow().SetEnabled(true); }, 1},
        {"shadow switched off", [](TCnAAEffect& e) { e.Shadow().SetEnabled(true); },
         [](TCnAAEffect& e) { e.Shadow().SetEnabled(false); }, 1},
        {"enabled set again", [](TCnAAEffect& e) { e.Gradual().SetEnabled(true); },
         [](TCnAAEffect& e) { e.Gradual().SetEnabled(true); }, 0},
        {"enabled gradient style", [](TCnAAEffect& e) { e.Gradual().SetEnabled(true); },
         [](TCnAAEffect& e) { e.Gradual().SetStyle(TGradualStyle::gsCenterToTB); }, 1},
        {"disabled texture picture", [](TCnAAEffect&) {},
         [](TCnAAEffect& e) { e.Texture().SetPicture(TPicture()); }, 0},
        {"enabled texture picture, even unchanged", [](TCnAAEffect& e) { e.Texture().SetEnabled(true); },
         [](TCnAAEffect& e) { e.Texture().SetPicture(TPicture()); }, 1},
        {"shadow property set to an equal shadow", [](TCnAAEffect&) {},
         [](TCnAAEffect& e) { e.SetShadow(TCnAAShadow()); }, 1},
        {"copy of an effect", [](TCnAAEffect&) {},
         [](TCnAAEffect& e) {
             TCnAAEffect other;
             other.SetAlpha(10);
             other.Shadow().SetEnabled(true);
             other.Shadow().SetOffsetX(-5);
             e.CopyFrom(&other);
         },
         0},
        {"copy with an enabled texture", [](TCnAAEffect&) {},
         [](TCnAAEffect& e) {
             TCnAAEffect other;
             other.Texture().SetEnabled(true);
             e.CopyFrom(&other);
         },
         1},
    };
    for (const Case& c : cases) {
        Reports reports;
        TCnAAEffect effect;
        c.prepare(effect);
        effect.SetOnChange(reports.callback());
        c.change(effect);
        EXPECT_EQ(reports.count(), c.reports) << c.name;
        for (TPersistent* sender : reports.senders) EXPECT_EQ(sender, &effect) << c.name;
    }
}

TEST(EffectSettings, SubObjectReportsWithItselfAsSender) {
    Reports reports;
    TCnAAShadow shadow(reports.callback());
    shadow.SetEnabled(true);
    shadow.SetAlpha(10);
    ASSERT_EQ(reports.count(), 2);
    EXPECT_EQ(reports.senders[1], &shadow);
}

TEST(EffectSettings, CopyFromCopiesEverySetting) {
    TCnAAEffect source;
    source.SetAlpha(55);
    source.SetBlur(12);
    source.SetAngle(-90);
    source.SetNoise(200);
    source.SetSpray(7);
    source.SetOutline(true);
    source.SetVertMirror(true);
    source.Shadow().SetEnabled(true);
    source.Shadow().SetBlur(0);
    source.Shadow().SetAlpha(33);
    source.Shadow().SetColor(clBlue);
    source.Shadow().SetOffsetX(-5);
    source.Shadow().SetOffsetY(5);
    source.Gradual().SetEnabled(true);
    source.Gradual().SetStyle(TGradualStyle::gsCenterToTB);
    source.Gradual().SetStartColor(65535);
    source.Gradual().SetEndColor(2204408);
    source.Texture().SetMode(TTextureMode::tmCenter);
    QImage graphic(3, 2, QImage::Format_RGB32);
    graphic.fill(Qt::red);
    source.Texture().PictureForUpdate().SetGraphic(graphic);

    TCnAAEffect copy;
    copy.CopyFrom(&source);
    EXPECT_EQ(copy.Alpha(), 55);
    EXPECT_EQ(copy.Blur(), 12);
    EXPECT_EQ(copy.Angle(), -90);
    EXPECT_EQ(copy.Noise(), 200);
    EXPECT_EQ(copy.Spray(), 7);
    EXPECT_TRUE(copy.Outline());
    EXPECT_FALSE(copy.HorzMirror());
    EXPECT_TRUE(copy.VertMirror());
    EXPECT_TRUE(copy.Shadow().Enabled());
    EXPECT_EQ(copy.Shadow().Blur(), 0);
    EXPECT_EQ(copy.Shadow().Alpha(), 33);
    EXPECT_EQ(copy.Shadow().Color(), clBlue);
    EXPECT_EQ(copy.Shadow().OffsetX(), -5);
    EXPECT_EQ(copy.Shadow().OffsetY(), 5);
    EXPECT_TRUE(copy.Gradual().Enabled());
    EXPECT_EQ(copy.Gradual().Style(), TGradualStyle::gsCenterToTB);
    EXPECT_EQ(copy.Gradual().StartColor(), 65535);
    EXPECT_EQ(copy.Gradual().EndColor(), 2204408);
    EXPECT_EQ(copy.Texture().Mode(), TTextureMode::tmCenter);
    EXPECT_EQ(copy.Texture().Picture().Graphic(), graphic);
    // Owned objects are copied into, never shared.
    EXPECT_NE(&copy.Shadow(), &source.Shadow());
}

// Between two different settings classes only what they share is copied.
TEST(EffectSettings, CopyAcrossClassesCopiesTheSharedPart) {
    TCnAAShadow shadow;
    shadow.SetEnabled(true);
    shadow.SetColor(clRed);
    TCnAAGradual gradual;
    gradual.CopyFrom(&shadow);
    EXPECT_TRUE(gradual.Enabled());
    EXPECT_EQ(gradual.StartColor(), clWhite);

    TCnAAEffect effect;
    effect.SetAlpha(10);
    effect.CopyFrom(&shadow);
    EXPECT_EQ(effect.Alpha(), 10);
}

TEST(EffectSettings, CopyFromAForeignSourceIsRefusedAndKeepsValues) {
    struct Foreign : TPersistent {
        const char* ClassName() const override { return "TStrings"; }
    } foreign;
    TCnAAShadow shadow;
    shadow.SetAlpha(12);
    try {
        shadow.CopyFrom(&foreign);
        FAIL() << "no error";
    } catch (const EAssignError& error) {
        EXPECT_STREQ(error.what(), "Cannot assign a TStrings to a TCnAAShadow");
    }
    EXPECT_EQ(shadow.Alpha(), 12);
    TCnAAEffect effect;
    try {
        effect.CopyFrom(nullptr);
        FAIL() << "no error";
    } catch (const EAssignError& error) {
        EXPECT_STREQ(error.what(), "Cannot assign a nil to a TCnAAEffect");
    }
}

TEST(EffectSettings, SaveThenLoadRoundTripsEveryKey) {
    TCnAAEffect source;
    source.SetAlpha(42);
    source.SetBlur(9);
    source.SetNoise(17);
    source.SetSpray(3);
    source.SetAngle(-45);
    source.SetHorzMirror(true);
    source.Shadow().SetEnabled(true);
    source.Shadow().SetOffsetX(-7);
    source.Shadow().SetColor(clBtnFace);
    source.Gradual().SetEnabled(true);
    source.Gradual().SetStyle(TGradualStyle::gsCenterToTB);
    source.Gradual().SetStartColor(65535);
    source.Texture().SetEnabled(true);
    source.Texture().SetMode(TTextureMode::tmNormal);
    MemoryStore store;
    source.SaveToIni(store, "Title1");
    EXPECT_EQ(store.values.size(), 20u);
    EXPECT_EQ(store.values["Title1/ShadowOffsetX"], -7);
    EXPECT_EQ(store.values["Title1/ShadowColor"], clBtnFace);

    Reports reports;
    TCnAAEffect loaded(reports.callback());
    loaded.LoadFromIni(store, "Title1");
    EXPECT_EQ(reports.count(), 0);
    MemoryStore again;
    loaded.SaveToIni(again, "Title1");
    EXPECT_EQ(again.values, store.values);
}

TEST(EffectSettings, LoadKeepsMissingKeysAndResetsOutOfRangeEnumerations) {
    MemoryStore store;
    store.values["S/GradualStyle"] = 9;
    store.values["S/TextureMode"] = 4;
    store.values["S/Alpha"] = 300;  // truncated to a byte, unchecked
    store.values["S/ShadowOffsetY"] = -3;
    TCnAAEffect effect;
    effect.SetBlur(5);
    effect.Gradual().SetStyle(TGradualStyle::gsBottomToTop);
    effect.LoadFromIni(store, "S");
    EXPECT_EQ(effect.Gradual().Style(), TGradualStyle::gsLeftToRight);
    EXPECT_EQ(effect.Texture().Mode(), TTextureMode::tmTiled);
    EXPECT_EQ(effect.Alpha(), 300 & 0xFF);
    EXPECT_EQ(effect.Shadow().OffsetY(), -3);
    EXPECT_EQ(effect.Blur(), 5);
}

TEST(EffectSettings, IniFileStoreReadsWhatItWroteAndHandWrittenForms) {
    QTemporaryDir dir;
    const QString path = dir.filePath("effects.ini");
    {
        IniFileStore store(path);
        TCnAAEffect effect;
        effect.Shadow().SetEnabled(true);
        effect.Shadow().SetOffsetX(5);
        effect.SaveToIni(store, "Title1");
        store.Flush();
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("[Hand]\nShadow=true\nGradualStartColor=0xFFFF\nAlpha=abc\nOutline=1\n");
    file.close();

    const IniFileStore store(path);
    TCnAAEffect effect;
    effect.LoadFromIni(store, "Title1");
    EXPECT_TRUE(effect.Shadow().Enabled());
    EXPECT_EQ(effect.Shadow().OffsetX(), 5);
    TCnAAEffect hand;
    hand.LoadFromIni(store, "Hand");
    EXPECT_TRUE(hand.Shadow().Enabled());
    EXPECT_TRUE(hand.Outline());
    EXPECT_EQ(hand.Gradual().StartColor(), 0xFFFF);
    EXPECT_EQ(hand.Alpha(), 100);
}

}  // namespace
}  // namespace caici
