#include "dialogs/dialog_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace velmo {

namespace {

QString firstInstalled(const QStringList& candidates, const QString& fallback) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : candidates) {
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    }
    return fallback;
}

}  // namespace

QString mappedFontFamily(const QString& windowsFace) {
    if (windowsFace == "ＭＳ ゴシック" || windowsFace == "MS Gothic") {
        return firstInstalled({"IPAGothic", "Noto Sans Mono CJK JP"}, "Monospace");
    }
    if (windowsFace == "ＭＳ Ｐゴシック" || windowsFace == "MS PGothic") {
        return firstInstalled({"IPAPGothic", "Noto Sans CJK JP"}, "Sans Serif");
    }
    return firstInstalled({"IPAPGothic", "Noto Sans CJK JP"}, "Sans Serif");
}

QFont mappedFont(const QString& windowsFace, int pixelSize) {
    QFont font(mappedFontFamily(windowsFace));
    font.setPixelSize(pixelSize);
    if (windowsFace == "ＭＳ ゴシック")
        font.setStyleHint(QFont::Monospace);
    return font;
}

}  // namespace velmo
