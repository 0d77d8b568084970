// velmo-tool render, run as a process on the sample start folder: the picture's size and
// what it shows of the folder's settings, months, periods, holidays and special days.

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {

// velmo-tool is built next to the desktop program, in the build tree's cli folder.
QString toolPath() {
    return QFileInfo(QStringLiteral(VELMO_EXE_PATH)).dir().absoluteFilePath("../cli/velmo-tool");
}

// From the source tree's root: __FILE__ may be relative to the build folder (ccache's
// base_dir rewrites it), which is not where ctest runs the test.
QString sampleHome() {
    return QStringLiteral(VELMO_SOURCE_DIR "/tests/data/sample_home");
}

void copyFolder(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + "/" + QDir(from).relativeFilePath(source);
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else
            QFile::copy(source, target);
    }
}

// Every file below a folder with its size and modification time.
QStringList listing(const QString& folder) {
    QStringList entries;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        entries << it.filePath() + " " + QString::number(it.fileInfo().size()) + " " +
                       it.fileInfo().lastModified().toString(Qt::ISODateWithMs);
    }
    entries.sort();
    return entries;
}

struct Run {
    int exitCode = -1;
    QString errors;
};

Run render(const QString& startFolder, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("VELMO_HOME");
    process.setProcessEnvironment(environment);
    process.start(toolPath(), QStringList{"--start-folder", startFolder, "render"} + arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

int countWhere(const QImage& image, const QRect& area, const std::function<bool(QColor)>& test) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

bool reddish(QColor c) {
    return c.red() > c.green() + 60 && c.red() > c.blue() + 60;
}
bool greenish(QColor c) {
    return c.green() > c.red() + 40 && c.green() > c.blue() + 40;
}
bool notWhite(QColor c) {
    return c != QColor(255, 255, 255);
}

// The sample's row layout "５行": columns 128 wide, a 24-pixel header, rows 95 high, a
// 22-pixel date band and line positions 14 apart for 12-pixel text.
QRect cellOf(int index) {
    return QRect(index % 7 * 128, 24 + index / 7 * 95, 128, 95);
}
// September 2024 starts in the first row's last column (25 August top left).
QRect septemberCell(int day) {
    return cellOf(day + 6);
}
QRect nameBand(const QRect& cell) {
    return QRect(cell.left() + 32, cell.top(), cell.width() - 2 - 32, 22);
}
QRect numberBand(const QRect& cell) {
    return QRect(cell.left(), cell.top(), 32, 23);
}

}  // namespace

class RenderCommandTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(QFileInfo(toolPath()).isExecutable(), qPrintable(toolPath() + " is not built"));
        QVERIFY(QFileInfo(sampleHome() + "/Hday.dat").exists());
    }

    void drawsTheSampleFolderAsTheMainWindowWould() {
        QTemporaryDir temp;
        const QString home = temp.filePath("home");
        copyFolder(sampleHome(), home);
        const QStringList before = listing(home);
        const QString out = temp.filePath("september.png");
        const Run run = render(home, {"202409", "--today", "2024-09-10", "--rokuyo", "--out", out});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        QCOMPARE(listing(home), before);

        const QImage image(out);
        QCOMPARE(image.size(), QSize(899, 597));
        // Today.
        const QRect today = septemberCell(10);
        QCOMPARE(image.pixelColor(today.right() - 4, today.bottom() - 4), QColor(0xD5, 0xFF, 0xD0));
        // The start folder's Hday.dat: 16 September is 敬老の日, drawn in the holiday font.
        QVERIFY(countWhere(image, numberBand(septemberCell(16)), reddish) > 20);
        QCOMPARE(countWhere(image, numberBand(septemberCell(17)), reddish), 0);
        // The common data folder's Sday.myc: 創立記念日 on the 10th in the special-day colour.
        QVERIFY(countWhere(image, nameBand(today), greenish) > 20);
        // --rokuyo: a day without names still shows its rokuyo.
        QVERIFY(countWhere(image, nameBand(septemberCell(4)), notWhite) > 20);
        // The period file: 研修期間 (11th to 19th, $00008000, three pixels) in line
        // position 1, under 展示会 in position 0.
        const QRect sixteenth = septemberCell(16);
        const int y = sixteenth.top() + 22 + 14 + 14 - 12 + 6 - 1;
        for (int dy : {-1, 0, 1})
            QCOMPARE(image.pixelColor(sixteenth.left() + 60, y + dy), QColor(0, 128, 0));
        QCOMPARE(image.pixelColor(sixteenth.left() + 60, y + 2), QColor(255, 255, 255));
        // Torka.ini: cbBold greys neighbour days 0x999999; cbTukiMemo puts the month memo
        // into the last row from the fourth column on.
        QVERIFY(countWhere(image, numberBand(cellOf(1)),
                           [](QColor c) { return c == QColor(0x99, 0x99, 0x99); }) > 0);
        const QRect memo(3 * 128, 24 + 5 * 95, 899 - 3 * 128, 95);
        QVERIFY(countWhere(image, QRect(memo.left() + 6, memo.top(), 200, 40), notWhite) > 50);
        QCOMPARE(image.pixelColor(5 * 128 - 1, memo.top() + 60), QColor(255, 255, 255));
        QCOMPARE(image.pixelColor(3 * 128 - 1, memo.top() + 60), QColor(192, 192, 192));
    }

    void rokuyoFollowsTheSettingsWithoutTheOption() {
        QTemporaryDir temp;
        const QString out = temp.filePath("plain.png");
        const Run run = render(sampleHome(), {"202409", "--today=2024-09-10", "--out=" + out});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        const QImage image(out);
        QCOMPARE(countWhere(image, nameBand(septemberCell(4)), notWhite), 0);
        QVERIFY(countWhere(image, nameBand(septemberCell(10)), greenish) > 20);
    }

    void sizeAndAnEmptyStartFolder() {
        QTemporaryDir temp;
        const QString home = temp.filePath("empty");
        QDir().mkpath(home);
        const QString out = temp.filePath("sized.png");
        const Run run =
            render(home, {"202402", "--out", out, "--size", "1000x700", "--today", "2024-02-29"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        const QImage image(out);
        QCOMPARE(image.size(), QSize(1000, 700));
        // 29 February 2024, a Thursday, in the fifth week row (28 January top left).
        const QRect leapDay = cellOf(32);
        QCOMPARE(image.pixelColor(leapDay.right() - 4, leapDay.bottom() - 4),
                 QColor(0xD5, 0xFF, 0xD0));
        // The new folder was seeded as the program seeds it, and nothing else was written
        // into it, not even an empty period file.
        QStringList names;
        for (const QString& entry : listing(home))
            names << QDir(home).relativeFilePath(entry.section(' ', 0, 0));
        QCOMPARE(names, QStringList({"CaSima.dat", "Data", "Data/Files1", "Hday.dat", "ReadMe.txt",
                                     "localfol.myc"}));
    }

    void refusals() {
        QTemporaryDir temp;
        const QString out = temp.filePath("x.png");
        QCOMPARE(render(sampleHome(), {"202409"}).exitCode, 2);
        QCOMPARE(render(sampleHome(), {"--out", out}).exitCode, 2);
        QCOMPARE(render(sampleHome(), {"202413", "--out", out}).exitCode, 2);
        QCOMPARE(render(sampleHome(), {"202409", "--out", out, "--today", "2024-02-30"}).exitCode,
                 2);
        QCOMPARE(render(sampleHome(), {"202409", "--out", out, "--size", "0x10"}).exitCode, 2);
        QCOMPARE(render(sampleHome(), {"202409", "--out", out, "--colour"}).exitCode, 2);
        QVERIFY(!QFileInfo::exists(out));
        const Run unwritable =
            render(sampleHome(), {"202409", "--out", temp.filePath("missing/folder/x.png")});
        QCOMPARE(unwritable.exitCode, 1);
        QVERIFY(unwritable.errors.contains("cannot write"));
    }
};

QTEST_GUILESS_MAIN(RenderCommandTest)
#include "render_command_test.moc"
