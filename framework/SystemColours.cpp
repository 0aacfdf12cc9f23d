#include "SystemColours.h"

#include <QGuiApplication>
#include <QPalette>

namespace qw {

namespace {

// The system's grey text (#6D6D6D in black on white) is much darker than Qt's disabled text
// (#BEBEBE), which the menus still blend toward white: drawn from Qt's, a disabled entry could
// hardly be read. It lies as far from the text toward the window as the system's does, so a
// dark palette gets a grey of its own.
QColor grayText(const QPalette &palette)
{
    constexpr int kTowardWindow = 0x6D; // of 255
    const QColor text = palette.color(QPalette::Text);
    const QColor window = palette.color(QPalette::Base);
    const auto mix = [](int from, int to) { return from + ((to - from) * kTowardWindow + 127) / 255; };
    return QColor(mix(text.red(), window.red()), mix(text.green(), window.green()), mix(text.blue(), window.blue()));
}

} // namespace

QColor GetSysColour(int index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case SysColour::Menu:
    case SysColour::BtnFace: return palette.color(QPalette::Button);
    case SysColour::Window: return palette.color(QPalette::Base);
    case SysColour::WindowText: return palette.color(QPalette::Text);
    case SysColour::MenuText:
    case SysColour::BtnText: return palette.color(QPalette::ButtonText);
    case SysColour::Highlight: return palette.color(QPalette::Highlight);
    case SysColour::HighlightText: return palette.color(QPalette::HighlightedText);
    case SysColour::BtnShadow: return palette.color(QPalette::Dark);
    case SysColour::GrayText: return grayText(palette);
    case SysColour::BtnHighlight: return palette.color(QPalette::Light);
    case SysColour::DarkShadow3D: return palette.color(QPalette::Shadow);
    case SysColour::Light3D: return palette.color(QPalette::Midlight);
    case SysColour::HotLight: return palette.color(QPalette::Link);
    default: return Qt::black;
    }
}

} // namespace qw
