#pragma once
// A small box filled with a colour of the options. System colours (clWindowText and
// the like) show as the desktop palette's colour of the same role.

#include <QFrame>

#include "store/colour_text.h"

namespace velmo {

class ColourSwatch : public QFrame {
    Q_OBJECT

public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    Colour colour() const { return colour_; }
    void setColour(Colour colour);
    // What the swatch shows for the colour.
    QColor shownColour() const;

private:
    Colour colour_ = 0;
};

}  // namespace velmo
