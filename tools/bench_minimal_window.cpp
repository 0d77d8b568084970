// The yardstick of tools/bench_startup.sh: about the least a Qt program that shows a
// month must do. One window with a 7 x 6 grid of day cells holding Japanese text, ended
// right after its first paint, as velmo --quit-after-first-paint ends.

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace {

constexpr int kColumns = 7;
constexpr int kRows = 6;

class MonthGrid final : public QWidget {
public:
    MonthGrid() {
        setWindowTitle(QStringLiteral("ベンチマーク - 月間"));
        resize(898, 640);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        static const QString kWeekdays[kColumns] = {
            QStringLiteral("日"), QStringLiteral("月"), QStringLiteral("火"), QStringLiteral("水"),
            QStringLiteral("木"), QStringLiteral("金"), QStringLiteral("土")};
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setFont(QFont(QStringLiteral("IPAGothic"), 10));
        const int header = 24;
        const int cellWidth = width() / kColumns;
        const int cellHeight = (height() - header) / kRows;
        for (int column = 0; column < kColumns; ++column) {
            painter.drawText(QRect(column * cellWidth, 0, cellWidth, header), Qt::AlignCenter,
                             kWeekdays[column]);
        }
        for (int row = 0; row < kRows; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                const QRect cell(column * cellWidth, header + row * cellHeight, cellWidth,
                                 cellHeight);
                painter.drawRect(cell.adjusted(0, 0, -1, -1));
                const int day = row * kColumns + column + 1;
                painter.drawText(cell.adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignTop,
                                 QString::number(day) + QStringLiteral("\n予定 10:00 打合せ"));
            }
        }
        if (!painted_) {
            painted_ = true;
            QMetaObject::invokeMethod(
                qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        }
    }

private:
    bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    MonthGrid grid;
    grid.show();
    return QApplication::exec();
}
