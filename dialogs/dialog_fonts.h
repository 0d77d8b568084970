#pragma once
// The Windows font faces the program names, mapped to the Japanese fonts installed here.

#include <QFont>
#include <QString>

namespace velmo {

// "ＭＳ ゴシック" → a monospaced Japanese font, "ＭＳ Ｐゴシック" → a proportional one
// (IPAGothic / IPAPGothic, then Noto Sans (Mono) CJK JP); other faces → the default sans.
QString mappedFontFamily(const QString& windowsFace);

// A font of the mapped family at a pixel size.
QFont mappedFont(const QString& windowsFace, int pixelSize);

}  // namespace velmo
