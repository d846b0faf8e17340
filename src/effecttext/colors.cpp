#include "effecttext/colors.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>
#include <optional>

namespace caici {
namespace {

struct SystemColor {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    TColor fallback;  // the classic light theme, used without a GUI application
};

// Index = the low byte of the system colour value.
std::optional<SystemColor> systemColorEntry(int index) {
    using P = QPalette;
    static constexpr std::array<SystemColor, 25> table{{
        {P::Active, P::Mid, 0xC8C8C8},              // scroll bar
        {P::Active, P::Dark, 0x000000},             // desktop
        {P::Active, P::Highlight, 0xD1B499},        // active caption
        {P::Inactive, P::Midlight, 0xDBCDBF},       // inactive caption
        {P::Active, P::Window, 0xF0F0F0},           // menu
        {P::Active, P::Base, 0xFFFFFF},             // window
        {P::Active, P::Shadow, 0x646464},           // window frame
        {P::Active, P::WindowText, 0x000000},       // menu text
        {P::Active, P::Text, 0x000000},             // window text
        {P::Active, P::HighlightedText, 0x000000},  // caption text
        {P::Active, P::Mid, 0xB4B4B4},              // active border
        {P::Inactive, P::Mid, 0xFCF7F4},            // inactive border
        {P::Active, P::Dark, 0xABABAB},             // application workspace
        {P::Active, P::Highlight, 0xFF9933},        // highlight
        {P::Active, P::HighlightedText, 0xFFFFFF},  // highlight text
        {P::Active, P::Button, 0xF0F0F0},           // button face
        {P::Active, P::Dark, 0xA0A0A0},             // button shadow
        {P::Disabled, P::Text, 0x6D6D6D},           // grey text
        {P::Active, P::ButtonText, 0x000000},       // button text
        {P::Inactive, P::WindowText, 0x544E43},     // inactive caption text
        {P::Active, P::Light, 0xFFFFFF},            // button highlight
        {P::Active, P::Shadow, 0x696969},           // 3D dark shadow
        {P::Active, P::Midlight, 0xE3E3E3},         // 3D light
        {P::Active, P::ToolTipText, 0x000000},      // info text
        {P::Active, P::ToolTipBase, 0xE1FFFF},      // info background
    }};
    if (index < 0 || index >= static_cast<int>(table.size())) return std::nullopt;
    return table[static_cast<std::size_t>(index)];
}

}  // namespace

TColor ColorToRGB(TColor color) {
    if (color >= 0) return color & 0xFFFFFF;
    const auto entry = systemColorEntry(color & 0xFF);
    if (!entry) return clBlack;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return entry->fallback;
    const QColor resolved = QGuiApplication::palette().color(entry->group, entry->role);
    return fromRgb(static_cast<std::uint8_t>(resolved.red()), static_cast<std::uint8_t>(resolved.green()),
                   static_cast<std::uint8_t>(resolved.blue()));
}

Rgb toRgb(TColor color) {
    const TColor value = ColorToRGB(color);
    return {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
            static_cast<std::uint8_t>((value >> 16) & 0xFF)};
}

}  // namespace caici
