#pragma once
// The その他 menu's items about the program itself: its file's properties and the
// product's web site.

#include <QObject>

#include "core/user_interface.h"

class QMenu;
class QWidget;

namespace velmo {

// The product's page, kept here alone so it changes in one place.
inline constexpr const char* kProductSiteUrl = "https://velmo.example.org/";
inline constexpr const char* kNoInternetMessage =
    "インターネットにつながっていません。\r\nインターネットにつながった状態で、\r\n実行してくだ"
    "さい。\r\n\r\n中止します。";

class AboutActions : public QObject {
    Q_OBJECT

public:
    AboutActions(QWidget& window, UserInterface& ui, QMenu& otherMenu, QObject* parent);

    void showProperties();
    void openProductSite();

private:
    QWidget& window_;
    UserInterface& ui_;
};

}  // namespace velmo
