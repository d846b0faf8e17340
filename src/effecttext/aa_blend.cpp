#include "effecttext/aa_blend.h"

#include "effecttext/aa_font.h"
#include "effecttext/aa_mask.h"
#include "effecttext/effect_errors.h"

namespace caici {

TCnAABlend::TCnAABlend(TCnAAFont* owner) : owner_(owner), foreBmp_(0, 0, TPixelFormat::pf24bit) {}

TCnAABlend::~TCnAABlend() = default;

void TCnAABlend::CopyFrom(const TPersistent* source) {
    const auto* other = dynamic_cast<const TCnAABlend*>(source);
    if (other == nullptr) {
        TPersistent::CopyFrom(source);
        return;
    }
    foreBmp_.Assign(other->foreBmp_);
}

}  // namespace caici
