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
    if (const auto problem = teamNamesProblem(teams)) {
        events_.error(*problem);
        return;
    }
    settle();
    if (match_) end();
    std::int64_t id = 0;
    keepOrDrop([&] { id = store_->createMatch(teams, passes); });
    match_.emplace(id, teams, passes);
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

bool MatchSession::takeRefill() {
    return std::exchange(refill_, false);
}

bool MatchSession::fresh(const std::string& word) const {
    return !match_ || played_.count(word) == 0;
}

void MatchSession::reviewRound(int team, std::vector<ReviewEntry> entries, bool closedEarly) {
    if (closedEarly && team < 0) return;
    review_.emplace(team, std::move(entries), closedEarly);
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
