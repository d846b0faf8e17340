#pragma once
// Font styles written by hand in an INI file, one section per style in file
// order; the section name is the style's name. Keys: "FontName" (face),
// "FontHeight" (character height in pixels), "FontBold" and "FontItalic"
// (0 or 1), "FontColor" (a colour 0x00BBGGRR) and the effect keys that
// TCnAAEffect::SaveToIni writes. A missing key keeps the fresh style's value.

#include <QString>
#include <cstddef>

#include "fadetext/font_labels.h"

namespace caici {

// Each style is looked for in every line drawn; a file of more styles than
// this is not a style sheet anyone wrote.
inline constexpr std::size_t kMaxFontStylesInFile = 256;

// Adds the styles of the file to fonts. Throws caici::Error naming the file
// when it is missing or cannot be read (see IniFileStore) or holds more than
// kMaxFontStylesInFile sections, and EDuplicateString when two sections name
// the same style.
void loadFontStyles(const QString& path, TCnFontLabels& fonts);

}  // namespace caici
