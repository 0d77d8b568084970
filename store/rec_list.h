#pragma once
// A growable array of fixed 24-byte records, optionally kept sorted by a compare
// function. The day editor keeps one attribute record per editor line in it.
//
// Every operation checks its arguments before it changes anything, so a failed
// operation leaves the list as it was; the failure is shown to the user as the
// information box "TRecList_Err_<n>" (n names the operation) and its detailed text
// is kept in lastError().

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <functional>
#include <new>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "core/user_interface.h"

namespace velmo {

// The raw record type: 24 bytes.
using TMyRecArray = std::array<std::byte, 24>;

inline constexpr int kRecListMaxCount = 134217727;
// Capacity added each time a full list grows.
inline constexpr int kRecListGrowth = 14;

// Numbers of the operations as they appear in "TRecList_Err_<n>".
enum class RecListOp {
    Add = 1,
    Clear = 2,
    Delete = 3,
    Find = 6,
    Get = 7,
    Grow = 8,
    Insert = 9,
    InternalInsert = 10,
    Put = 13,
    Capacity = 15,
    Count = 16,
};

// A check that failed inside an operation.
struct RecListError {
    RecListOp operation;
    std::string text;
};

// "リストの容量が超えました (n)", "リストの個数を超えました (n)",
// "リストのインデックスが範囲を超えています (n)" and the refusal on a sorted list.
std::string recListCapacityText(long long value);
std::string recListCountText(long long value);
std::string recListIndexText(long long value);
std::string recListSortedText();
// "TRecList_Err_<n>"
std::string recListBoxText(RecListOp operation);

template <class Record = TMyRecArray>
class TRecList {
    static_assert(sizeof(Record) == 24, "a record list holds 24-byte records");
    static_assert(std::is_trivially_copyable_v<Record>, "records are copied as bytes");

public:
    // Negative when a < b, zero when equal, positive when a > b.
    using Compare = std::function<int(const Record&, const Record&)>;

    explicit TRecList(UserInterface& ui, Compare compare = {})
        : ui_(ui), compare_(std::move(compare)) {}

    int count() const { return count_; }
    int capacity() const { return static_cast<int>(items_.size()); }
    bool sorted() const { return static_cast<bool>(compare_); }
    // The text of the last failure, empty when none failed yet.
    const std::string& lastError() const { return lastError_; }

    // Adds at the sorted position (before the match the search meets) or at the end.
    // Returns the index, or -1 on failure.
    int add(const Record& record) {
        int index = -1;
        guard(RecListOp::Add, [&] {
            int position = count_;
            if (sorted())
                search(record, position);
            insertAt(position, record);
            index = position;
        });
        return index;
    }

    // Inserts at 0 … count; refused on a sorted list.
    bool insert(int index, const Record& record) {
        return guard(RecListOp::Insert, [&] {
            if (sorted())
                throw RecListError{RecListOp::Insert, recListSortedText()};
            if (index < 0 || index > count_) {
                throw RecListError{RecListOp::Insert, recListIndexText(index)};
            }
            insertAt(index, record);
        });
    }

    std::optional<Record> get(int index) {
        std::optional<Record> result;
        guard(RecListOp::Get, [&] {
            checkIndex(RecListOp::Get, index);
            result = items_[static_cast<std::size_t>(index)];
        });
        return result;
    }

    // Replaces the record at an index; refused on a sorted list.
    bool put(int index, const Record& record) {
        return guard(RecListOp::Put, [&] {
            if (sorted())
                throw RecListError{RecListOp::Put, recListSortedText()};
            checkIndex(RecListOp::Put, index);
            items_[static_cast<std::size_t>(index)] = record;
        });
    }

    // Deletes n records from an index; the ones after the block move down.
    bool remove(int index, int n = 1) {
        return guard(RecListOp::Delete, [&] {
            checkIndex(RecListOp::Delete, index);
            if (n < 0 || n > count_ - index) {
                // Name the last index the deletion would have touched.
                throw RecListError{RecListOp::Delete,
                                   recListIndexText(static_cast<long long>(index) + n - 1)};
            }
            const auto first = items_.begin() + index;
            std::copy(first + n, items_.begin() + count_, first);
            count_ -= n;
        });
    }

