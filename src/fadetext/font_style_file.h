#pragma once
// Font styles written by hand in an INI file, one section per style in file
// order; the section name is the style's name. Keys: "FontName" (face),
// "FontHeight" (character height in pixels), "FontBold" and "FontItalic"
// (0 or 1), "FontColor" (a colour 0x00BBGGRR) and the effect keys that
// TCnAAEffect::SaveToIni writes. A missing key keeps the fresh style's value.

#include <QString>
#include <string>
#include <vector>

#include "fadetext/font_labels.h"
#include "fadetext/markup_tags.h"

namespace caici {

// The section names of an INI text, in the order they appear.
std::vector<std::string> iniSectionNames(const QString& iniText);

// Adds the styles of the file to fonts. Throws caici::Error naming the file
// when it cannot be read, and EDuplicateString when two sections name the
// same style.
void loadFontStyles(const QString& path, TCnFontLabels& fonts);

}  // namespace caici
