#pragma once
// The LDF writer: the whole document in one fixed layout. The text is rendered in memory
// once, so what the editor shows and what a save stores are the same bytes.

#include <string>

#include "foundation/corv_arrays.h"
#include "foundation/corv_string.h"

class corvdekLINDefinitionFile;
class corvdekLINScheduleTableItem;

// The document as LDF text: Windows-1252 bytes, every line ended by CR LF. Whatever
// cannot be written as valid LDF (a master's time base without the master's name, a
// schedule entry without its delay) is left out, and `leftOut` gets one line on each.
std::string RenderLDF(const corvdekLINDefinitionFile& document, corvStringArray* leftOut = nullptr);

// Saves the rendered text as `path`. False when it could not be saved; then
// `lastLoadError` says why and an existing file at `path` is left as it was.
bool WriteLDF(corvdekLINDefinitionFile& document, const corvString& path,
              corvStringArray* leftOut = nullptr);

// Whether a schedule entry can be written: it has its delay and every value its command
// needs (the editor asks for them before it takes an entry).
bool ScheduleEntryIsComplete(const corvdekLINScheduleTableItem& item);
