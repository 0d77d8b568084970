// Qt's own dialogs speak Japanese whatever the system locale.

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QtTest>

#include "platform/qt_translations.h"

class QtTranslationsTest : public QObject {
    Q_OBJECT

private slots:
    void theColourDialogIsJapaneseUnderAnEnglishLocale() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(velmo::platform::installJapaneseQtTranslations(*QCoreApplication::instance()));
        QColorDialog dialog;
        dialog.setOption(QColorDialog::DontUseNativeDialog);
        const auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QString("キャンセル"));
        QCOMPARE(dialog.windowTitle(), QString("色を選択"));
        QCOMPARE(QLocale().language(), QLocale::Japanese);
        dialog.show();
        dialog.grab().save("/tmp/colour_dialog.png");
    }
};

QTEST_MAIN(QtTranslationsTest)
#include "qt_translations_test.moc"
