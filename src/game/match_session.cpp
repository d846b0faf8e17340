#include "game/match_session.h"

#include "game/match_store.h"

#include <utility>

namespace caici {

MatchSession::MatchSession(GameListener& events) : events_(events) {}

MatchSession::~MatchSession() = default;

void MatchSession::openHistory(const std::string& path) {
    try {
        store_ = std::make_unique<MatchStore>(path);
        if (store_->movedAside()) events_.warning(HistoryMovedAside{path, *store_->movedAside()});
    } catch (const EMatchStore& failure) {
        store_.reset();
        events_.warning(failure.fact());
    }
}

std::optional<Match> MatchSession::unfinishedMatch() const {
    return store_ ? store_->unfinishedMatch() : std::nullopt;
}

void MatchSession::resume() {
    std::optional<Match> unfinished = unfinishedMatch();
    if (!unfinished) return;
    review_.reset();
    played_ = store_->playedWords(unfinished->id());
    match_ = std::move(unfinished);
    refill_ = true;
    events_.reviewChanged();
    events_.matchChanged();
}

void MatchSession::dismissUnfinished() {
    if (const auto unfinished = unfinishedMatch()) keepOrDrop([&] { store_->closeMatch(unfinished->id()); });
}

void MatchSession::begin(const std::vector<std::string>& teams, int passes) {
    MatchSetup setup;
    for (std::size_t place = 0; place < teams.size(); ++place) {
        setup.teams.push_back({teams[place], place % teamPaletteSize, {}});
    }
    setup.rules.passes = passes;
    begin(setup, true);
}

void MatchSession::begin(const MatchSetup& setup, bool wordsHaveForbidden) {
    std::vector<std::string> names;
    for (const MatchTeam& team : setup.teams) names.push_back(team.name);
    if (const auto problem = teamNamesProblem(names)) {
        events_.error(*problem);
        return;
    }
    if (const auto problem = matchSetupProblem(setup, wordsHaveForbidden)) {
        events_.error(*problem);
        return;
    }
    settle();
    if (match_) end();
    std::int64_t id = 0;
    keepOrDrop([&] { id = store_->createMatch(setup); });
    match_.emplace(id, setup);
    played_.clear();
    refill_ = true;
    events_.matchChanged();
}

void MatchSession::end() {
    if (!match_) return;
    const std::int64_t id = match_->id();
    keepOrDrop([&] { store_->closeMatch(id); });
    match_.reset();
    played_.clear();
    events_.matchChanged();
}

int MatchSession::nextTeam() const {
    return match_ && !match_->finished() ? match_->nextTeam() : -1;
}

std::optional<NextRound> MatchSession::nextRound() const {
    return match_ ? match_->next() : std::nullopt;
}

std::optional<std::set<std::string>> MatchSession::sameWordsFor(const NextRound& round) const {
    if (!match_ || !match_->rules().sameWords || round.pass < 2) return std::nullopt;
    const std::size_t teams = match_->teams().size();
    std::set<std::string> firstPass;
    std::set<std::string> thisPass;
    std::size_t regular = 0;
    for (const MatchRound& played : match_->rounds()) {
        // Rounds after the regular ones all belong to the pass after the last.
        const int pass = played.stage == MatchStage::regular ? static_cast<int>(regular++ / teams) + 1 : round.pass;
        for (const ReviewEntry& entry : played.entries) {
            if (pass == 1) firstPass.insert(entry.entry.word);
            if (pass == round.pass) thisPass.insert(entry.entry.word);
        }
    }
    for (const std::string& word : thisPass) firstPass.erase(word);
    return firstPass;
}

bool MatchSession::takeRefill() {
    return std::exchange(refill_, false);
}

bool MatchSession::fresh(const std::string& word) const {
    return !match_ || played_.count(word) == 0;
}

void MatchSession::reviewRound(const std::optional<NextRound>& played, std::vector<ReviewEntry> entries,
                               bool closedEarly) {
    if (closedEarly && !played) return;
    const int team = played ? played->team : -1;
    review_.emplace(team, std::move(entries), closedEarly, played && played->doublePoints);
    reviewed_ = played;
    events_.reviewChanged();
}

void MatchSession::toggle(std::size_t index) {
    if (!review_) return;
    review_->toggle(index);
    events_.reviewChanged();
}

void MatchSession::setCounts(bool counts) {
    if (!review_) return;
    review_->setCounts(counts);
    events_.reviewChanged();
}

void MatchSession::confirm() {
    if (!review_) return;
    const Review reviewed = std::move(*review_);
    review_.reset();
    const bool inMatch = match_ && reviewed.team() >= 0;
    if (inMatch) {
        for (const ReviewEntry& entry : reviewed.entries()) played_.insert(entry.entry.word);
        MatchRound round{reviewed.team(), reviewed.total(), reviewed.skips(), reviewed.closedEarly(),
                         reviewed.entries()};
        if (reviewed_) {
            round.stage = reviewed_->stage;
            round.kind = reviewed_->kind;
            round.actor = reviewed_->actor;
        }
        keepOrDrop([&] { store_->commitRound(match_->id(), round, reviewed.counts()); });
        if (reviewed.counts()) match_->add(std::move(round));
        if (match_->finished()) keepOrDrop([&] { store_->closeMatch(match_->id()); });
    }
    events_.reviewChanged();
    if (inMatch) events_.matchChanged();
}

void MatchSession::settle() {
    if (!review_) return;
    if (match_ && review_->team() >= 0) {
        confirm();
    } else {
        review_.reset();
        events_.reviewChanged();
    }
}

void MatchSession::keepOrDrop(const std::function<void()>& write) {
    if (!store_) return;
    try {
        write();
    } catch (const EMatchStore& failure) {
        // Once a write has failed the history is not to be trusted: the
        // match goes on in memory, and the host hears of it once.
        store_.reset();
        events_.warning(failure.fact());
    }
}

}  // namespace caici
