#pragma once
// The spreadsheet calendar page "tsExcel" of the data dialog: what goes into the
// workbook of the month in view, and the button that makes it.

#include <QWidget>

#include "dialogs/export_page_context.h"
#include "store/export_settings.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velmo {

struct DataDialogContext;

class SpreadsheetPage : public QWidget {
    Q_OBJECT

public:
    SpreadsheetPage(DataDialogContext& dialog, ExportPageContext& context, ExportSettings& settings,
                    QWidget* parent);

    QPushButton* createButton() const { return create_; }
    QCheckBox* previewBox() const { return cbExPreview_; }
    QCheckBox* titleBox() const { return cbExTitle_; }
    QLineEdit* titleText() const { return edtExTitle_; }
    QRadioButton* titleForm(ExportTitleForm form) const;

    // "規定値に戻す".
    void resetToDefaults();
    void create();
    void keepSettings();

private:
    void load(const ExportSettings& settings);
    void updateCreateCaption();

    DataDialogContext& dialog_;
    ExportPageContext& context_;
    ExportSettings& settings_;
    QCheckBox* cbExTitle_;
    QRadioButton* titleForms_[3];
    QLineEdit* edtExTitle_;
    QCheckBox* cbExDate_;
    QCheckBox* cbExSaijitu_;
    QCheckBox* cbExKinenbi_;
    QCheckBox* cbExNaiyou_;
    QCheckBox* cbExShoshiki_;
    QCheckBox* cbExPreview_;
    QPushButton* create_;
};

}  // namespace velmo
