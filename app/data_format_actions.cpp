#include "app/data_format_actions.h"

#include <QAction>
#include <QWidget>

#include "app/startup/run_settings.h"
#include "backup/data_format_conversion.h"

namespace velmo {

DataFormatActions::DataFormatActions(DataFormatActionsContext context, QObject* parent)
    : QObject(parent),
      context_(std::move(context)),
      item_(new QAction("データ形式を戻す", &context_.window)) {
    item_->setObjectName("miDataFormBack");
    context_.window.addAction(item_);
    connect(item_, &QAction::triggered, this, &DataFormatActions::convertBack);
}

void DataFormatActions::convertBack() {
    const DataFolders& folders = context_.run.dataFolders();
    // A flat folder is in the older layout already.
    if (folders.dataFormat != 2) {
        informMain(context_.ui, "データ形式は、既に古いデータ形式です。");
        return;
    }
    if (!ask(context_.ui,
             "データを古いデータ形式で\r\n[ " + folders.dataRoot +
                 " ]にコピーします。\r\nよろしいですか？",
             DefaultButton::No))
        return;
    context_.fullSave();
    if (convertFormat2To1(folders.dataRoot, folders.dataRoot, folders.shared.has_value(),
                          context_.ui))
        informMain(context_.ui, "データ形式を戻しました。");
}

}  // namespace velmo
