#include "dialogs/options/colour_swatch.h"

#include <QGuiApplication>

#include "dialogs/period_page.h"

namespace velmo {
namespace {

QPalette::ColorRole paletteRoleOf(Colour systemColour) {
    switch (systemColourIndex(systemColour)) {
        case 5:  // window
            return QPalette::Base;
        case 15:  // button face
            return QPalette::Button;
        case 16:  // button shadow
            return QPalette::Dark;
        case 13:  // highlight
            return QPalette::Highlight;
        default:  // window text and the other text colours
            return QPalette::WindowText;
    }
}

}  // namespace

ColourSwatch::ColourSwatch(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setFixedSize(40, 18);
}

void ColourSwatch::setColour(Colour colour) {
    colour_ = colour;
    QPalette shown = palette();
    shown.setColor(QPalette::Window, shownColour());
    setPalette(shown);
}

QColor ColourSwatch::shownColour() const {
    if (!isSystemColour(colour_))
        return qColourOf(colour_);
    return QGuiApplication::palette().color(paletteRoleOf(colour_));
}

}  // namespace velmo
