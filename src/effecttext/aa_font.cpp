#include "effecttext/aa_font.h"

namespace caici {

TCnAAFont::TCnAAFont(TCanvas* canvas)
    : canvas_(canvas), mask_(std::make_unique<TCnAAMask>(this)), blend_(std::make_unique<TCnAABlend>(this)) {}

TCnAAFont::~TCnAAFont() = default;

QSize TCnAAFont::TextExtent(std::string_view text) { return mask_->TextSize(text); }

TCnAAFontEx::TCnAAFontEx(TCanvas* canvas) : TCnAAFont(canvas), effect_(std::make_unique<TCnAAEffect>()) {}

TCnAAFontEx::~TCnAAFontEx() { effect_.reset(); }

}  // namespace caici
