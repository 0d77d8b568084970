#pragma once
// The export page "tsText" of the data dialog: the month in view written as text, CSV,
// HTML or iCalendar, and the holiday list of a year.

#include <QWidget>

#include "dialogs/export_page_context.h"
#include "store/export_settings.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velmo {

struct DataDialogContext;

class TextExportPage : public QWidget {
    Q_OBJECT

public:
    TextExportPage(DataDialogContext& dialog, ExportPageContext& context, ExportSettings& settings,
                   QWidget* parent);

    QLineEdit* folderBox() const { return edtKakidashi_; }
    QRadioButton* formatButton(ExportFormat format) const;
    QComboBox* holidayYearBox() const { return holidayYear_; }
    QPushButton* exportButton() const { return export_; }

    void pickFolder();
    void exportMonth();
    void exportHolidays();
    void keepSettings();

private:
    ExportFormat chosenFormat() const;

    DataDialogContext& dialog_;
    ExportPageContext& context_;
    ExportSettings& settings_;
    QLineEdit* edtKakidashi_;
    QRadioButton* formats_[4];
    QPushButton* export_;
    QComboBox* holidayYear_;
};

}  // namespace velmo
