#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "effecttext/aa_effect.h"
#include "effecttext/bounded_file.h"
#include "effecttext/ini_document.h"
#include "effecttext/key_value_store.h"

namespace caici {
namespace {

// As people write settings by hand: a byte-order mark, CR LF line ends,
// comments, a key above the first section, "[General]", Chinese names,
// keys in any case and order, a quoted value, a section named twice.
const std::string kHandWritten =
    "\xEF\xBB\xBF; 标题的效果\r\n"
    "Version=2\r\n"
    "\r\n"
    "[General]\r\n"
    "Shadow = 1\r\n"
    "# 阴影偏移\r\n"
    "shadowoffsetx=-3\r\n"
    "\r\n"
    "[标题]\r\n"
    "GRADUAL=1\r\n"
    "GradualStartColor=0xFFFF\r\n"
    "名字=\"大 字\"\r\n"
    "\r\n"
    "[general]\r\n"
    "Shadow=0\r\n";

std::string readAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll().toStdString();
}

void writeAll(const QString& path, const std::string& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
}

// A file read and written back unchanged keeps every byte.
TEST(IniDocument, KeepsAHandWrittenFileByteForByte) {
    const IniDocument document(kHandWritten);
    EXPECT_EQ(document.Text(), kHandWritten);
    EXPECT_EQ(document.Sections(), (std::vector<std::string>{"General", "标题", "general"}));
    EXPECT_EQ(IniDocument("; c\n[ A ]\nk=1\n[B]\r\n").Sections(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(IniDocument("[A]\nk=1").Text(), "[A]\nk=1");
}

// Names match ignoring case; the first of two sections of one name is read.
TEST(IniDocument, ReadsValuesByNameIgnoringCase) {
    const IniDocument document(kHandWritten);
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"General", "Shadow", "1"},
        {"GENERAL", "ShadowOffsetX", "-3"},
        {"标题", "Gradual", "1"},
        {"标题", "名字", "大 字"},
        {"标题", "Shadow", std::nullopt},
        {"", "version", "2"},
        {"缺少", "Shadow", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(document.Value(c.section, c.key), c.value) << c.section << "/" << c.key;
    }
}

// A value is written where it stands; a new key goes after the last key of
// its section, a new section to the end; nothing else moves.
TEST(IniDocument, WritesValuesInPlace) {
    IniDocument document(kHandWritten);
    document.SetValue("general", "SHADOWOFFSETX", "7");
    document.SetValue("标题", "Blur", "40");
    document.SetValue("新的", "Alpha", "50");
    document.SetValue("General", "Noise", "3\nInjected=1");
    const std::string expected =
        "\xEF\xBB\xBF; 标题的效果\r\n"
        "Version=2\r\n"
        "\r\n"
        "[General]\r\n"
        "Shadow = 1\r\n"
        "# 阴影偏移\r\n"
        "shadowoffsetx=7\r\n"
        "Noise=3 Injected=1\r\n"
        "\r\n"
        "[标题]\r\n"
        "GRADUAL=1\r\n"
        "GradualStartColor=0xFFFF\r\n"
        "名字=\"大 字\"\r\n"
        "Blur=40\r\n"
        "\r\n"
        "[general]\r\n"
        "Shadow=0\r\n"
        "\r\n"
        "[新的]\r\n"
        "Alpha=50\r\n";
    EXPECT_EQ(document.Text(), expected);
}

// Effect settings saved into a hand-written file and loaded back; the file
// keeps its comments and its own keys where they were.
TEST(IniFileStore, RoundTripsEffectSettingsThroughAHandWrittenFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("效果.ini");
    writeAll(path, kHandWritten);
    TCnAAEffect saved;
    saved.SetAngle(-30);
    saved.Shadow().SetEnabled(true);
    saved.Shadow().SetOffsetX(4);
    saved.Gradual().SetStyle(TGradualStyle::gsCenterToTB);
    {
        IniFileStore store(path);
        TCnAAEffect general;
        general.LoadFromIni(store, "General");
        EXPECT_TRUE(general.Shadow().Enabled());
        EXPECT_EQ(general.Shadow().OffsetX(), -3);
        TCnAAEffect title;
        title.LoadFromIni(store, "标题");
        EXPECT_TRUE(title.Gradual().Enabled());
        EXPECT_EQ(title.Gradual().StartColor(), 0xFFFF);
        saved.SaveToIni(store, "General");
        store.Flush();
    }
    const std::string text = readAll(path);
    EXPECT_TRUE(text.starts_with("\xEF\xBB\xBF; 标题的效果\r\nVersion=2\r\n\r\n[General]\r\nShadow = 1\r\n# 阴影偏移\r\n"
                                 "shadowoffsetx=4\r\nAlpha=100\r\n"))
        << text;
    EXPECT_NE(text.find("[标题]\r\nGRADUAL=1\r\nGradualStartColor=0xFFFF\r\n名字=\"大 字\"\r\n\r\n[general]\r\nShadow=0\r\n"),
              std::string::npos)
        << text;
    const IniFileStore reread(path);
    TCnAAEffect loaded;
    loaded.LoadFromIni(reread, "general");
    EXPECT_EQ(loaded.Angle(), -30);
    EXPECT_EQ(loaded.Shadow().OffsetX(), 4);
    EXPECT_EQ(loaded.Gradual().Style(), TGradualStyle::gsCenterToTB);
    EXPECT_EQ(reread.Sections(), (std::vector<std::string>{"General", "标题", "general"}));
}

// Only a regular file of a settings file's size is read: a FIFO would block,
// a device would never end.
TEST(BoundedFile, RefusesWhatIsNotASmallRegularFile) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString large = dir.filePath("large.ini");
    {
        QFile file(large);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(kMaxIniFileBytes + 1));
    }
    const QString small = dir.filePath("small.ini");
    writeAll(small, "[A]\nk=1\n");
    struct Case {
        QString path;
        const char* message;
    };
    const Case cases[] = {
        {fifo, "不是普通文件"},
        {QStringLiteral("/dev/zero"), "不是普通文件"},
        {dir.path(), "不是普通文件"},
        {large, "太大"},
        {dir.filePath("missing.ini"), "无法读取"},
    };
    for (const Case& c : cases) {
        try {
            readRegularFile(c.path, kMaxIniFileBytes);
            ADD_FAILURE() << c.path.toStdString();
        } catch (const Error& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
    EXPECT_THROW(IniFileStore{fifo}, Error);
    EXPECT_EQ(readRegularFile(small, kMaxIniFileBytes), QByteArray("[A]\nk=1\n"));
    // A missing file is an empty store to write to.
    EXPECT_EQ(IniFileStore(dir.filePath("new.ini")).ReadInteger("A", "k", 9), 9);
}

}  // namespace
}  // namespace caici
