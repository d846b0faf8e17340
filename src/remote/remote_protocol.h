#pragma once
// The messages between the game and a phone: small JSON objects in text
// frames of at most 4 KB.
//
// Phone to game, one command per message, nothing else in it:
//   {"cmd":"start"}  {"cmd":"correct"}  {"cmd":"skip"}  {"cmd":"ping"}
//   {"cmd":"toggle","entry":N}   (N: a line of the review, from 0)
//   {"cmd":"confirm"}            (commit the review)
// Game to phone:
//   {"type":"state", ...}  the whole operator's view (see stateMessage)
//   {"type":"error","text":"..."}  a command refused, or a failure the host
//                                  must hear of; nothing changed
//   {"type":"pong"}  the answer to a ping
// A phone that breaks the rules is closed with one of the close codes below
// and a reason the page shows as it is.

#include "remote/operator_view.h"

#include <QByteArray>

#include <cstdint>
#include <string>

namespace caici {

enum class PhoneCommandKind { start, correct, skip, toggle, confirm, ping };

struct PhoneCommand {
    PhoneCommandKind kind = PhoneCommandKind::ping;
    // The review line a toggle is for.
    std::int32_t entry = 0;
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

}  // namespace caici
