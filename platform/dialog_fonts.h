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

// Every text the program shows is Japanese. When the desktop's font has no Japanese (a
// desktop set up for another language), every character of every widget would come from
// a fallback font found one by one, which shows in mixed shapes and slows the start;
// the widgets then use the mapped "ＭＳ Ｐゴシック" at the desktop font's size. A desktop
// font that has Japanese is left as it is. Call once the application exists.
void useJapaneseApplicationFont();

}  // namespace velmo
