#pragma once
// A game over a library of the test's own words, a recording audio library
// and a clock the test sets. Every event the game raises and every cue it
// plays is written, in order, into one log of short texts.

#include "common/errors.h"
#include "common/random_source.h"
#include "game/game.h"
#include "recording_audio.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace caici::testing {

using Log = std::vector<std::string>;

// 词0 worth 1, 词1 worth 2, 词2 worth 3, 词3 worth 1, ...
inline std::vector<WordEntry> numberedWords(int n) {
    std::vector<WordEntry> entries;
    for (int i = 0; i < n; ++i) entries.push_back({"词" + std::to_string(i), i % 3 + 1});
    return entries;
}

// A library whose entries the test writes; a load fails with failure when set.
// An entry without a sheet of its own is in the first sheet. useFile loads the entries files holds for
// a path and fails for any other.
class ScriptedLibrary : public WordSource {
public:
    void load(WordLists& lists) override {
        ++loads;
        if (onLoad) onLoad();
        if (!failure.empty()) throw Error(failure);
        std::vector<WordEntry> placed = entries;
        for (auto& entry : placed) {
            if (entry.sheet.empty() && !sheets.empty()) entry.sheet = sheets.front();
        }
        lists.replaceLibrary(std::move(placed), sheets);
        loaded_ = true;
    }
    LibraryFile libraryFile() const override { return file; }
    void useFile(const std::string& path, WordLists& lists) override {
        const auto found = files.find(path);
        if (found == files.end()) throw Error("无法读取词库文件：" + path + "。");
        entries = found->second;
        load(lists);
        file = LibraryFile{path, LibraryOrigin::chosen, {}};
    }
    std::string fileToEdit() override {
        if (editable.empty()) throw Error("无法编辑词库。");
        return editable;
    }
    bool libraryLoaded() const override { return loaded_; }
    std::optional<std::string> loadWarning() const override { return warning; }
    const std::vector<std::string>& sheetNames() const override { return sheets; }
    SheetView browseSheet(const std::string& sheet) override {
        if (onLoad) onLoad();
        return SheetView{{"名称", "分值"}, {{sheet, "1"}}};
    }

    std::vector<WordEntry> entries;
    std::vector<std::string> sheets{"动物"};
    std::map<std::string, std::vector<WordEntry>> files;
    LibraryFile file{"/游戏/words.xls", LibraryOrigin::base, {}};
    std::string editable;
    std::string failure;
    std::optional<std::string> warning;
    std::function<void()> onLoad;
    int loads = 0;

private:
    bool loaded_ = false;
};

// A problem as the log names it: one worded elsewhere by its text, one of
// the game's own by its fact and data.
inline std::string factOf(const Problem& problem) {
    struct Fact {
        std::string operator()(const Worded& worded) const { return worded.text; }
        std::string operator()(const LibraryBusy& busy) const {
            static const char* const inputs[] = {"load", "open", "browse", "choose"};
            return std::string("busy ") + inputs[static_cast<int>(busy.input)];
        }
        std::string operator()(const NothingChosen&) const { return "nothing chosen"; }
        std::string operator()(const TeamNamesProblem& names) const {
            static const char* const faults[] = {"team count", "empty", "blanks only", "too long", "duplicate"};
            return std::string("team names ") + faults[static_cast<int>(names.fault)] + " " +
                   std::to_string(names.team) + " " + names.name;
        }
        std::string operator()(const MatchSetupProblem& setup) const {
            static const char* const faults[] = {"target score", "forbidden without words", "player empty",
                                                 "player too long", "player duplicate", "too many players"};
            return std::string("match setup ") + faults[static_cast<int>(setup.fault)] + " " +
                   std::to_string(setup.team) + " " + std::to_string(setup.player) + " " + setup.name;
        }
        std::string operator()(const HistoryMovedAside& moved) const { return "history moved to " + moved.aside; }
        std::string operator()(const HistoryNotKept& notKept) const {
            return "history not kept in " + notKept.path + ": " + notKept.reason;
        }
        std::string operator()(const TonightMovedAside& moved) const { return "tonight moved to " + moved.aside; }
        std::string operator()(const TonightNotKept& notKept) const { return "tonight not kept: " + notKept.reason; }
    };
    return std::visit(Fact{}, problem);
}

