#pragma once
// Hand-written fakes of everything the round engine talks to. Each records
// its state and appends every call to one shared log, so tests can check both
// where things ended up and the order in which the engine did them.

#include "common/random_source.h"
#include "round/round_engine.h"
#include "round/round_ports.h"
#include "words/play_order.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace caici::testing {

using Log = std::vector<std::string>;

class FakeText : public TextDisplay {
public:
    FakeText(std::string name, Log& log, std::string text) : name_(std::move(name)), log_(log), text(std::move(text)) {}
    void setText(const std::string& value) override {
        text = value;
        log_.push_back(name_ + "=" + value);
    }

private:
    std::string name_;
    Log& log_;

public:
    std::string text;
};

class FakeSwitch : public Switch {
public:
    FakeSwitch(std::string name, Log& log, bool enabled) : name_(std::move(name)), log_(log), enabled(enabled) {}
    void setEnabled(bool value) override {
        enabled = value;
        log_.push_back(name_ + (value ? " on" : " off"));
    }

private:
    std::string name_;
    Log& log_;

public:
    bool enabled;
};

class FakeFlash : public FlashLabel {
public:
    FakeFlash(std::string name, Log& log) : name_(std::move(name)), log_(log) {}
    void setText(const std::string& value) override {
        text = value;
        log_.push_back(name_ + "=" + value);
    }
    void show() override {
        visible = true;
        log_.push_back(name_ + " shown");
    }
    void startTimer() override {
        timerRunning = true;
        log_.push_back(name_ + " timer");
    }

private:
    std::string name_;
    Log& log_;

public:
    std::string text = "+1";
    bool visible = false;
    bool timerRunning = false;
};

inline const char* cueName(CueCommand command) {
    switch (command) {
    case CueCommand::yes1: return "yes1";
    case CueCommand::no1: return "no1";
    case CueCommand::N3: return "N3";
    case CueCommand::N4: return "N4";
    }
    return "?";
}

class FakeWorld : public RoundWindow, public WordDisplay, public CueCommands, public CountdownSetting {
public:
    struct EndMessage {
        std::string caption;
        std::string text;
    };

    void showWindow() override {
        visible = true;
        log.push_back("window shown");
    }
    void showEndMessage(const std::string& caption, const std::string& text) override {
        endMessages.push_back({caption, text});
        log.push_back("end message");
    }
    void setLine(const std::string& markup) override {
        wordLine = markup;
        log.push_back("word=" + markup);
    }
    void run(CueCommand command) override { log.push_back(std::string("cue ") + cueName(command)); }
    std::string text() const override { return countdownText; }

    RoundParts parts() {
        return {*this, *this, timeDisplay, scoreDisplay, correctButton, skipButton, skipCaption,
                scoreFlash, penaltyFlash, countdownTimer, *this, *this};
    }

    // The entries logged since index from that begin with prefix.
    Log since(std::size_t from, const std::string& prefix = "") const {
        Log out;
        for (std::size_t i = from; i < log.size(); ++i) {
            if (log[i].rfind(prefix, 0) == 0) out.push_back(log[i]);
        }
        return out;
    }

    Log log;
    bool visible = false;
    std::vector<EndMessage> endMessages;
    std::string wordLine = "<Title1><Center>Velmarin出品";
    std::string countdownText = "90";
    FakeText timeDisplay{"time", log, "000"};
    FakeText scoreDisplay{"score", log, "000"};
    FakeText skipCaption{"caption", log, "跳过"};
    FakeSwitch correctButton{"correct", log, true};
    FakeSwitch skipButton{"skip", log, true};
    FakeSwitch countdownTimer{"countdown", log, false};
    FakeFlash scoreFlash{"scoreFlash", log};
    FakeFlash penaltyFlash{"penaltyFlash", log};
};

// Fills the play order so that the entries are dealt in the given order.
// A shuffle's order depends only on the seed and the library's size, so a
// shuffle of numbered placeholders shows where each row lands; the library
// is then laid out so that the same shuffle lands it in the wanted order.
inline void dealInOrder(WordLists& lists, const std::vector<std::string>& entries) {
    constexpr std::uint64_t kSeed = 1;
    std::vector<std::string> placeholders;
    for (std::size_t row = 0; row < entries.size(); ++row) placeholders.push_back(std::to_string(row));
    lists.replaceLibrary(std::move(placeholders));
    RandomSource probe(kSeed);
    lists.shuffle({}, probe);
    const auto landed = lists.lst2();

    // Deals come from the end of the play order.
    std::vector<std::string> library(entries.size());
    for (std::size_t place = 0; place < landed.size(); ++place) {
        library[std::stoul(landed[place])] = entries[entries.size() - 1 - place];
    }
    lists.replaceLibrary(std::move(library));
    RandomSource same(kSeed);
    lists.shuffle({}, same);
}

// A round engine over fakes, started as the start window starts a game.
class RoundFixture {
public:
    RoundFixture() : engine(world.parts(), lists, [this] { if (onPump) onPump(); }) {}

    void start(const std::string& countdown = "90") {
        world.countdownText = countdown;
        engine.resetForStart();
        engine.startRound();
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) engine.tick();
    }

    FakeWorld world;
    WordLists lists;
    std::function<void()> onPump;
    RoundEngine engine;
};

}  // namespace caici::testing
