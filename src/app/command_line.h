#pragma once
// What the game takes on its command line (Qt's own options, such as
// -platform, are taken by Qt before):
//   caici [--remote[=PORT]]
// --remote switches the phone remote on for this run and prints its address.

#include <QStringList>

#include <cstdint>
#include <optional>

namespace caici {

struct RemoteRequest {
    // Exactly this port; the usual one, or any free one, when none is given.
    std::optional<std::uint16_t> port;
};

struct CommandLine {
    std::optional<RemoteRequest> remote;
};

// arguments without the program's name. Throws Error naming what is wrong.
CommandLine parseCommandLine(const QStringList& arguments);

// The one line --remote prints on standard output.
QString remoteAddressLine(const QString& address);

extern const char* const usageText;

}  // namespace caici