class EventLog : public GameListener {
public:
    void roundStarted() override { add("started"); }
    void cardShown(const RoundCard& card) override {
        add("card " + std::to_string(static_cast<int>(card.kind)) + " team " + std::to_string(card.team) + " " +
            card.actor + (card.doublePoints ? " double" : ""));
    }
    void cardTimeChanged(std::int32_t seconds) override { add("card time " + std::to_string(seconds)); }
    void wordShown(const WordEntry& entry) override { add("word " + entry.word + " " + std::to_string(entry.points)); }
    void scoreChanged(std::int64_t total, std::int32_t gained) override {
        add("score " + std::to_string(total) + " +" + std::to_string(gained));
    }
    void skipTaken(std::int32_t skips, std::int32_t penalty) override {
        add("skip " + std::to_string(skips) + " -" + std::to_string(penalty));
    }
    void skipRefused() override { add("skip refused"); }
    void libraryExhausted() override { add("exhausted"); }
    void timeChanged(std::int32_t seconds) override { add("time " + std::to_string(seconds)); }
    void countdownChanged(bool running) override { add(running ? "countdown on" : "countdown off"); }
    void pausedChanged(bool paused) override { add(paused ? "paused" : "going on"); }
    void controlsChanged(bool correct, bool skip) override {
        add(std::string("controls ") + (correct ? "on" : "off") + " " + (skip ? "on" : "off"));
    }
    void roundOver(std::int64_t score, std::int32_t skips) override {
        add("over " + std::to_string(score) + " " + std::to_string(skips));
    }
    void roundClosed() override { add("closed"); }
    void busyChanged(bool busy) override { add(busy ? "busy" : "idle"); }
    void soundChanged(bool on) override { add(on ? "sound on" : "sound off"); }
    void libraryChanged() override { add("library"); }
    void tonightChanged() override { add("tonight"); }
    void error(const Problem& problem) override { add("error " + factOf(problem)); }
    void warning(const Problem& problem) override { add("warning " + factOf(problem)); }

    void add(std::string entry) { entries.push_back(std::move(entry)); }
    // The entries since index from that begin with prefix.
    Log since(std::size_t from, const std::string& prefix = "") const {
        Log out;
        for (std::size_t i = from; i < entries.size(); ++i) {
            if (entries[i].rfind(prefix, 0) == 0) out.push_back(entries[i]);
        }
        return out;
    }

    Log entries;
};

// The cue a sound file plays, as the log names it.
inline std::string cueName(const std::string& file) {
    const std::pair<const char*, const char*> names[] = {
        {"主界面.mp3", "main"}, {"鼠标放上.mp3", "hover"}, {"开始.mp3", "start"}, {"yes.mp3", "yes"},
        {"no.mp3", "no"},       {"结束.mp3", "end"},       {"得分.mp3", "score"},  {"倒数.mp3", "tick"}};
    for (const auto& [name, cue] : names) {
        if (file == name) return cue;
    }
    return file;
}

class GameFixture {
public:
    GameFixture() {
        auto library = std::make_unique<ScriptedLibrary>();
        library_ = library.get();
        audio->onPlay = [this](const std::string& file) { log.add("cue " + cueName(file)); };
        game = std::make_unique<Game>(GameParts{gameFolderPath(), std::move(library),
                                                std::make_unique<RecordingAudio>(audio), [this] { return now; },
                                                &random});
        game->startSound(messages);
        game->addListener(log);
    }

    ScriptedLibrary& library() { return *library_; }

    // Makes every start deal exactly these entries, in this order: the
    // library is laid out so that the shuffle of the fixed seed, which every
    // start begins from, puts them there.
    void dealInOrder(const std::vector<WordEntry>& entries) {
        WordLists probe;
        std::vector<WordEntry> placeholders;
        for (std::uint32_t row = 0; row < entries.size(); ++row) placeholders.push_back({{}, 1, {}, row});
        probe.replaceLibrary(std::move(placeholders));
        RandomSource seeded(dealSeed);
        probe.shuffle(seeded);
        const auto landed = probe.playOrder();
        // Deals come from the end of the play order.
        std::vector<WordEntry> library(entries.size());
        for (std::size_t place = 0; place < landed.size(); ++place) {
            library[landed[place].row] = entries[entries.size() - 1 - place];
        }
        library_->entries = std::move(library);
        random.setSeed(dealSeed);
        if (library_->libraryLoaded()) game->load();
    }

    // Starts a round with the given countdown, as the start label does, cuts
    // a rule card short as a second press does, and lets the press guard run
    // out.
    void start(std::int32_t countdown = 90) {
        game->setCountdownSeconds(countdown);
        random.setSeed(dealSeed);
        game->start();
        if (game->round().phase == RoundPhase::card) game->start();
        later();
    }
    // Time passes, more than a press needs to count.
    void later() { now += std::chrono::milliseconds(1000); }
    void correct() {
        game->correct();
        later();
    }
    void skip() {
        game->skip();
        later();
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) game->tick();
    }
    const RoundState& round() const { return game->round(); }

    std::shared_ptr<AudioLog> audio = std::make_shared<AudioLog>();
    RecordingStartupMessages messages;
    static constexpr std::uint64_t dealSeed = 1;
    RandomSource random{dealSeed};
    std::chrono::milliseconds now{1'000'000};
    EventLog log;
    std::unique_ptr<Game> game;

private:
    ScriptedLibrary* library_ = nullptr;
};

}  // namespace caici::testing
