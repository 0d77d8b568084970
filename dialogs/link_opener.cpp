#include "dialogs/link_opener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "core/user_interface.h"
#include "editor_models/link_target.h"

namespace velmo {
namespace {

QUrl fileUrl(const std::string& path) {
    return QUrl::fromLocalFile(QString::fromStdString(path));
}

// An executable runs in its own folder; a script or .desktop file without an execute
// bit goes to the program the desktop has for it.
void run(const std::string& path) {
    const QFileInfo file(QString::fromStdString(path));
    if (file.isExecutable() &&
        QProcess::startDetached(file.absoluteFilePath(), {}, file.absolutePath())) {
        return;
    }
    QDesktopServices::openUrl(fileUrl(path));
}

}  // namespace

void openLink(const QString& link, UserInterface& ui) {
    const LinkTarget target = classifyLink(link.toStdString());
    switch (target.kind) {
        case LinkKind::WebAddress:
            QDesktopServices::openUrl(QUrl(QString::fromStdString(target.target)));
            break;
        case LinkKind::Document:
            QDesktopServices::openUrl(fileUrl(target.target));
            break;
        case LinkKind::MissingFile:
            inform(ui, missingLinkMessage(target.target));
            break;
        case LinkKind::Runnable:
            if (ask(ui, runLinkQuestion(target.target), DefaultButton::No))
                run(target.target);
            break;
    }
}

}  // namespace velmo
