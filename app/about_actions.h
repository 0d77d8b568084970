#pragma once
// The その他 menu's items about the program itself: its file's properties, the
// product's web site and the help file, which is offered only where one was installed.

#include <QObject>
#include <string>

#include "core/user_interface.h"

class QAction;
class QMenu;
class QWidget;

namespace velmo {

// The product's page, kept here alone so it changes in one place.
inline constexpr const char* kProductSiteUrl = "https://velmo.example.org/";
inline constexpr const char* kHelpFileName = "HelpVelm.chm";
inline constexpr const char* kNoInternetMessage =
    "インターネットにつながっていません。\r\nインターネットにつながった状態で、\r\n実行してくだ"
    "さい。\r\n\r\n中止します。";

class AboutActions : public QObject {
    Q_OBJECT

public:
    // The help item is shown only when the start folder holds the help file.
    AboutActions(QWidget& window, UserInterface& ui, const std::string& startFolder,
                 QMenu& otherMenu, QObject* parent);

    void showProperties();
    void openProductSite();
    // Opens the help file with the desktop's viewer for it.
    void openHelp();
    QAction* helpItem() const { return helpItem_; }

private:
    QWidget& window_;
    UserInterface& ui_;
    std::string helpFile_;
    QAction* helpItem_;
};

}  // namespace velmo
