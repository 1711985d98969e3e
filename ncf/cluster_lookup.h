#pragma once
// The object of a cluster's collection that has a name, for the NCF export and build.

#include <string_view>

// The first object named `name`, or null.
template <typename Collection>
auto* Named(const Collection& collection, std::u16string_view name) {
    for (int i = 0; i < collection.GetCount(); ++i) {
        if (collection.Get(i)->name.View() == name) return collection.Get(i);
    }
    return static_cast<decltype(collection.Get(0))>(nullptr);
}
