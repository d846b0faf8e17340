#pragma once
// The game: the word library and its play order, the cue player, the
// countdown setting and the round, behind one object that knows no windows.
// Every input a window, a key, the console or a phone takes is a Command
// handed to perform(); the game says which commands it takes now
// (available(), and the commandsChanged event), and every view shows exactly
// that. Every change reaches the views through GameListener events. Inputs
// never throw: a failure stops the input where it happened and becomes one
// error event. Nothing here runs the event loop: every input runs to its end
// before the next one is taken.
//
// A match of teams is played round by round; after every round the host
// reviews it (MatchSession) before the next one starts. Every round of a
// match, and a single round of a kind other than 描述, begins with the rule
// card (card(), RoundPhase::card); 正确 or 开始 end it at once.
//
// The game is busy while a start (with its load and shuffle) or a load runs;
// a command that arrives from the library's own callbacks meanwhile is
// refused.
//
// 禁词模式 shows every word's forbidden words beside it and offers "犯规" on
// the devices that show buttons. It follows the words in play (on when any
// entry the choice deals has forbidden words) until the host switches it;
// a library opened afresh follows its words again.
//
// The host may choose another library file and a choice of categories and
// points to play; both take effect at the next start, which deals a fresh
// play order of the chosen entries.

#include "common/clock.h"
#include "cues/cue_player.h"
#include "game/commands.h"
#include "game/listener_list.h"
#include "game/match_session.h"
#include "game/round_card.h"
#include "game/round_engine.h"
#include "words/play_order.h"
#include "words/tonight_words.h"
#include "words/word_source.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

namespace caici {

struct GameParts {
    // The folder the cues are found in (the base folder), ending with "/".
    std::string baseFolder;
    std::unique_ptr<WordSource> library;
    std::unique_ptr<AudioLibrary> audio;
    MonotonicClock clock = steadyMilliseconds;
    // What shuffles the play order; the process's own when none is given.
    RandomSource* random = nullptr;
};

class Game {
public:
    static constexpr std::int32_t defaultCountdownSeconds = 90;

    explicit Game(GameParts parts);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // The sound's start-up, once, before any window shows: IncorrectVersion
    // means the program has to end.
    CueStartup startSound(CueStartupMessages& messages);

    void addListener(GameListener& listener) { listeners_.add(listener); }
    void removeListener(GameListener& listener) { listeners_.remove(listener); }

    // The commands taken now.
    CommandSet available() const;
    // Carries out command, or says why not and changes nothing.
    std::optional<Refusal> perform(const Command& command);

    // A new round: loads the library the first time and refills the play
    // order when it runs low, then shows the first word and starts the
    // countdown.
    void start();
    void correct();
    void skip();
    void foul();
    // One second of the countdown.
    void tick();
    // The round's window was closed.
    void close();
    // Holds the round (the countdown stops, the word is hidden) or goes on.
    void setPaused(bool paused);
    void togglePause() { setPaused(!round().paused); }
    // Loads the library anew.
    void load();
    // One sheet of the library as it stands; nothing after a failure.
    std::optional<SheetView> browseSheet(const std::string& sheet);

    // The library file in use (or that the first load will read).
    LibraryFile libraryFile() const { return library_->libraryFile(); }
    // "打开词库…": loads the file at path at once. When it loads, it is the
    // library from now on and the choice of words is everything again (the
    // program hands back the choice it keeps for that library); when it does
    // not, one error event, and the library in play stays.
    void openLibrary(const std::string& path);
    // "编辑词库": the file to open in the spreadsheet program, a copy of a
    // library the user may not write (see WordSource::fileToEdit); nothing
    // after a failure, which is one error event.
    std::optional<std::string> fileToEdit();

    // The loaded library's categories with their entries, in order.
    std::vector<CategoryCount> categories() const { return words_.categories(); }
    // The loaded library's entries per points value.
    std::map<std::int32_t, std::size_t> pointCounts() const { return words_.pointCounts(); }
    // Deals only the chosen entries from the next start on. A choice that
    // leaves no entry of the loaded library is refused with one error event
    // and the choice in force stays. Before the first load it is taken as it
    // is; a start that finds it leaves nothing to deal fails with the same error.
    void choose(const WordChoice& choice);
    const WordChoice& choice() const { return choice_; }
    void play(Cue cue);
    void setSoundOn(bool on);
    // The length of the next rounds' countdown.
    void setCountdownSeconds(std::int32_t seconds) { countdownSeconds_ = seconds; }
    // The kind of the next single rounds (a match's rounds play its passes' kinds).
    void setRoundKind(RoundKind kind) { roundKind_ = kind; }
    RoundKind roundKind() const { return roundKind_; }
    // "跳过上限" of the next rounds; nothing for no cap.
    void setSkipCap(std::optional<std::int32_t> cap) { skipCap_ = cap; }
    std::optional<std::int32_t> skipCap() const { return skipCap_; }
    // "最后十秒提示": a tick in each of a round's last ten seconds.
    void setLastSecondsCue(bool on) { lastSecondsCue_ = on; }
    bool lastSecondsCue() const { return lastSecondsCue_; }
    // The rule card up now, or nothing.
    std::optional<RoundCard> card() const;
    // What a foul costs in the next rounds.
    void setFoulRule(FoulRule rule) { foulRule_ = rule; }
    FoulRule foulRule() const { return foulRule_; }
    // 禁词模式 as the host switched it; the views hear of every change.
    void setForbiddenMode(bool on);
    // A round of the kind 禁词 shows them whatever the switch, from its card
    // until the next round begins or its window closes.
    bool forbiddenMode() const;
    // Whether any entry the choice deals has forbidden words, whatever the switch.
    bool wordsHaveForbidden() const { return wordsHaveForbidden_; }

