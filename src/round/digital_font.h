#pragma once
// The time and score digits are drawn in a seven-segment face. The game folder
// may hold "DS-DIGIB.TTF" (face "DS-Digital"); when that face is still not
// available after registering it, the open-licence DSEG7 Classic Bold shipped
// in the game folder's fonts/ stands in, so the digits never fall back to a
// plain text face. Registrations last for the process and are never removed.

#include <QFont>
#include <QString>

namespace caici {

class DigitalFont {
public:
    // The file names inside the base folder.
    static constexpr const char* preferredFile = "DS-DIGIB.TTF";
    static constexpr const char* preferredFamily = "DS-Digital";
    static constexpr const char* fallbackFile = "fonts/DSEG7Classic-Bold.ttf";

    // Registers the fonts found in baseFolder (which ends with "/") and
    // returns the family to set on the number labels. A missing or unreadable
    // file is not reported; when neither face can be had the preferred family
    // name is returned and the font system substitutes for it.
    static QString registerFor(const QString& baseFolder);

    static bool familyAvailable(const QString& family);

    // The pixel size at which font draws sample no wider than the design
    // gave it in the preferred face at designPixels: the preferred face keeps
    // designPixels, a wider stand-in is scaled down so the layout holds.
    static int pixelSizeFor(const QFont& font, int designPixels, const QString& sample, int designWidth);
};

}  // namespace caici
