#pragma once
// Small text helpers shared by the section readers.

#include "foundation/corv_string.h"

// The text before the first occurrence of `separator` and the text after it. Without the
// separator the head is empty and the rest is the whole text (`found` tells which).
struct SplitAtFirst {
    SplitAtFirst(const corvString& text, const char16_t* separator);

    corvString head;
    corvString rest;
    bool found = false;
};

// A copy of `text` with spaces trimmed.
corvString Trimmed(const corvString& text);
