#pragma once
// Asks whether to delete the archive or work folder a setup run left behind.

#include <QColor>
#include <QDialog>
#include <QString>
#include <QStringList>

namespace velmo {

struct DeletionOffer {
    QString caption;
    QString question;
    QString label;
    QString path;
    QColor pathColour;
    QStringList notes;
};

class DeletionDialog : public QDialog {
    Q_OBJECT

public:
    explicit DeletionDialog(const DeletionOffer& offer, QWidget* parent = nullptr);
};

// The two offers of the first showing.
DeletionOffer archiveDeletionOffer(const QString& path);
DeletionOffer workFolderDeletionOffer(const QString& path);

}  // namespace velmo
