// The application font of a desktop whose own font has no Japanese.

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QtTest>

#include "platform/dialog_fonts.h"

namespace {

bool hasJapanese(const QFont& font) {
    return QFontDatabase::writingSystems(QFontInfo(font).family())
        .contains(QFontDatabase::Japanese);
}

}  // namespace

class ApplicationFontTest : public QObject {
    Q_OBJECT

private slots:
    void desktopFontWithoutJapaneseIsReplacedAtItsSize() {
        QFont latin(QStringLiteral("DejaVu Sans"));
        latin.setPointSizeF(11.5);
        latin.setItalic(true);
        if (hasJapanese(latin))
            QSKIP("DejaVu Sans here has Japanese");
        QApplication::setFont(latin);
        velmo::useJapaneseApplicationFont();
        const QFont used = QApplication::font();
        QVERIFY(hasJapanese(used));
        QCOMPARE(used.family(), velmo::mappedFontFamily("ＭＳ Ｐゴシック"));
        QCOMPARE(used.pointSizeF(), 11.5);
        QVERIFY(used.italic());
    }

    void desktopFontWithJapaneseStays() {
        QFont japanese(velmo::mappedFontFamily("ＭＳ ゴシック"));
        japanese.setPointSize(13);
        QVERIFY(hasJapanese(japanese));
        QApplication::setFont(japanese);
        velmo::useJapaneseApplicationFont();
        QCOMPARE(QApplication::font(), japanese);
    }
};

QTEST_MAIN(ApplicationFontTest)
#include "application_font_test.moc"