    // Tonight's words (see words/tonight_words.h): read from shelf, and
    // kept there after every change from now on. A shelf that cannot be read
    // is one warning event: moved aside, or, when even that fails, not
    // written at all (the words then last for this run).
    void openTonightWords(std::unique_ptr<TonightShelf> shelf);
    const std::vector<TonightWord>& tonightWords() const { return tonight_; }
    // Why a change of tonight's words from origin is not taken now: never
    // while a load or a start runs, and from a phone only between rounds, so
    // that the describer's phone never shows a form to the room.
    std::optional<Refusal> tonightRefusal(TonightOrigin origin) const;
    // Adds, replaces (keeping where it came from) or removes a word of
    // tonight's. Kept before it counts: a word that cannot be kept is refused
    // (notSaved) and nothing changes. A change counts from the next start,
    // which deals afresh; a choice of categories gains "今晚" with the first
    // word and loses it with the last (a choice of every category stays so).
    std::optional<TonightRefusal> addTonightWord(const TonightInput& input, TonightOrigin origin);
    std::optional<TonightRefusal> editTonightWord(std::size_t index, const TonightInput& input);
    std::optional<TonightRefusal> removeTonightWord(std::size_t index);

    // Keeps matches in this file (UTF-8 path) from now on.
    void openHistory(const std::string& path);
    // A match of these teams, pass after pass; a problem with the names is
    // one error event and changes nothing.
    void startMatch(const std::vector<std::string>& teams, int passes);
    // A match as set up; a set-up with a problem (team names, or see
    // matchSetupProblem) is one error event and changes nothing.
    void startMatch(const MatchSetup& setup);
    // Takes up the match a previous run left unfinished, or lets it go.
    void resumeMatch();
    void dismissUnfinishedMatch();
    void endMatch();
    // The review of the round that just ended.
    void toggleReviewEntry(std::size_t index);
    void setReviewCounts(bool counts);
    void confirmReview();

    const RoundState& round() const { return round_.state(); }
    bool busy() const { return activity_ != Activity::idle; }
    bool soundOn() const { return !cues_.muted(); }
    std::int32_t countdownSeconds() const { return countdownSeconds_; }
    const WordSource& library() const { return *library_; }
    const WordLists& words() const { return words_; }
    const std::optional<Match>& match() const { return session_.match(); }
    std::optional<Match> unfinishedMatch() const { return session_.unfinishedMatch(); }
    const std::optional<Review>& review() const { return session_.review(); }
    // The team playing the round (or the last one), -1 outside a match.
    int roundTeam() const { return roundTeam_; }
    // The team whose turn the next start begins, -1 outside a match.
    int nextTeam() const { return session_.nextTeam(); }

private:
    enum class Activity { idle, loading, starting };
    class BusyScope;

    template <class Body>
    void guarded(Body&& body) noexcept;
    std::optional<Refusal> refusalOf(const Command& command) const;
    // Tells the views when the commands taken have changed.
    void publishCommands();
    void publishForbiddenMode();
    // Whether the entries the choice deals carry forbidden words.
    void noteForbiddenWords();
    void loadLibrary();
    void refill();
    // Deals only these words, shuffled; none left makes an empty play order.
    void dealOnly(const std::set<std::string>& words);
    // What the next round is played under: a match's round, or a single one.
    RoundRules rulesFor(const std::optional<NextRound>& round) const;
    // Keeps words as tonight's, then plays them; nothing changes when they
    // cannot be kept.
    std::optional<TonightRefusal> changeTonight(std::vector<TonightWord> words);

    ListenerList listeners_;
    std::string baseFolder_;
    std::unique_ptr<WordSource> library_;
    WordLists words_;
    CuePlayer cues_;
    RandomSource& random_;
    RoundEngine round_;
    MatchSession session_;
    int roundTeam_ = -1;
    // The match's round in play (or the last one), nothing outside a match.
    std::optional<NextRound> roundPlan_;
    RoundCard card_;
    std::int32_t countdownSeconds_ = defaultCountdownSeconds;
    FoulRule foulRule_ = FoulRule::asSkip;
    RoundKind roundKind_ = RoundKind::describe;
    std::optional<std::int32_t> skipCap_;
    bool lastSecondsCue_ = true;
    bool wordsHaveForbidden_ = false;
    std::optional<bool> forbiddenChoice_;
    std::optional<bool> publishedForbiddenMode_;
    WordChoice choice_;
    std::vector<TonightWord> tonight_;
    std::unique_ptr<TonightShelf> tonightShelf_;
    // A new library or choice: the next start deals afresh.
    bool refillPending_ = false;
    Activity activity_ = Activity::idle;
    std::optional<CommandSet> published_;
};

}  // namespace caici
