#include "SystemColours.h"

#include <QGuiApplication>
#include <QPalette>

namespace qw {

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
    case SysColour::GrayText: return palette.color(QPalette::Disabled, QPalette::Text);
    case SysColour::BtnHighlight: return palette.color(QPalette::Light);
    case SysColour::DarkShadow3D: return palette.color(QPalette::Shadow);
    case SysColour::Light3D: return palette.color(QPalette::Midlight);
    case SysColour::HotLight: return palette.color(QPalette::Link);
    default: return Qt::black;
    }
}

} // namespace qw
