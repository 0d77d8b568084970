#include "store/rec_list.h"

namespace velmo {

std::string recListCapacityText(long long value) {
    return "リストの容量が超えました (" + std::to_string(value) + ")";
}

std::string recListCountText(long long value) {
    return "リストの個数を超えました (" + std::to_string(value) + ")";
}

std::string recListIndexText(long long value) {
    return "リストのインデックスが範囲を超えています (" + std::to_string(value) + ")";
}

std::string recListSortedText() {
    return "ソートされるリストに対しては許されない動作です";
}

std::string recListBoxText(RecListOp operation) {
    return "TRecList_Err_" + std::to_string(static_cast<int>(operation));
}

template class TRecList<TMyRecArray>;

}  // namespace velmo
