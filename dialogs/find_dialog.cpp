#include "dialogs/find_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "editor_models/search_history.h"

namespace velmo {
namespace {

// The history with the item moved or put at its top, made storable, at most
// kFindHistoryLimit items.
QStringList withItemOnTop(const QStringList& history, const QString& item) {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(history.size()));
    for (const QString& text : history)
        items.push_back(storableHistoryItem(text.toStdString()));
    pushHistory(items, storableHistoryItem(item.toStdString()), kFindHistoryLimit);
    QStringList result;
    for (const std::string& text : items)
        result << QString::fromStdString(text);
    return result;
}

QCheckBox* checkBox(const char* text, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromUtf8(text), parent);
    box->setChecked(checked);
    return box;
}

}  // namespace

FindDialog::FindDialog(const FindSettings& settings, const QString& wordAtCaret, QWidget* owner)
    : QDialog(owner), settings_(settings) {
    setWindowTitle(QStringLiteral("検索"));
    const FindOptions options = settings_.options();

    text_ = new QComboBox(this);
    text_->setEditable(true);
    text_->setInsertPolicy(QComboBox::NoInsert);
    text_->setMaxCount(kFindHistoryLimit);
    text_->setMinimumContentsLength(32);
    setHistory(withItemOnTop(settings_.history(), wordAtCaret));

    matchCase_ = checkBox("大/小文字の区別(&C)", options.matchCase, this);
    wholeWord_ = checkBox("単語単位で探す(&W)", options.wholeWord, this);
    ignoreWidth_ = checkBox("全角・半角を区別しない(&Z)", options.ignoreWidth, this);
    ignoreBreaks_ = checkBox("改行・スペースを無視(&L)", options.ignoreBreaksAndSpaces, this);

    auto* direction = new QGroupBox(QStringLiteral(" 検索方向 "), this);
    backward_ = new QRadioButton(QStringLiteral("後方(&B)"), direction);
    forward_ = new QRadioButton(QStringLiteral("前方(&D)"), direction);
    (options.forward ? forward_ : backward_)->setChecked(true);
    auto* directionLayout = new QVBoxLayout(direction);
    directionLayout->addWidget(backward_);
    directionLayout->addWidget(forward_);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    connect(ok_, &QPushButton::clicked, this, &FindDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &FindDialog::reject);
    // Nothing to find in an empty text.
    const auto updateOk = [this] { ok_->setEnabled(!text_->currentText().isEmpty()); };
    connect(text_, &QComboBox::editTextChanged, this, updateOk);
    updateOk();

    auto* boxes = new QVBoxLayout;
    for (QCheckBox* box : {matchCase_, wholeWord_, ignoreWidth_, ignoreBreaks_})
        boxes->addWidget(box);
    boxes->addStretch();
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addLayout(boxes);
    middle->addWidget(direction, 0, Qt::AlignTop);
    middle->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(middle);
    text_->setFocus();
    text_->lineEdit()->selectAll();
}

std::optional<FindDialog::Request> FindDialog::ask(QWidget* owner, const QString& wordAtCaret,
                                                   const FindSettings& settings) {
    FindDialog dialog(settings, wordAtCaret, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.request();
}

FindDialog::Request FindDialog::request() const {
    FindOptions options;
    options.forward = forward_->isChecked();
    options.matchCase = matchCase_->isChecked();
    options.wholeWord = wholeWord_->isChecked();
    options.ignoreWidth = ignoreWidth_->isChecked();
    options.ignoreBreaksAndSpaces = ignoreBreaks_->isChecked();
    return {text_->currentText(), options};
}

QStringList FindDialog::history() const {
    QStringList items;
    for (int i = 0; i < text_->count(); ++i)
        items << text_->itemText(i);
    return items;
}

void FindDialog::setHistory(const QStringList& items) {
    text_->clear();
    text_->addItems(items);
    if (!items.isEmpty())
        text_->setCurrentIndex(0);
}

void FindDialog::accept() {
    const Request wanted = request();
    const QStringList items = withItemOnTop(history(), wanted.first);
    settings_.save(items, wanted.second);
    setHistory(items);
    // The list shows the storable form; the search uses the text as typed.
    text_->setEditText(wanted.first);
    QDialog::accept();
}

}  // namespace velmo
