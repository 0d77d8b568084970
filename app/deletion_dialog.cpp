#include "app/deletion_dialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace velmo {

DeletionDialog::DeletionDialog(const DeletionOffer& offer, QWidget* parent) : QDialog(parent) {
    setWindowTitle(offer.caption);
    setFixedSize(478, 215);
    auto* layout = new QVBoxLayout(this);
    auto* question = new QLabel(offer.question, this);
    question->setWordWrap(true);
    layout->addWidget(question);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(new QLabel(offer.label, this));
    auto* path = new QLabel(offer.path, this);
    path->setWordWrap(true);
    path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette palette = path->palette();
    palette.setColor(QPalette::WindowText, offer.pathColour);
    path->setPalette(palette);
    pathRow->addWidget(path, 1);
    layout->addLayout(pathRow);

    for (const QString& note : offer.notes) {
        auto* label = new QLabel(note, this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    layout->addStretch();

    auto* buttons = new QHBoxLayout;
    auto* yes = new QPushButton("「はい」削除します(&Y)", this);
    auto* no = new QPushButton("「いいえ」削除しません(&N)", this);
    buttons->addStretch();
    buttons->addWidget(yes);
    buttons->addWidget(no);
    layout->addLayout(buttons);
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
    no->setDefault(true);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

DeletionOffer archiveDeletionOffer(const QString& path) {
    return {"「ベルモ」 Ver9.1.1　自己解凍書庫削除（確認）",
            "セットアップで利用した【自己解凍書庫ファイル】を削除しますか？",
            "削除ファイル　：",
            path,
            Qt::magenta,
            {"通常は、一度セットアップすると、上記ファイルは必要有りません。"}};
}

DeletionOffer workFolderDeletionOffer(const QString& path) {
    return {"「ベルモ」 Ver9.1.1　ワークフォルダ削除（確認）",
            "自己解凍書庫ファイルで作成したセットアップ用の【ワークフォルダ】を削除しますか？",
            "削除フォルダ　：",
            path,
            Qt::blue,
            {"通常は、一度セットアップすると、上記フォルダは必要有りません。",
             "再度必要な場合は、再びダウンロードして作成する事も出来ます。"}};
}

}  // namespace velmo
