#include "game/listener_list.h"

#include <algorithm>

namespace caici {

void ListenerList::add(GameListener& listener) {
    if (std::find(listeners_.begin(), listeners_.end(), &listener) == listeners_.end()) {
        listeners_.push_back(&listener);
    }
}

void ListenerList::remove(GameListener& listener) {
    if (depth_ == 0) {
        std::erase(listeners_, &listener);
    } else {
        std::replace(listeners_.begin(), listeners_.end(), &listener, static_cast<GameListener*>(nullptr));
    }
}

template <class Event>
void ListenerList::each(Event&& event) {
    // By index, and removed entries are only blanked until the outermost
    // delivery ends: the list may change under a listener's feet, and an
    // event may be raised from inside another one's delivery.
    ++depth_;
    const std::size_t count = listeners_.size();
    for (std::size_t at = 0; at < count; ++at) {
        if (GameListener* listener = listeners_[at]) event(*listener);
    }
    if (--depth_ == 0) std::erase(listeners_, nullptr);
}

void ListenerList::roundStarted() {
    each([](GameListener& l) { l.roundStarted(); });
}

void ListenerList::cardShown(const RoundCard& card) {
    each([&](GameListener& l) { l.cardShown(card); });
}

void ListenerList::cardTimeChanged(std::int32_t seconds) {
    each([=](GameListener& l) { l.cardTimeChanged(seconds); });
}
void ListenerList::wordShown(const WordEntry& entry) {
    each([&](GameListener& l) { l.wordShown(entry); });
}
void ListenerList::scoreChanged(std::int64_t total, std::int32_t gained) {
    each([&](GameListener& l) { l.scoreChanged(total, gained); });
}
void ListenerList::skipTaken(std::int32_t skips, std::int32_t penalty) {
    each([&](GameListener& l) { l.skipTaken(skips, penalty); });
}
void ListenerList::skipRefused() {
    each([](GameListener& l) { l.skipRefused(); });
}
void ListenerList::libraryExhausted() {
    each([](GameListener& l) { l.libraryExhausted(); });
}
void ListenerList::timeChanged(std::int32_t seconds) {
    each([&](GameListener& l) { l.timeChanged(seconds); });
}
void ListenerList::countdownChanged(bool running) {
    each([&](GameListener& l) { l.countdownChanged(running); });
}
void ListenerList::pausedChanged(bool paused) {
    each([&](GameListener& l) { l.pausedChanged(paused); });
}
void ListenerList::controlsChanged(bool correct, bool skip) {
    each([&](GameListener& l) { l.controlsChanged(correct, skip); });
}
void ListenerList::forbiddenModeChanged(bool on) {
    each([&](GameListener& l) { l.forbiddenModeChanged(on); });
}

void ListenerList::commandsChanged(CommandSet available) {
    each([&](GameListener& l) { l.commandsChanged(available); });
}
void ListenerList::roundOver(std::int64_t score, std::int32_t skips) {
    each([&](GameListener& l) { l.roundOver(score, skips); });
}
void ListenerList::roundClosed() {
    each([](GameListener& l) { l.roundClosed(); });
}
void ListenerList::busyChanged(bool busy) {
    each([&](GameListener& l) { l.busyChanged(busy); });
}
void ListenerList::soundChanged(bool on) {
    each([&](GameListener& l) { l.soundChanged(on); });
}
void ListenerList::libraryChanged() {
    each([](GameListener& l) { l.libraryChanged(); });
}
void ListenerList::tonightChanged() {
    each([](GameListener& l) { l.tonightChanged(); });
}
void ListenerList::matchChanged() {
    each([](GameListener& l) { l.matchChanged(); });
}
void ListenerList::reviewChanged() {
    each([](GameListener& l) { l.reviewChanged(); });
}
void ListenerList::error(const Problem& problem) {
    each([&](GameListener& l) { l.error(problem); });
}
void ListenerList::warning(const Problem& problem) {
    each([&](GameListener& l) { l.warning(problem); });
}

}  // namespace caici
