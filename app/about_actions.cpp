#include "app/about_actions.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QNetworkInformation>
#include <QUrl>
#include <QVBoxLayout>

namespace velmo {

namespace {

// Without a backend that knows, the connection is taken to be there.
bool internetConnected() {
    if (!QNetworkInformation::instance() && !QNetworkInformation::loadDefaultBackend())
        return true;
    const QNetworkInformation* info = QNetworkInformation::instance();
    return !info || info->reachability() == QNetworkInformation::Reachability::Online ||
           info->reachability() == QNetworkInformation::Reachability::Unknown;
}

QLabel* selectable(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

AboutActions::AboutActions(QWidget& window, UserInterface& ui, const std::string& startFolder,
                           QMenu& otherMenu, QObject* parent)
    : QObject(parent),
      window_(window),
      ui_(ui),
      helpFile_(startFolder + kHelpFileName),
      helpItem_(otherMenu.addAction("ヘルプ(&H)")) {
    QAction* properties = otherMenu.addAction("プロパティ表示(&R)");
    properties->setObjectName("miProperty");
    connect(properties, &QAction::triggered, this, &AboutActions::showProperties);
    QAction* site = otherMenu.addAction("ベルモのサイトを表示");
    site->setObjectName("miSite");
    connect(site, &QAction::triggered, this, &AboutActions::openProductSite);
    helpItem_->setObjectName("miHelp");
    helpItem_->setVisible(QFileInfo(QString::fromStdString(helpFile_)).isFile());
    connect(helpItem_, &QAction::triggered, this, &AboutActions::openHelp);
}

void AboutActions::openHelp() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(helpFile_)));
}

void AboutActions::showProperties() {
    const QFileInfo program(QCoreApplication::applicationFilePath());
    QDialog dialog(&window_);
    dialog.setObjectName("fmProperty");
    dialog.setWindowTitle("ベルモ -Velmo-");
    auto* form = new QFormLayout;
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    form->addRow("ファイル：", selectable(program.absoluteFilePath(), &dialog));
    form->addRow("サイズ：", selectable(japanese.toString(program.size()) + " バイト", &dialog));
    form->addRow("更新日時：",
                 selectable(program.lastModified().toString("yyyy/MM/dd HH:mm:ss"), &dialog));
    form->addRow("バージョン：", selectable(VELMO_VERSION, &dialog));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    dialog.exec();
}

void AboutActions::openProductSite() {
    if (!internetConnected()) {
        informMain(ui_, kNoInternetMessage);
        return;
    }
    QDesktopServices::openUrl(QUrl(kProductSiteUrl));
}

}  // namespace velmo
