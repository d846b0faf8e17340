#pragma once
// The messages between the game and a phone: small JSON objects in text
// frames of at most 4 KB.
//
// Phone to game, one command per message, nothing else in it:
//   {"cmd":"start"}  {"cmd":"correct"}  {"cmd":"skip"}  {"cmd":"foul"}
//   {"cmd":"ping"}
//   {"cmd":"toggle","entry":N}     (N: a word of the review, from 0)
//   {"cmd":"counts","counts":B}    (whether a round closed early counts)
//   {"cmd":"confirm"}              (the review goes into the match)
//   {"cmd":"add","word":W,"points":N,"forbidden":F}
//                                  (a word of tonight's: W and F text, F
//                                  optional, N a whole number)
// Game to phone:
//   {"type":"state", "phase", "line", "word", "points", "forbidden",
//    "seconds", "score", "skips", "correct", "skip", "foul", "start", "busy",
//    "gained", "penalty", "forbiddenMode", "skipCap", "skipReason", "team",
//    "teamColour", "nextTeam", "nextTeamColour", "card", "review",
//    "tonight"}
//      the whole operator's view: see OperatorView. "review" is null or
//      {"lines":[{"word","points","played","verdict","penalty"}],
//       "total", "skips", "closedEarly", "counts"}, verdicts being
//      "correct", "skipped", "missed" or "foul". "forbidden" is the word's
//      forbidden words (an array of texts, empty outside 禁词模式).
//      Colours are "#RRGGBB", or null with their team. "skipCap": "skip" is
//      false because of the round's skip cap, and "skipReason" says so (null
//      otherwise). "card" is null or, while the rule card is up,
//      {"kind","rule","team","teamColour","actor","stage","seconds"}: the
//      kind's name and rule, the team (null outside a match), who acts ("" for
//      nobody named), the stage as the card words it ("" for a regular round)
//      and the count (3, 2, 1).
//   {"type":"error","text":"..."}  a command refused, or a failure the host
//                                  must hear of; nothing changed
//   {"type":"pong"}  the answer to a ping
//   {"type":"tonight","added":B,"text":"..."}
//      the answer to an add, to the phone that sent it only: added, or why not
//   "tonight" in the state: whether the phone may add words now
// A phone that breaks the rules is closed with one of the close codes below
// and a reason the page shows as it is.

#include "remote/operator_view.h"
#include "words/tonight_words.h"

#include <QByteArray>

#include <cstdint>
#include <string>

namespace caici {

enum class PhoneCommandKind { start, correct, skip, foul, toggle, counts, confirm, ping, add };

struct PhoneCommand {
    PhoneCommandKind kind = PhoneCommandKind::ping;
    // The review's word a toggle is for.
    std::int32_t entry = 0;
    // What counts sets.
    bool counts = false;
    // The word an add brings, as typed.
    TonightInput tonight;
};

// Close codes of the private range, so the page can tell why it was closed.
namespace closeCode {
// The address's key is not the current one: the phone must scan again.
constexpr int staleKey = 4403;
// Already as many phones as the remote takes.
constexpr int tooManyPhones = 4409;
// More commands in a second than anyone presses buttons.
constexpr int flood = 4429;
// The remote was switched off.
constexpr int switchedOff = 1001;
}  // namespace closeCode

// Reads one message from a phone. Throws Error with the text to send back
// when it is not one of the commands above, exactly.
PhoneCommand parsePhoneCommand(const QByteArray& message);

QByteArray stateMessage(const OperatorView& view);
QByteArray errorMessage(const std::string& text);
QByteArray pongMessage();
QByteArray tonightAnswerMessage(bool added, const std::string& text);

}  // namespace caici
