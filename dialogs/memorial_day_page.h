#pragma once
// The memorial-day page of the editor window: the memorial day's name and the years it
// is kept from and to, below the day it falls on.

#include <QWidget>
#include <string>

#include "core/user_interface.h"

class QLabel;
class QLineEdit;

namespace velmo {

// The memorial-day page's boxes, as texts (a year of 0 is an empty box).
struct MemorialDayFields {
    std::string name;
    std::string fromYear;
    std::string toYear;
    int weekday = 1;        // 1 = Sunday ... 7 = Saturday
    std::string dateLabel;  // which day is being edited; shown, never edited

    bool operator==(const MemorialDayFields&) const = default;
};

class MemorialDayPage : public QWidget {
    Q_OBJECT

public:
    explicit MemorialDayPage(UserInterface& ui, QWidget* parent = nullptr);

    // Fills the boxes; the name counts as not modified afterwards.
    void setFields(const MemorialDayFields& fields);
    // The boxes as they stand, with the weekday and day they were opened with.
    MemorialDayFields fields() const;

    // The name was typed into or a year differs from what the page was opened with.
    bool changed() const;
    bool nameModified() const;
    // False, with the reason shown and the focus on the name, when the name cannot be
    // stored.
    bool checkBeforeStoring();
    void focusName();

private:
    UserInterface& ui_;
    QLineEdit* kinenbi_;
    QLineEdit* fromYear_;
    QLineEdit* toYear_;
    QLabel* kinenbiYoubi_;
    QLabel* kinenbiDate_;
    MemorialDayFields before_;
};

}  // namespace velmo
