// Tonight's words in their file: what was saved is there at the next start,
// whatever happened to a later save, and a file that cannot be read is kept
// aside rather than written over.

#include "tonight/tonight_file.h"

#include "common/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace caici {
namespace {

const std::vector<TonightWord> kSaved{
    {"老板的口头禅", 3, {"老板", "开会"}, TonightOrigin::host},
    {"<Title1>", 1, {}, TonightOrigin::phone},
    {"年会", 2, {"晚会", "抽奖", "公司"}, TonightOrigin::phone},
};

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void putFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class TonightFileTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("data/tonight.json"));
};

// The words, their forbidden words and the phone's mark come back at the next
// start; no file yet is no words.
TEST_F(TonightFileTest, WordsAreKeptAcrossARestart) {
    EXPECT_TRUE(TonightFile(path).read().words.empty());
    TonightFile(path).write(kSaved);
    const TonightKept kept = TonightFile(path).read();
    EXPECT_EQ(kept.words, kSaved);
    EXPECT_FALSE(kept.aside);
}

// A save cut short leaves the words saved before it: what a kill during the
// write leaves beside the file is not read, and a process killed while it
// saves over and over leaves one whole list or the other, never a damaged file.
TEST_F(TonightFileTest, ASaveCutShortKeepsWhatWasSaved) {
    TonightFile(path).write(kSaved);
    const QByteArray before = contentsOf(path);
    putFile(path + QStringLiteral(".aB3xYz"), before.left(before.size() / 2));
    EXPECT_EQ(TonightFile(path).read().words, kSaved);

    std::vector<TonightWord> many;
    for (std::size_t i = 0; i < maxTonightWords; ++i) {
        many.push_back({"词" + std::to_string(i), 2, {"甲", "乙", "丙"}, TonightOrigin::phone});
    }
    const pid_t saver = fork();
    ASSERT_NE(saver, -1);
    if (saver == 0) {
        for (bool flip = false;; flip = !flip) TonightFile(path).write(flip ? kSaved : many);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_EQ(kill(saver, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(saver, &status, 0), saver);
    ASSERT_TRUE(WIFSIGNALED(status));

    const TonightKept kept = TonightFile(path).read();
    EXPECT_FALSE(kept.aside);
    EXPECT_TRUE(kept.words == kSaved || kept.words == many) << kept.words.size();
}

// A file that is not tonight's words (cut short by a crash of the disk,
// edited by hand) is moved aside whole, and tonight's words start empty.
TEST_F(TonightFileTest, ADamagedFileIsMovedAside) {
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"cut short", R"({"format":"caici-tonight","version":1,"words":[{"word":"年)"},
        {"not ours", R"({"words":[]})"},
        {"points out of range", R"({"format":"caici-tonight","version":1,"words":[)"
                                R"({"word":"年会","points":9,"forbidden":[],"phone":false}]})"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        putFile(path, c.bytes);
        const TonightKept kept = TonightFile(path).read();
        EXPECT_TRUE(kept.words.empty()) << c.name;
        ASSERT_TRUE(kept.aside) << c.name;
        EXPECT_FALSE(QFile::exists(path)) << c.name;
        EXPECT_EQ(contentsOf(QString::fromStdString(*kept.aside)), c.bytes) << c.name;
        QFile::remove(QString::fromStdString(*kept.aside));
    }
}

}  // namespace
}  // namespace caici
