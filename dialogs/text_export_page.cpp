#include "dialogs/text_export_page.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "backup/holiday_csv.h"
#include "dialogs/data_dialog.h"

namespace velmo {
namespace {

QString qs(const char* text) {
    return QString::fromUtf8(text);
}

struct FormatButton {
    const char* name;
    const char* caption;
};
constexpr FormatButton kFormatButtons[4] = {{"rbText", "テキスト形式(*.txt)"},
                                            {"rbCSV", "CSV形式(*.csv)"},
                                            {"rbHtml", "HTML形式(*.html)"},
                                            {"rbiCal", "iCalender(Google等互換)"}};

// The holiday list offers the years the holiday rules were written for.
constexpr int kHolidayChoiceLastYear = 2030;

}  // namespace

std::optional<std::filesystem::path> chooseExportFile(QWidget* owner,
                                                      const ExportFileChoice& choice) {
    QFileDialog dialog(owner, qs(kExportDialogCaption),
                       QString::fromStdString(choice.folder.string()));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters;
    for (const ExportFilter& filter : kExportFilters)
        filters << qs(filter.caption) + QStringLiteral(" (") + qs(filter.pattern) +
                       QStringLiteral(")");
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(choice.filterIndex - 1));
    dialog.setDefaultSuffix(QString::fromStdString(choice.defaultSuffix));
    dialog.selectFile(QString::fromStdString(choice.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().constFirst().toStdString());
}

TextExportPage::TextExportPage(DataDialogContext& dialog, ExportPageContext& context,
                               ExportSettings& settings, QWidget* parent)
    : QWidget(parent), dialog_(dialog), context_(context), settings_(settings) {
    setObjectName(QStringLiteral("tsText"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        qs("表示中の月 %1年%2月 の予定を書き出します。").arg(context_.year).arg(context_.month),
        this));

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(qs("書出しフォルダ"), this));
    edtKakidashi_ = new QLineEdit(QString::fromStdString(settings_.folder), this);
    edtKakidashi_->setObjectName(QStringLiteral("edtKakidashi"));
    folderRow->addWidget(edtKakidashi_, 1);
    auto* pick = new QPushButton(QStringLiteral("..."), this);
    pick->setObjectName(QStringLiteral("btnKakidashiDir"));
    pick->setFixedWidth(32);
    folderRow->addWidget(pick);
    layout->addLayout(folderRow);

    auto* formatGroup = new QGroupBox(qs("書出し形式"), this);
    auto* formatLayout = new QVBoxLayout(formatGroup);
    for (int i = 0; i < 4; ++i) {
        formats_[i] = new QRadioButton(qs(kFormatButtons[i].caption), formatGroup);
        formats_[i]->setObjectName(QString::fromLatin1(kFormatButtons[i].name));
        formatLayout->addWidget(formats_[i]);
    }
    formatButton(settings_.format)->setChecked(true);
    export_ = new QPushButton(qs("予定データ書出実行"), this);
    export_->setObjectName(QStringLiteral("btnKakidashi"));
    export_->setEnabled(context_.fileExportsAllowed);
    auto* formatRow = new QHBoxLayout;
    formatRow->addWidget(formatGroup, 1);
    formatRow->addWidget(export_, 0, Qt::AlignBottom);
    layout->addLayout(formatRow);

    auto* holidayGroup = new QGroupBox(qs("祝日書出"), this);
    auto* holidayLayout = new QHBoxLayout(holidayGroup);
    holidayYear_ = new QComboBox(holidayGroup);
    holidayYear_->setObjectName(QStringLiteral("cbHoliYear"));
    holidayYear_->setEditable(true);
    for (int year = kHolidayCsvFirstYear; year <= kHolidayChoiceLastYear; ++year)
        holidayYear_->addItem(QString::number(year));
    holidayYear_->setCurrentText(QString::number(dialog_.clock.today().year));
    holidayLayout->addWidget(holidayYear_);
    holidayLayout->addWidget(new QLabel(qs("年"), holidayGroup));
    holidayLayout->addStretch(1);
    auto* holidays = new QPushButton(qs("祝日書出実行"), holidayGroup);
    holidays->setObjectName(QStringLiteral("btnHoliday"));
    holidays->setEnabled(context_.holidayRules != nullptr);
    holidayLayout->addWidget(holidays);
    layout->addWidget(holidayGroup);
    layout->addStretch(1);

    connect(pick, &QPushButton::clicked, this, &TextExportPage::pickFolder);
    connect(export_, &QPushButton::clicked, this, &TextExportPage::exportMonth);
    connect(holidays, &QPushButton::clicked, this, &TextExportPage::exportHolidays);
}

QRadioButton* TextExportPage::formatButton(ExportFormat format) const {
    return formats_[static_cast<int>(format)];
}

ExportFormat TextExportPage::chosenFormat() const {
    for (int i = 0; i < 4; ++i) {
        if (formats_[i]->isChecked())
            return static_cast<ExportFormat>(i);
    }
    return ExportFormat::Text;
}

void TextExportPage::pickFolder() {
    if (const auto chosen = dialog_.chooseFolder(this, edtKakidashi_->text()))
        edtKakidashi_->setText(QString::fromStdString(chosen->string()));
}

void TextExportPage::exportMonth() {
    auto choose = [this](const ExportFileChoice& choice) {
        return context_.chooseFile ? context_.chooseFile(this, choice)
                                   : chooseExportFile(this, choice);
    };
    const MonthExportContext exportContext{dialog_.ui,
                                           dialog_.sleeper,
                                           dialog_.clock,
                                           context_.startFolder,
                                           context_.dataFolder,
                                           dialog_.saveAll,
                                           choose,
                                           [this] { return displayedMonthDays(context_.grid()); },
                                           context_.uidDomain};
    const MonthExportResult result =
        velmo::exportMonth(context_.year, context_.month, chosenFormat(),
                           edtKakidashi_->text().trimmed().toStdString(), exportContext);
    edtKakidashi_->setText(QString::fromStdString(result.folder));
    keepSettings();
}

void TextExportPage::exportHolidays() {
    if (!context_.holidayRules)
        return;
    writeHolidayCsv(holidayYear_->currentText().trimmed().toStdString(), *context_.holidayRules,
                    context_.startFolder, dialog_.ui, dialog_.sleeper);
}

void TextExportPage::keepSettings() {
    settings_.folder = edtKakidashi_->text().trimmed().toStdString();
    settings_.format = chosenFormat();
}

}  // namespace velmo
