#include "app/status_texts.h"

#include <QDate>

namespace velmo {

namespace {

const char* const kShortWeekdays[] = {"月", "火", "水", "木", "金", "土", "日"};

}  // namespace

QString clockPanelText(const LocalDateTime& now, bool twentyFourHour) {
    const QDate date(now.year, now.month, now.day);
    const QString weekday = date.isValid() ? kShortWeekdays[date.dayOfWeek() - 1] : "？";
    QString text = QString("%1/%2/%3 (%4) ").arg(now.year).arg(now.month).arg(now.day).arg(weekday);
    if (twentyFourHour) {
        return text + QString("%1 : %2").arg(now.hour).arg(now.minute);
    }
    const int hour12 = now.hour % 12 == 0 ? 12 : now.hour % 12;
    return text +
           QString("%1 %2 : %3").arg(now.hour < 12 ? "AM" : "PM").arg(hour12).arg(now.minute);
}

QString startFolderPanelText(const QString& startFolder, bool showStartFolder) {
    if (!showStartFolder)
        return {};
    return QString(5, ' ') + "【 起動フォルダ 】   " + startFolder + "  ";
}

QString countdownPanelText(int secondsLeft, bool sharedFolderWasMissing) {
    if (sharedFolderWasMissing)
        return QString(5, ' ') + "自動常駐待機中   ";
    return QString(5, ' ') + QString(" 自動常駐まであと %1 秒   ").arg(secondsLeft, 2);
}

MessagePanel messagePanel(const MessagePanelFacts& facts) {
    const QString prefix = facts.timeAdjustCompanion ? "<オルバン>によって時刻変更中" : "";
    if (facts.countdownSeconds > 0)
        return {prefix + countdownPanelText(facts.countdownSeconds, facts.sharedFolderWasMissing),
                true};
    if (facts.showStartFolder)
        return {prefix + startFolderPanelText(facts.startFolder, true), true};
    return {prefix, false};
}

}  // namespace velmo
