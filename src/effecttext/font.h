#pragma once
// A font as the effect text uses it: face name, height in pixels (negative:
// character height, the em size; positive: cell height, ascent plus descent),
// size in points at 96 dots per inch, colour, style set, character set, and
// the rest of the logical description the renderer scales and rotates (width,
// escapement in tenths of a degree, weight, smoothing). A value object with an
// optional change callback, so that a font style can report to its owner.

#include <QFont>
#include <cstdint>
#include <functional>
#include <string>

#include "effecttext/colors.h"

namespace caici {

enum class TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
        for (const auto style : styles) bits_ |= bit(style);
    }
    constexpr bool Contains(TFontStyle style) const { return (bits_ & bit(style)) != 0; }
    constexpr TFontStyles with(TFontStyle style, bool on) const {
        TFontStyles result = *this;
        result.bits_ = on ? (bits_ | bit(style)) : (bits_ & ~bit(style));
        return result;
    }
    friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

private:
    static constexpr std::uint8_t bit(TFontStyle style) { return static_cast<std::uint8_t>(1u << static_cast<unsigned>(style)); }
    std::uint8_t bits_ = 0;
};

using TFontCharset = std::uint8_t;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;
inline constexpr TFontCharset GB2312_CHARSET = 134;

inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_BOLD = 700;

// How glyph edges are drawn: the mask asks for hard edges, samples 0 or 255.
enum class TFontQuality : std::uint8_t { fqDefault, fqNonAntialiased, fqAntialiased };

struct TLogFont {
    int Height = 0;      // pixels; negative = character height, 0 = default
    int Width = 0;       // average character width in pixels; 0 = the face's own
    int Escapement = 0;  // tenths of a degree, counter-clockwise
    int Weight = FW_NORMAL;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    TFontCharset CharSet = DEFAULT_CHARSET;
    TFontQuality Quality = TFontQuality::fqDefault;
    std::string FaceName;  // UTF-8
    friend bool operator==(const TLogFont&, const TLogFont&) = default;
};

// Windows' MulDiv: a * b / c in 64 bits, rounded to nearest, halves away from zero.
int mulDiv(int a, int b, int c);

class TFont {
public:
    using ChangeEvent = std::function<void()>;
    static constexpr int PixelsPerInch = 96;

    // The platform default: Tahoma, 8 points (height -11), window text colour.
    TFont();
    // Copies the values, not the callback.
    TFont(const TFont& other);
    TFont& operator=(const TFont&) = delete;

    void SetOnChange(ChangeEvent onChange) { onChange_ = std::move(onChange); }
    // Copies every value of the source and reports once.
    void Assign(const TFont& source);

    const std::string& Name() const { return log_.FaceName; }
    void SetName(const std::string& value);
    int Height() const { return log_.Height; }
    void SetHeight(int value);
    // Size = -MulDiv(Height, 72, 96); setting it sets Height = -MulDiv(Size, 96, 72).
    int Size() const;
    void SetSize(int points);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TFontStyles Style() const;
    void SetStyle(TFontStyles value);
    void SetCharset(TFontCharset value);

    // The logical description (colour is not part of it).
    const TLogFont& LogFont() const { return log_; }
    void SetLogFont(const TLogFont& value);

    // The Qt font for the description, faces substituted; escapement is not
    // part of a QFont and is applied by whoever draws.
    QFont ToQFont() const;

    bool SameAs(const TFont& other) const { return log_ == other.log_ && color_ == other.color_; }

private:
    void changed() const;

    TLogFont log_;
    TColor color_;
    ChangeEvent onChange_;
};

// Maps a logical description to a QFont: character heights through
// setPixelSize, cell heights converted to the equivalent character height,
// widths through the stretch factor, Windows faces through substitutions.
QFont toQFont(const TLogFont& log);

// Registers the substitutions of the Windows faces (微软雅黑, 黑体, 楷体_GB2312,
// 隶书, their Latin names, Tahoma, Calibri ...) to installed faces; safe to
// call more than once.
void installFaceSubstitutions();

}  // namespace caici
