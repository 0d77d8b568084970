#pragma once
// The その他 items "起動設定" and "セットアップ": the setup window on the page each names.

#include <QObject>

#include "core/user_interface.h"

class QMenu;
class QWidget;

namespace velmo {

struct StartFolders;
enum class SetupPage;

class SetupActions : public QObject {
    Q_OBJECT

public:
    SetupActions(QWidget& window, const StartFolders& folders, UserInterface& ui, QMenu& otherMenu,
                 QObject* parent);

    void open(SetupPage page);

private:
    QWidget& window_;
    const StartFolders& folders_;
    UserInterface& ui_;
};

}  // namespace velmo
