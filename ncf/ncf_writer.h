#pragma once
// Writes a node capability file in the standard's order: the blocks of a node and the
// statements of each block as the language lists them, comments where they were read.
// Statements bound to a language version are written in that version only; a value that
// is no valid token where the language wants one is left out and named in `leftOut`.

#include <string>

#include "foundation/corv_arrays.h"
#include "ncf_document.h"

std::string RenderNCF(const NcfDocument& document, corvStringArray* leftOut = nullptr);
// Saves through a new file that replaces `path` only when complete; false on failure, with
// the reason in `document.lastLoadError`.
bool WriteNCF(NcfDocument& document, const corvString& path, corvStringArray* leftOut = nullptr);