    void clear() {
        guard(RecListOp::Clear, [&] {
            items_.clear();
            items_.shrink_to_fit();
            count_ = 0;
        });
    }

    // Grows or shrinks the count; new records are zero bytes, the capacity follows up.
    bool setCount(int newCount) {
        return guard(RecListOp::Count, [&] {
            if (newCount < 0 || newCount > kRecListMaxCount) {
                throw RecListError{RecListOp::Count, recListCountText(newCount)};
            }
            if (newCount > capacity())
                resizeStorage(newCount);
            std::fill(items_.begin() + std::min(count_, newCount), items_.begin() + newCount,
                      Record{});
            count_ = newCount;
        });
    }

    bool setCapacity(int newCapacity) {
        return guard(RecListOp::Capacity, [&] {
            checkCapacity(RecListOp::Capacity, newCapacity);
            resizeStorage(newCapacity);
        });
    }

    // Binary search with the compare function (a byte-equal scan on an unsorted
    // list). index receives the match's position, or where the record belongs
    // (the end on an unsorted list).
    bool find(const Record& record, int& index) {
        bool found = false;
        index = count_;
        guard(RecListOp::Find, [&] {
            if (sorted()) {
                found = search(record, index);
                return;
            }
            for (int i = 0; i < count_; ++i) {
                if (std::memcmp(&items_[static_cast<std::size_t>(i)], &record, sizeof(Record)) ==
                    0) {
                    index = i;
                    found = true;
                    return;
                }
            }
        });
        return found;
    }

private:
    template <class Body>
    bool guard(RecListOp operation, Body&& body) {
        try {
            body();
            return true;
        } catch (const RecListError& e) {
            report(e);
        } catch (const std::bad_alloc&) {
            report({operation, recListCapacityText(capacity())});
        }
        return false;
    }

    void report(const RecListError& e) {
        lastError_ = e.text;
        inform(ui_, recListBoxText(e.operation));
    }

    void checkIndex(RecListOp operation, int index) const {
        if (index < 0 || index >= count_)
            throw RecListError{operation, recListIndexText(index)};
    }

    void checkCapacity(RecListOp operation, long long newCapacity) const {
        if (newCapacity < count_ || newCapacity > kRecListMaxCount) {
            throw RecListError{operation, recListCapacityText(newCapacity)};
        }
    }

    void resizeStorage(int newCapacity) {
        items_.resize(static_cast<std::size_t>(newCapacity));
        items_.shrink_to_fit();
    }

    void grow() {
        long long wanted = static_cast<long long>(capacity()) + kRecListGrowth;
        if (capacity() < kRecListMaxCount) {
            wanted = std::min<long long>(wanted, kRecListMaxCount);
        }
        checkCapacity(RecListOp::Grow, wanted);
        // Grow the storage by the fixed step only; vector's own doubling would hide
        // the capacity the list reports.
        std::vector<Record> bigger(static_cast<std::size_t>(wanted));
        std::copy(items_.begin(), items_.begin() + count_, bigger.begin());
        items_.swap(bigger);
    }

    void insertAt(int index, const Record& record) {
        if (index < 0 || index > count_) {
            throw RecListError{RecListOp::InternalInsert, recListIndexText(index)};
        }
        if (count_ == capacity())
            grow();
        const auto at = items_.begin() + index;
        std::copy_backward(at, items_.begin() + count_, items_.begin() + count_ + 1);
        *at = record;
        ++count_;
    }

    // Binary search; stops at the first match it meets.
    bool search(const Record& record, int& index) const {
        int low = 0;
        int high = count_ - 1;
        while (low <= high) {
            const int middle = low + (high - low) / 2;
            const int order = compare_(items_[static_cast<std::size_t>(middle)], record);
            if (order == 0) {
                index = middle;
                return true;
            }
            if (order < 0) {
                low = middle + 1;
            } else {
                high = middle - 1;
            }
        }
        index = low;
        return false;
    }

    UserInterface& ui_;
    Compare compare_;
    std::vector<Record> items_;  // size() is the capacity
    int count_ = 0;
    std::string lastError_;
};

extern template class TRecList<TMyRecArray>;

}  // namespace velmo
