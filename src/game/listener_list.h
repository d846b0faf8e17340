#pragma once
// The game's views, as one listener: each event goes to every view, in the
// order they were added. A view may be added or removed while an event is
// being delivered (a view that opens a modal box runs a nested event loop);
// one removed then gets no further events, one added gets the next event.

#include "game/game_listener.h"

#include <vector>

namespace caici {

class ListenerList : public GameListener {
public:
    void add(GameListener& listener);
    void remove(GameListener& listener);

    void roundStarted() override;
    void cardShown(const RoundCard& card) override;
    void cardTimeChanged(std::int32_t seconds) override;
    void wordShown(const WordEntry& entry) override;
    void scoreChanged(std::int64_t total, std::int32_t gained) override;
    void skipTaken(std::int32_t skips, std::int32_t penalty) override;
    void skipRefused() override;
    void libraryExhausted() override;
    void timeChanged(std::int32_t seconds) override;
    void countdownChanged(bool running) override;
    void pausedChanged(bool paused) override;
    void controlsChanged(bool correct, bool skip) override;
    void commandsChanged(CommandSet available) override;
    void forbiddenModeChanged(bool on) override;
    void roundOver(std::int64_t score, std::int32_t skips) override;
    void roundClosed() override;
    void busyChanged(bool busy) override;
    void soundChanged(bool on) override;
    void libraryChanged() override;
    void tonightChanged() override;
    void matchChanged() override;
    void reviewChanged() override;
    void error(const Problem& problem) override;
    void warning(const Problem& problem) override;

private:
    template <class Event>
    void each(Event&& event);

    std::vector<GameListener*> listeners_;
    int depth_ = 0;
};

}  // namespace caici
