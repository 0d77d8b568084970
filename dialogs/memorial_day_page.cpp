#include "dialogs/memorial_day_page.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QVBoxLayout>

#include "dialogs/period_page.h"
#include "dialogs/weekday_label.h"
#include "editor_models/day_editor_lines.h"

namespace velmo {

MemorialDayPage::MemorialDayPage(UserInterface& ui, QWidget* parent)
    : QWidget(parent),
      ui_(ui),
      kinenbi_(new OneLineEdit(this)),
      fromYear_(new QLineEdit(this)),
      toYear_(new QLineEdit(this)),
      kinenbiYoubi_(new QLabel(this)),
      kinenbiDate_(new QLabel(this)) {
    setObjectName(QStringLiteral("tsKinenbi"));
    kinenbi_->setObjectName(QStringLiteral("edtKinenbi"));
    fromYear_->setObjectName(QStringLiteral("edtYear1"));
    toYear_->setObjectName(QStringLiteral("edtYear2"));
    for (QLineEdit* year : {fromYear_, toYear_}) {
        year->setValidator(new QIntValidator(0, 9999, year));
        year->setMaxLength(4);
    }
    kinenbiDate_->setObjectName(QStringLiteral("lblKinenbiDate"));

    auto* years = new QHBoxLayout;
    years->addWidget(new QLabel(QString::fromUtf8("年１～"), this));
    years->addWidget(fromYear_);
    years->addWidget(new QLabel(QString::fromUtf8("～年２"), this));
    years->addWidget(toYear_);
    auto* day = new QHBoxLayout;
    day->addWidget(kinenbiDate_);
    day->addWidget(kinenbiYoubi_);
    day->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(day);
    layout->addWidget(new QLabel(QString::fromUtf8("記念日等 ："), this));
    layout->addWidget(kinenbi_);
    layout->addLayout(years);
    layout->addStretch(1);
}

void MemorialDayPage::setFields(const MemorialDayFields& fields) {
    before_ = fields;
    kinenbi_->setText(QString::fromStdString(fields.name));
    kinenbi_->setModified(false);
    fromYear_->setText(QString::fromStdString(fields.fromYear));
    toYear_->setText(QString::fromStdString(fields.toYear));
    showWeekday(kinenbiYoubi_, fields.weekday);
    kinenbiDate_->setText(QString::fromStdString(fields.dateLabel));
}

MemorialDayFields MemorialDayPage::fields() const {
    return {kinenbi_->text().toStdString(), fromYear_->text().toStdString(),
            toYear_->text().toStdString(), before_.weekday, before_.dateLabel};
}

bool MemorialDayPage::changed() const {
    const bool yearsChanged = fromYear_->text().toStdString() != before_.fromYear ||
                              toYear_->text().toStdString() != before_.toYear;
    return kinenbi_->isModified() || yearsChanged;
}

bool MemorialDayPage::nameModified() const {
    return kinenbi_->isModified();
}

bool MemorialDayPage::checkBeforeStoring() {
    if (const auto message = unencodableTextMessage(kinenbi_->text().toStdString())) {
        informMain(ui_, *message);
        kinenbi_->setFocus();
        return false;
    }
    return true;
}

void MemorialDayPage::focusName() {
    kinenbi_->setFocus();
}

}  // namespace velmo
