#include "model/collection.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "model/lin_entities.h"

namespace {

using Signals = corvCollectionTemplate<corvdekLINSignal>;

std::u16string KeyAt(const Signals& signals, int i) {
    return std::u16string(signals.GetKey(i).View());
}

TEST(Collection, KeysAreFreshAfterRemovalAndRestartAfterClear) {
    Signals signals;
    signals.Add();
    signals.Add();
    signals.Add();
    EXPECT_EQ(KeyAt(signals, 0), u"0");
    EXPECT_EQ(KeyAt(signals, 1), u"1");
    EXPECT_EQ(KeyAt(signals, 2), u"2");
    signals.RemoveAt(1);
    EXPECT_EQ(KeyAt(signals, 1), u"2");
    EXPECT_EQ(std::u16string(signals.Add()->key.View()), u"3");
    signals.Clear();
    EXPECT_TRUE(signals.IsEmpty());
    EXPECT_EQ(std::u16string(signals.Add()->key.View()), u"0");
}

TEST(Collection, RemoveAndDetachKeepTheOrder) {
    Signals signals;
    for (const char16_t* name : {u"A", u"B", u"C"}) signals.Add()->name = name;
    signals.RemoveAt(2);
    ASSERT_EQ(signals.GetCount(), 2);
    EXPECT_TRUE(signals.Get(1)->name.Equals(u"B"));
    std::unique_ptr<corvdekLINSignal> detached = signals.DetachAt(0);
    ASSERT_TRUE(detached);
    EXPECT_TRUE(detached->name.Equals(u"A"));
    EXPECT_EQ(signals.GetCount(), 1);
    signals.AddExisting(std::move(detached));
    EXPECT_TRUE(signals.Last()->name.Equals(u"A"));
    EXPECT_EQ(KeyAt(signals, 1), u"3");
}

TEST(Collection, BadIndicesAreHarmless) {
    Signals signals;
    signals.Add();
    EXPECT_EQ(signals.Get(1), nullptr);
    EXPECT_EQ(signals.Get(-1), nullptr);
    EXPECT_TRUE(signals.GetKey(4).IsEmpty());
    signals.RemoveAt(7);
    EXPECT_EQ(signals.DetachAt(-2), nullptr);
    EXPECT_EQ(signals.InsertExistingAt(std::make_unique<corvdekLINSignal>(), 5), nullptr);
    EXPECT_EQ(signals.GetCount(), 1);
}

TEST(Collection, FindByKeyAfterInsertingAtTheFront) {
    Signals signals;
    for (int i = 0; i < 5; ++i) signals.Add();
    corvdekLINSignal* first = signals.InsertExistingAt(std::make_unique<corvdekLINSignal>(), 0);
    EXPECT_EQ(std::u16string(first->key.View()), u"5");
    EXPECT_EQ(signals.FindByKey(corvString(u"5")), 0);
    EXPECT_EQ(signals.FindByKey(corvString(u"3")), 4);
    EXPECT_EQ(signals.FindByKey(corvString(u"0")), 1);
    EXPECT_EQ(signals.FindByKey(corvString(u"9")), -1);
    EXPECT_EQ(std::u16string(signals.Add()->key.View()), u"6");
}

TEST(Collection, FindByKeyOfAbsentKeys) {
    for (int size : {0, 3, 200}) {
        Signals signals;
        for (int i = 0; i < size; ++i) signals.Add();
        if (size > 0) signals.RemoveAt(size / 2);
        corvString removed;
        removed.SetInt(size / 2);
        EXPECT_EQ(signals.FindByKey(removed), -1) << size;
        EXPECT_EQ(signals.FindByKey(corvString(u"1000")), -1) << size;
        EXPECT_EQ(signals.FindByKey(corvString(u"x")), -1) << size;
        EXPECT_EQ(signals.FindByKey(corvString(u"")), -1) << size;
        for (int i = 0; i < signals.GetCount(); ++i) {
            EXPECT_EQ(signals.FindByKey(signals.GetKey(i)), i);
        }
    }
}

TEST(Collection, GrowsGeometricallyFrom101AndKeepsElements) {
    Signals signals;
    signals.Add()->name = u"first";
    EXPECT_EQ(signals.Capacity(), 101);
    for (int i = 1; i < 101; ++i) signals.Add();
    EXPECT_EQ(signals.Capacity(), 101);
    signals.Add()->name = u"102nd";
    EXPECT_EQ(signals.Capacity(), 202);
    for (int i = 102; i < 203; ++i) signals.Add();
    EXPECT_EQ(signals.Capacity(), 404);
    EXPECT_TRUE(signals.Get(0)->name.Equals(u"first"));
    EXPECT_TRUE(signals.Get(101)->name.Equals(u"102nd"));
    EXPECT_EQ(KeyAt(signals, 202), u"202");
}

TEST(Collection, RenumberKeysStartsAboveTheHighestKey) {
    Signals signals;
    for (int i = 0; i < 8; ++i) signals.Add();
    for (int i = 7; i >= 0; --i) {
        if (i != 0 && i != 7 && i != 3) signals.RemoveAt(i);
    }
    signals.RenumberKeys();
    EXPECT_EQ(std::u16string(signals.Add()->key.View()), u"8");
    Signals empty;
    empty.RenumberKeys();
    EXPECT_EQ(std::u16string(empty.Add()->key.View()), u"1");
}

TEST(Entities, NodeAttributesAndDefaults) {
    corvdekLINNode node;
    EXPECT_FALSE(node.HasAttributes());
    node.responseTolerance = u"38";
    EXPECT_TRUE(node.HasAttributes());
    corvdekLINNode withFrameId;
    withFrameId.configurableFrameIds.Add(corvString(u"0x10"));
    EXPECT_TRUE(withFrameId.HasAttributes());

    corvdekLINSignalEncodingTypeItem part;
    EXPECT_EQ(part.kind, corvdekLINSignalEncodingTypeItem::kLogical);
    EXPECT_EQ(part.minValue, 0);
    EXPECT_EQ(part.scale, 0.0);
}

// Frees a block of T's size filled with ones, which the next allocation of that size is
// likely to get back: a member that adding an object leaves uninitialized then shows.
template <typename T>
void LeaveDirtyBlockOfSizeOf() {
    void* block = ::operator new(sizeof(T));
    std::memset(block, 0xFF, sizeof(T));
    ::operator delete(block);
}

template <typename T>
T* AddOnDirtyMemory(corvCollectionTemplate<T>& collection) {
    collection.Add();  // the collection's own room first, so that only the object follows
    LeaveDirtyBlockOfSizeOf<T>();
    return collection.Add();
}

TEST(Entities, AddedObjectsStartFromTheirInitialValues) {
    corvCollectionTemplate<corvdekLINSignal> signals;
    const corvdekLINSignal* signal = AddOnDirtyMemory(signals);
    EXPECT_TRUE(signal->name.IsEmpty());
    EXPECT_EQ(signal->name.tag, 0);
    EXPECT_EQ(signal->subscribers.Count(), 0);
    EXPECT_FALSE(signal->subscribers.sorted);
    EXPECT_FALSE(signal->subscribers.useCodePage);
    EXPECT_FALSE(signal->isByteArray);
    EXPECT_EQ(signal->owner, nullptr);

    corvCollectionTemplate<corvdekLINFrame> frames;
    EXPECT_EQ(AddOnDirtyMemory(frames)->owner, nullptr);

    corvCollectionTemplate<corvdekLINDiagnosticFrame> diagnosticFrames;
    EXPECT_EQ(AddOnDirtyMemory(diagnosticFrames)->isSlaveResponse, 0);

    corvCollectionTemplate<corvdekLINScheduleTableItem> items;
    const corvdekLINScheduleTableItem* item = AddOnDirtyMemory(items);
    EXPECT_EQ(item->kind, corvdekLINScheduleTableItem::kFrame);
    EXPECT_TRUE(item->delay.IsEmpty());

    corvCollectionTemplate<corvdekLINSignalEncodingTypeItem> parts;
    const corvdekLINSignalEncodingTypeItem* part = AddOnDirtyMemory(parts);
    EXPECT_EQ(part->kind, corvdekLINSignalEncodingTypeItem::kLogical);
    EXPECT_EQ(part->minValue, 0);
    EXPECT_EQ(part->maxValue, 0);
    EXPECT_EQ(part->scale, 0.0);
    EXPECT_EQ(part->offset, 0.0);
}

// The editor takes an edit back by exchanging a collection with a copy made before it: the
// copy is deep (nested collections too), keeps every key, and goes on with fresh keys where
// the original would have.
TEST(Collection, CopiesAreDeepAndKeepTheKeys) {
    corvCollectionTemplate<corvdekLINScheduleTable> tables;
    corvdekLINScheduleTable* table = tables.Add();
    table->name = u"Main";
    table->items.Add()->frameName = u"F1";
    table->items.Add()->frameName = u"F2";
    table->items.RemoveAt(0);
    tables.Add()->name = u"Other";
    tables.RemoveAt(1);

    corvCollectionTemplate<corvdekLINScheduleTable> copy;
    copy.CopyFrom(tables);
    tables.Get(0)->items.Get(0)->frameName = u"Changed";
    ASSERT_EQ(copy.GetCount(), 1);
    const corvdekLINScheduleTable& copied = *copy.Get(0);
    EXPECT_EQ(std::u16string(copied.items.Get(0)->frameName.View()), u"F2");
    EXPECT_EQ(std::u16string(copied.items.GetKey(0).View()), u"1");
    EXPECT_EQ(std::u16string(copy.Add()->key.View()), std::u16string(tables.Add()->key.View()));

    copy.SwapWith(tables);
    EXPECT_EQ(std::u16string(tables.Get(0)->items.Get(0)->frameName.View()), u"F2");
    EXPECT_EQ(std::u16string(copy.Get(0)->items.Get(0)->frameName.View()), u"Changed");
}

}  // namespace
