#pragma once
// The find window's settings of this user: the options and the history of searched
// texts, in an ini file of their own (normally $XDG_CONFIG_HOME/velmo/find.ini).
//
//   [Options]      MatchCase, WholeWord, NoMatchZenkaku, IncludeCRLF (booleans),
//                  Direction (1 forward, 0 backward)
//   [SearchItems]  Text: the history, newest first, one item a line

#include <QString>
#include <QStringList>

#include "dialogs/text_find.h"

namespace velmo {

inline constexpr int kFindHistoryLimit = 32;

class FindSettings {
public:
    // The file in the user's configuration folder.
    FindSettings();
    explicit FindSettings(QString file) : file_(std::move(file)) {}

    static QString defaultFile();
    const QString& file() const { return file_; }

    // What the file holds; defaults (forward, every box off, no history) for what it
    // does not.
    FindOptions options() const;
    QStringList history() const;

    void save(const QStringList& history, const FindOptions& options) const;

private:
    QString file_;
};

}  // namespace velmo
