#include "fadetext/line_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "effecttext/render_limits.h"

namespace caici {
namespace {

// Large enough that hinting hardly bends the proportions measured at it.
constexpr int kReferenceHeight = 200;

QSize shadowOffsets(const TCnAAEffect& effect) {
    if (!effect.Shadow().Enabled()) return {0, 0};
    return {std::abs(effect.Shadow().OffsetX()), std::abs(effect.Shadow().OffsetY())};
}

void setCharacterHeight(TCnAAFontEx& renderer, int height) {
    TLogFont font = renderer.Canvas()->Font().LogFont();
    font.Height = -height;
    renderer.Canvas()->Font().SetLogFont(font);
}

}  // namespace

int fitMargin(QSize client) { return std::max(2, std::min(client.width(), client.height()) / 20); }

int fitCap(QSize client) { return std::max(1, client.height() * 3 / 5); }

int fitLine(TCnAAFontEx& renderer, std::string_view text, QSize client, const LineFit& fit) {
    if (renderer.Canvas() == nullptr) return 1;
    const int margin = fitMargin(client);
    const QSize room(client.width() - 2 * margin, client.height() - 2 * margin);
    const QSize offsets = shadowOffsets(renderer.Effect());

    setCharacterHeight(renderer, kReferenceHeight);
    const QSize reference = renderer.TextExtent(text) - offsets;
    double fitting = kMaxCharacterHeight;
    if (reference.width() > 0) {
        fitting = std::min(fitting, double(room.width() - offsets.width()) * kReferenceHeight / reference.width());
    }
    if (reference.height() > 0) {
        fitting = std::min(fitting, double(room.height() - offsets.height()) * kReferenceHeight / reference.height());
    }
    const auto clamped = [](double value) {
        return static_cast<int>(std::clamp(std::floor(value), 1.0, double(kMaxCharacterHeight)));
    };
    // The scale grows a line the cap held back, but never past its room.
    const double fitted = std::min(fitting, double(fitCap(client)));
    int chosen = clamped(std::min(fitting, fitted * fit.scale));
    setCharacterHeight(renderer, chosen);

    // Hinted advances round up at some sizes: shrink until the box fits.
    for (int attempt = 0; attempt < 3 && chosen > 1; ++attempt) {
        const QSize box = renderer.TextExtent(text);
        const double over = std::max(double(box.width()) / std::max(room.width(), 1),
                                     double(box.height()) / std::max(room.height(), 1));
        if (over <= 1.0) break;
        chosen = std::min(chosen - 1, clamped(chosen / over));
        setCharacterHeight(renderer, chosen);
    }
    return chosen;
}

}  // namespace caici
