#pragma once
// What the two markup collections (font styles and user labels) share: named
// items owned by a collection that reports every change through one callback,
// name lookup ignoring case, and the rule that keeps item names unique. A
// collection derives from LabelCollection<itself, its item>, an item from
// LabelItem<its collection>; each keeps only what its markup adds.

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/errors.h"
#include "fadetext/markup_tags.h"
#include "effecttext/persistent.h"

namespace caici {

template <class Owner>
class LabelItem : public TPersistent {
public:
    const std::string& Name() const { return name_; }
    // Throws EDuplicateString when another item of the collection bears the
    // name (ignoring case); the name then stays as it was.
    void SetName(const std::string& value) {
        if (collection_ != nullptr && !value.empty() && !sameName(value, name_) &&
            collection_->IndexOf(value) >= 0) {
            throw EDuplicateString();
        }
        name_ = value;
        changed();
    }
    // The caption an editor shows: the name, or the class name when empty.
    std::string DisplayName() const { return name_.empty() ? ClassName() : name_; }

protected:
    // An item made without a collection stands alone: no notification and no
    // name check.
    explicit LabelItem(Owner* collection) : collection_(collection) {}

    void changed() {
        if (collection_ != nullptr) {
            collection_->Changed();
        }
    }

    // The source of CopyFrom as an item of the same class; any other source is
    // refused with the assignment error before anything is copied.
    template <class Item>
    const Item& sameClassSource(const TPersistent* source) const {
        const auto* item = dynamic_cast<const Item*>(source);
        if (item == nullptr) {
            AssignError(source);
        }
        return *item;
    }

    Owner* collection_;
    std::string name_;
};

template <class Owner, class Item>
class LabelCollection : public TPersistent {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // Throws EListError for an index outside 0..Count-1.
    Item& Items(int index) const {
        if (index < 0 || index >= Count()) {
            throwListIndex(index);
        }
        return *items_[static_cast<std::size_t>(index)];
    }
    Item& Add() {
        items_.push_back(std::make_unique<Item>(&owner()));
        Changed();
        return *items_.back();
    }
    void Delete(int index) {
        Items(index);
        items_.erase(items_.begin() + index);
        Changed();
    }
    void Clear() {
        if (items_.empty()) {
            return;
        }
        items_.clear();
        Changed();
    }
    // Index of the first item whose name equals name ignoring case, or -1.
    int IndexOf(const std::string& name) const {
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (sameName(items_[i]->Name(), name)) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent value) { onChange_ = std::move(value); }

    // Changes made between these two calls are reported once, at the end.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate() {
        if (updateCount_ > 0 && --updateCount_ == 0 && pendingChange_) {
            pendingChange_ = false;
            Changed();
        }
    }

    // Replaces every item by a copy of the source's items; notifies once. A
    // source of another class is refused before anything changes.
    void CopyFrom(const TPersistent* source) override {
        const auto* other = dynamic_cast<const Owner*>(source);
        if (other == nullptr) {
            AssignError(source);
        }
        if (other == this) {
            return;
        }
        // The copies report to this collection while they take their values.
        BeginUpdate();
        std::vector<std::unique_ptr<Item>> copies;
        copies.reserve(other->items_.size());
        for (const auto& item : other->items_) {
            copies.push_back(std::make_unique<Item>(&owner()));
            copies.back()->CopyFrom(item.get());
        }
        items_ = std::move(copies);
        Changed();
        EndUpdate();
    }

    void Changed() {
        if (updateCount_ > 0) {
            pendingChange_ = true;
            return;
        }
        if (onChange_) {
            onChange_(this);
        }
    }

protected:
    explicit LabelCollection(TNotifyEvent onChange) : onChange_(std::move(onChange)) {}
    ~LabelCollection() override {
        // Nothing is reported from a collection that is going away.
        onChange_ = {};
        items_.clear();
    }

    // The items in collection order, the order in which markup resolves them.
    const std::vector<std::unique_ptr<Item>>& itemsInOrder() const { return items_; }

private:
    Owner& owner() { return static_cast<Owner&>(*this); }

    std::vector<std::unique_ptr<Item>> items_;
    TNotifyEvent onChange_;
    int updateCount_ = 0;
    bool pendingChange_ = false;
};

}  // namespace caici
