#include "game/game.h"

#include "common/error_guard.h"
#include "common/errors.h"
#include "words/word_entry.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace caici {
namespace {

// The rule card's 3-2-1.
constexpr std::int32_t kCardSeconds = 3;

// Stops an input at the point where it must stop, with the game's own fact;
// guarded() turns it into the one error event. Not a std::exception: nothing
// but the game itself is to catch it.
struct Stop {
    Problem problem;
};

// Hands a failure worded elsewhere (the library's loaders, the system) to
// the views.
class ListenerReporter : public ErrorReporter {
public:
    explicit ListenerReporter(GameListener& listener) : listener_(listener) {}
    void reportError(const std::string& text) override { listener_.error(Worded{text}); }

private:
    GameListener& listener_;
};

}  // namespace

// Marks the game busy for its lifetime; the views hear of the change.
class Game::BusyScope {
public:
    BusyScope(Game& game, Activity activity) : game_(game) {
        game_.activity_ = activity;
        game_.listeners_.busyChanged(true);
    }
    ~BusyScope() {
        game_.activity_ = Activity::idle;
        game_.listeners_.busyChanged(false);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Game& game_;
};

Game::Game(GameParts parts)
    : baseFolder_(std::move(parts.baseFolder)),
      library_(std::move(parts.library)),
      cues_(std::move(parts.audio)),
      random_(parts.random ? *parts.random : processRandom()),
      round_(listeners_, words_, cues_, std::move(parts.clock)),
      session_(listeners_) {}

Game::~Game() = default;

template <class Body>
void Game::guarded(Body&& body) noexcept {
    ListenerReporter reporter(listeners_);
    caici::guarded(reporter, [&] {
        try {
            body();
        } catch (const Stop& stop) {
            listeners_.error(stop.problem);
        }
    });
    publishCommands();
    publishForbiddenMode();
}

CommandSet Game::available() const {
    // Exactly what perform() would take: one rule for both.
    CommandSet commands;
    for (std::size_t kind = 0; kind < commandKindCount; ++kind) {
        const Command command{static_cast<CommandKind>(kind)};
        if (!refusalOf(command)) commands.add(command.kind);
    }
    return commands;
}

std::optional<Refusal> Game::refusalOf(const Command& command) const {
    if (busy()) return Refusal::busy;
    const RoundState& state = round();
    const bool running = state.phase == RoundPhase::running;
    // While the rule card counts, 正确 and 开始 both mean "go now": the
    // clicker has the one and the phone the other.
    const bool card = state.phase == RoundPhase::card;
    switch (command.kind) {
        case CommandKind::start:
            // A stray press must not throw away a round in play.
            if (running) return Refusal::roundRunning;
            return std::nullopt;
        case CommandKind::correct:
            if (card) return std::nullopt;
            if (!running) return Refusal::noRound;
            if (state.paused) return Refusal::paused;
            if (!state.correctEnabled) return Refusal::pressOff;
            return std::nullopt;
        case CommandKind::skip:
            if (!running) return Refusal::noRound;
            if (state.paused) return Refusal::paused;
            if (state.skipCapReached) return Refusal::skipCap;
            if (!state.skipEnabled) return Refusal::pressOff;
            return std::nullopt;
        case CommandKind::foul:
            if (!running) return Refusal::noRound;
            if (state.paused) return Refusal::paused;
            // A foul ends the word as a skip does, under the skip's rules,
            // but the skip cap does not let a rule break pass.
            if (state.refusedForTime || (!state.skipEnabled && !state.skipCapReached)) return Refusal::pressOff;
            return std::nullopt;
        case CommandKind::pause:
            if (!running) return Refusal::noRound;
            return std::nullopt;
        case CommandKind::toggleEntry:
        case CommandKind::setCounts:
        case CommandKind::confirm:
            if (!review()) return Refusal::noReview;
            if (command.kind == CommandKind::toggleEntry && command.entry >= review()->entries().size()) {
                return Refusal::noSuchEntry;
            }
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<Refusal> Game::perform(const Command& command) {
    if (const auto refusal = refusalOf(command)) return refusal;
    switch (command.kind) {
        case CommandKind::start: start(); break;
        case CommandKind::correct: correct(); break;
        case CommandKind::skip: skip(); break;
        case CommandKind::foul: foul(); break;
        case CommandKind::pause: togglePause(); break;
        case CommandKind::toggleEntry: toggleReviewEntry(command.entry); break;
        case CommandKind::setCounts: setReviewCounts(command.counts); break;
        case CommandKind::confirm: confirmReview(); break;
    }
    return std::nullopt;
}

void Game::publishForbiddenMode() {
    const bool now = forbiddenMode();
    if (publishedForbiddenMode_ == now) return;
    publishedForbiddenMode_ = now;
    listeners_.forbiddenModeChanged(now);
}

bool Game::forbiddenMode() const {
    const RoundState& state = round();
    const bool roundUp =
        state.phase == RoundPhase::card || state.phase == RoundPhase::running || state.phase == RoundPhase::over;
    if (roundUp && state.rules.kind == RoundKind::forbidden) return true;
    return forbiddenChoice_.value_or(wordsHaveForbidden_);
}

void Game::setForbiddenMode(bool on) {
    guarded([&] { forbiddenChoice_ = on; });
}

void Game::noteForbiddenWords() {
    const std::vector<WordEntry> entries = words_.library();
    wordsHaveForbidden_ = std::any_of(entries.begin(), entries.end(), [this](const WordEntry& entry) {
        return !entry.forbidden.empty() && choice_.admits(entry);
    });
}

void Game::publishCommands() {
    const CommandSet now = available();
    if (published_ == now) return;
    published_ = now;
    listeners_.commandsChanged(now);
}

CueStartup Game::startSound(CueStartupMessages& messages) {
    return cues_.start(baseFolder_, messages);
}

void Game::start() {
    if (busy()) return;
    if (round().phase == RoundPhase::card) {
        guarded([this] { round_.endCard(); });
        return;
    }
    guarded([this] {
        // A review nobody confirmed goes in as it stands; a match played to
        // its end gives way to single rounds.
        session_.settle();
        if (match() && match()->finished()) session_.end();
        const std::optional<NextRound> plan = session_.nextRound();
        const RoundRules rules = rulesFor(plan);
        {
            const BusyScope busy(*this, Activity::starting);
            round_.reset();
            // With a card the start cue waits for the first word.
            if (rules.cardSeconds == 0) cues_.play(Cue::Start);
            // A match's new pass asks for a fresh order; its flag is taken first.
            const bool matchRefill = session_.takeRefill();
            const auto sameWords = plan ? session_.sameWordsFor(*plan) : std::nullopt;
            if (sameWords) {
                dealOnly(*sameWords);
            } else if (matchRefill || words_.needsRefill() || refillPending_) {
                refill();
            }
        }
        roundPlan_ = plan;
        roundTeam_ = plan ? plan->team : -1;
        card_ = RoundCard{rules.kind, roundTeam_, plan ? plan->actor : std::string(),
                          plan ? plan->stage : MatchStage::regular, rules.doublePoints, rules.countdownSeconds};
        round_.begin(rules, card_);
    });
}

RoundRules Game::rulesFor(const std::optional<NextRound>& round) const {
    RoundRules rules;
    rules.countdownSeconds = round && round->shortCountdown ? shortCountdownSeconds(countdownSeconds_) : countdownSeconds_;
    rules.foulRule = foulRule_;
    rules.skipCap = skipCap_;
    rules.lastSecondsCue = lastSecondsCue_;
    rules.kind = round ? round->kind : roundKind_;
    rules.doublePoints = round && round->doublePoints;
    // A plain 描述 round outside a match starts at once, as it always has.
    rules.cardSeconds = round || rules.kind != RoundKind::describe ? kCardSeconds : 0;
    rules.fixedWords = round && session_.sameWordsFor(*round).has_value();
    return rules;
}

void Game::correct() {
    if (busy()) return;
    guarded([this] {
        if (round_.state().phase == RoundPhase::card) {
            round_.endCard();
        } else {
            round_.correct();
        }
    });
}

void Game::skip() {
    if (busy()) return;
    guarded([this] { round_.skip(); });
}

void Game::foul() {
    if (busy()) return;
    guarded([this] { round_.foul(); });
}

void Game::tick() {
    if (busy()) return;
    guarded([this] {
        const bool running = round_.state().phase == RoundPhase::running;
        round_.tick();
        if (running && round_.state().phase == RoundPhase::over) {
            session_.reviewRound(roundPlan_, round_.record(), false);
        }
    });
}

void Game::close() {
    guarded([this] {
        const bool running = round_.state().phase == RoundPhase::running;
        round_.close();
        // Only a match needs a say about a round cut short.
        if (running) session_.reviewRound(roundPlan_, round_.record(), true);
    });
}

void Game::setPaused(bool paused) {
    if (busy()) return;
    guarded([&] { round_.setPaused(paused); });
}

void Game::openHistory(const std::string& path) {
    guarded([&] { session_.openHistory(path); });
}

void Game::startMatch(const std::vector<std::string>& teams, int passes) {
    guarded([&] { session_.begin(teams, passes); });
}

void Game::resumeMatch() {
    guarded([this] { session_.resume(); });
}

void Game::dismissUnfinishedMatch() {
    guarded([this] { session_.dismissUnfinished(); });
}

void Game::endMatch() {
    guarded([this] { session_.end(); });
}

void Game::toggleReviewEntry(std::size_t index) {
    guarded([&] { session_.toggle(index); });
}

void Game::setReviewCounts(bool counts) {
    guarded([&] { session_.setCounts(counts); });
}

void Game::confirmReview() {
    guarded([this] { session_.confirm(); });
}

void Game::load() {
    guarded([this] {
        if (busy()) throw Stop{LibraryBusy{LibraryBusy::Input::load}};
        const BusyScope busy(*this, Activity::loading);
        loadLibrary();
    });
}

void Game::dealOnly(const std::set<std::string>& words) {
    if (!library_->libraryLoaded()) loadLibrary();
    // The words were dealt once in this match: whatever the choice is now.
    words_.shuffle(random_);
    const auto kept = [&words](const WordEntry& entry) { return words.count(entry.word) > 0; };
    const std::vector<WordEntry> order = words_.playOrder();
    if (std::any_of(order.begin(), order.end(), kept)) {
        words_.keepOnly(kept);
    } else {
        // Every word of the pass has been shown: the round shows exhaustion
        // (RoundRules::fixedWords) rather than deal other words.
        while (words_.count() > 0) words_.deal();
    }
    // The next round outside this pass deals from the whole choice again.
    refillPending_ = true;
}

void Game::refill() {
    // A failed load has said why; the round does not start.
    if (!library_->libraryLoaded()) loadLibrary();
    if (!choice_.isEverything() && words_.chosenCount(choice_) == 0) throw Stop{NothingChosen{}};
    words_.shuffle(random_, choice_);
    words_.keepOnly([this](const WordEntry& entry) { return session_.fresh(entry.word); });
    refillPending_ = false;
}

void Game::openLibrary(const std::string& path) {
    guarded([&] {
        if (busy()) throw Stop{LibraryBusy{LibraryBusy::Input::openFile}};
        const BusyScope busy(*this, Activity::loading);
        library_->useFile(path, words_);
        choice_ = WordChoice{};
        forbiddenChoice_.reset();
        noteForbiddenWords();
        refillPending_ = true;
        listeners_.libraryChanged();
        if (const auto warning = library_->loadWarning()) listeners_.warning(Worded{*warning});
    });
}

std::optional<std::string> Game::fileToEdit() {
    std::optional<std::string> file;
    guarded([&] { file = library_->fileToEdit(); });
    return file;
}

void Game::choose(const WordChoice& choice) {
    guarded([&] {
        if (busy()) throw Stop{LibraryBusy{LibraryBusy::Input::choose}};
        // The same choice again keeps the play order where it is.
        if (choice == choice_) return;
        if (library_->libraryLoaded() && !choice.isEverything() && words_.chosenCount(choice) == 0) {
            throw Stop{NothingChosen{}};
        }
        choice_ = choice;
        noteForbiddenWords();
        refillPending_ = true;
    });
}

void Game::loadLibrary() {
    // The sheet list changes with every load, one that fails included.
    try {
        library_->load(words_);
    } catch (...) {
        noteForbiddenWords();
        listeners_.libraryChanged();
        throw;
    }
    noteForbiddenWords();
    listeners_.libraryChanged();
    if (const auto warning = library_->loadWarning()) listeners_.warning(Worded{*warning});
}

std::optional<SheetView> Game::browseSheet(const std::string& sheet) {
    std::optional<SheetView> view;
    guarded([&] {
        if (busy()) throw Stop{LibraryBusy{LibraryBusy::Input::browse}};
        const BusyScope busy(*this, Activity::loading);
        view = library_->browseSheet(sheet);
    });
    return view;
}

void Game::play(Cue cue) {
    cues_.play(cue);
}

void Game::setSoundOn(bool on) {
    if (on) {
        cues_.unmute();
    } else {
        cues_.mute();
    }
    listeners_.soundChanged(on);
}

void Game::openTonightWords(std::unique_ptr<TonightShelf> shelf) {
    guarded([&] {
        TonightKept kept;
        try {
            kept = shelf->read();
        } catch (const Error& unreadable) {
            // Never written over: what the file holds may still be wanted.
            tonightShelf_.reset();
            throw Stop{TonightNotKept{unreadable.what()}};
        }
        tonightShelf_ = std::move(shelf);
        if (kept.aside) listeners_.warning(TonightMovedAside{kept.file, *kept.aside});
        tonight_ = std::move(kept.words);
        // The words of an earlier run come with the host's choice of that
        // run, which already says whether they are dealt.
        words_.setAddedCategory(tonightCategory, tonightEntries(tonight_));
        noteForbiddenWords();
        refillPending_ = true;
        listeners_.tonightChanged();
    });
}

std::optional<Refusal> Game::tonightRefusal(TonightOrigin origin) const {
    if (busy()) return Refusal::busy;
    if (origin == TonightOrigin::phone && round().phase == RoundPhase::running) return Refusal::roundRunning;
    return std::nullopt;
}

std::optional<TonightRefusal> Game::addTonightWord(const TonightInput& input, TonightOrigin origin) {
    if (const auto refusal = tonightRefusal(origin)) return *refusal;
    auto read = readTonightWord(input, origin, tonight_, std::nullopt,
                                [this](std::string_view word) { return words_.ownCategoryOf(word); });
    if (auto* problem = std::get_if<TonightProblem>(&read)) return *problem;
    std::vector<TonightWord> words = tonight_;
    words.push_back(std::get<TonightWord>(std::move(read)));
    return changeTonight(std::move(words));
}

std::optional<TonightRefusal> Game::editTonightWord(std::size_t index, const TonightInput& input) {
    if (const auto refusal = tonightRefusal(TonightOrigin::host)) return *refusal;
    const TonightOrigin origin = index < tonight_.size() ? tonight_[index].origin : TonightOrigin::host;
    auto read = readTonightWord(input, origin, tonight_, index,
                                [this](std::string_view word) { return words_.ownCategoryOf(word); });
    if (auto* problem = std::get_if<TonightProblem>(&read)) return *problem;
    std::vector<TonightWord> words = tonight_;
    words[index] = std::get<TonightWord>(std::move(read));
    return changeTonight(std::move(words));
}

std::optional<TonightRefusal> Game::removeTonightWord(std::size_t index) {
    if (const auto refusal = tonightRefusal(TonightOrigin::host)) return *refusal;
    if (index >= tonight_.size()) {
        TonightProblem missing;
        missing.fault = TonightFault::noSuchWord;
        return missing;
    }
    std::vector<TonightWord> words = tonight_;
    words.erase(words.begin() + static_cast<std::ptrdiff_t>(index));
    return changeTonight(std::move(words));
}

std::optional<TonightRefusal> Game::changeTonight(std::vector<TonightWord> words) {
    if (tonightShelf_) {
        try {
            tonightShelf_->write(words);
        } catch (const Error& failed) {
            TonightProblem notSaved;
            notSaved.fault = TonightFault::notSaved;
            notSaved.item = failed.what();
            return notSaved;
        }
    }
    const bool wasEmpty = tonight_.empty();
    tonight_ = std::move(words);
    words_.setAddedCategory(tonightCategory, tonightEntries(tonight_));
    if (choice_.categories) {
        // A host who chose categories gets tonight's words too, once there
        // are any; taking 今晚 out again is the host's own choice.
        if (wasEmpty && !tonight_.empty()) choice_.categories->insert(tonightCategory);
        const auto categories = words_.categories();
        const bool named = std::any_of(categories.begin(), categories.end(),
                                       [](const CategoryCount& c) { return c.name == tonightCategory; });
        if (!named) choice_.categories->erase(tonightCategory);
        if (choice_.categories->empty()) choice_.categories.reset();
    }
    // A word typed with forbidden words may be the first in play that has any.
    noteForbiddenWords();
    refillPending_ = true;
    listeners_.tonightChanged();
    publishCommands();
    publishForbiddenMode();
    return std::nullopt;
}

std::optional<RoundCard> Game::card() const {
    if (round().phase != RoundPhase::card) return std::nullopt;
    return card_;
}

void Game::startMatch(const MatchSetup& setup) {
    guarded([&] { session_.begin(setup, wordsHaveForbidden_); });
}

}  // namespace caici
