#pragma once
// What a host may give as the event's brand (see event_brand.h): a name of at
// most 40 characters, and a logo file that is taken only for what it holds,
// whatever its name says: a PNG or a JPEG picture of at most 20 MB that
// decodes. The rules dialog checks a file before it keeps it; the settings
// check it again at every read, since the file may have changed since.

#include <QImage>
#include <QString>

#include <cstdint>
#include <optional>

namespace caici {

// In characters as the host sees them (Unicode code points).
inline constexpr std::size_t maxEventNameLength = 40;
inline constexpr std::int64_t maxEventLogoBytes = std::int64_t{20} * 1024 * 1024;
// A logo is shown small (a corner of the big screen, the podium, the
// exported picture): a larger picture is decoded at this longer side, which
// keeps a camera's photo from holding a hundred megabytes.
inline constexpr int maxEventLogoSide = 1024;

// The name as far as it can go.
QString clippedEventName(const QString& name);

enum class LogoFault : std::uint8_t {
    unreadable,  // not there, or not a file the user may read
    tooLarge,    // over maxEventLogoBytes
    notPicture,  // neither a PNG nor a JPEG, or one that does not decode
};

struct LogoReading {
    // Null when there is a fault.
    QImage logo;
    std::optional<LogoFault> fault;
};

LogoReading readEventLogo(const QString& path);

}  // namespace caici
