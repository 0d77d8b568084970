#include "dialogs/find_settings.h"

#include <QSettings>
#include <QStandardPaths>

namespace velmo {
namespace {

constexpr int kForward = 1;
constexpr int kBackward = 0;

}  // namespace

FindSettings::FindSettings() : file_(defaultFile()) {}

QString FindSettings::defaultFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/velmo/find.ini");
}

FindOptions FindSettings::options() const {
    QSettings ini(file_, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Options"));
    FindOptions options;
    options.matchCase = ini.value(QStringLiteral("MatchCase"), false).toBool();
    options.wholeWord = ini.value(QStringLiteral("WholeWord"), false).toBool();
    options.ignoreWidth = ini.value(QStringLiteral("NoMatchZenkaku"), false).toBool();
    options.ignoreBreaksAndSpaces = ini.value(QStringLiteral("IncludeCRLF"), false).toBool();
    options.forward = ini.value(QStringLiteral("Direction"), kForward).toInt() != kBackward;
    return options;
}

QStringList FindSettings::history() const {
    QSettings ini(file_, QSettings::IniFormat);
    const QString text = ini.value(QStringLiteral("SearchItems/Text")).toString();
    QStringList items = text.split(QLatin1Char('\n'));
    items.removeAll(QString());
    return items.mid(0, kFindHistoryLimit);
}

void FindSettings::save(const QStringList& history, const FindOptions& options) const {
    QSettings ini(file_, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Options"));
    ini.setValue(QStringLiteral("MatchCase"), options.matchCase);
    ini.setValue(QStringLiteral("WholeWord"), options.wholeWord);
    ini.setValue(QStringLiteral("NoMatchZenkaku"), options.ignoreWidth);
    ini.setValue(QStringLiteral("IncludeCRLF"), options.ignoreBreaksAndSpaces);
    ini.setValue(QStringLiteral("Direction"), options.forward ? kForward : kBackward);
    ini.endGroup();
    ini.setValue(QStringLiteral("SearchItems/Text"), history.join(QLatin1Char('\n')));
    ini.sync();
}

}  // namespace velmo
