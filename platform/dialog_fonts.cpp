#include "platform/dialog_fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace velmo {

namespace {

bool hasJapanese(const QString& family) {
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
}

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

void useJapaneseApplicationFont() {
    QFont font = QApplication::font();
    if (hasJapanese(QFontInfo(font).family()))
        return;
    const QString japanese = mappedFontFamily("ＭＳ Ｐゴシック");
    if (!hasJapanese(japanese))
        return;  // none installed: the fallback is all there is
    font.setFamily(japanese);
    QApplication::setFont(font);
}

}  // namespace velmo
