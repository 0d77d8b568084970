#include "dialogs/options/folder_box.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/options/options_host.h"
#include "shared/shared_folder_box.h"
#include "store/text_helpers.h"

namespace velmo {

bool pickFolderIntoBox(OptionsHost& host, QLineEdit& box) {
    const std::optional<std::string> chosen =
        host.chooseFolder(kFolderPickerTitle, folderOfBox(box));
    if (!chosen)
        return false;
    if (const std::optional<std::string> problem = unencodableTextMessage(*chosen)) {
        host.ui().message(*problem);
        return false;
    }
    if (box.text().toStdString() != *chosen)
        box.setText(QString::fromStdString(ensureTrailing(*chosen, "/")));
    box.setReadOnly(false);
    setFolderBoxFace(box, true);
    box.setFocus();
    return true;
}

QPushButton* folderButton(const char* name, QWidget* parent) {
    auto* button = new QPushButton("...", parent);
    button->setObjectName(name);
    button->setToolTip("フォルダを選択します");
    button->setAutoDefault(false);
    button->setFixedWidth(28);
    return button;
}

void setFolderBoxFace(QLineEdit& box, bool windowColour) {
    QPalette face = box.palette();
    const QPalette& desktop = QApplication::palette();
    face.setColor(QPalette::Base, desktop.color(windowColour ? QPalette::Base : QPalette::Button));
    box.setPalette(face);
}

std::string folderOfBox(const QLineEdit& box) {
    const std::optional<std::filesystem::path> folder =
        sharedFolderFromBox(box.text().toStdString());
    return folder ? folder->string() : std::string();
}

}  // namespace velmo
