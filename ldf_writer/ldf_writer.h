#pragma once
// The LDF writer: the whole document in one fixed layout. The text is rendered in memory
// once, so what the editor shows and what a save stores are the same bytes.

#include <string>

#include "foundation/corv_arrays.h"
#include "foundation/corv_string.h"

class corvdekLINDefinitionFile;
class corvdekLINScheduleTableItem;

enum class LdfRendering {
    kValidLdf,    // every line follows the LDF grammar
    kEveryValue,  // every value as it is, also one no LDF file may hold where it stands
};

// The document as LDF text: Windows-1252 bytes, every line ended by CR LF. Whatever
// cannot be written as valid LDF (a master's time base without the master's name, a
// schedule entry without its delay, a name that is no identifier) is left out, and
// `leftOut` gets one line on each. The editor keeps its undo states with every value, so
// that an object the user has not finished (a new signal without its publisher) is kept.
std::string RenderLDF(const corvdekLINDefinitionFile& document, corvStringArray* leftOut = nullptr,
                      LdfRendering rendering = LdfRendering::kValidLdf);

// Saves the rendered text as `path`. False when it could not be saved; then
// `lastLoadError` says why and an existing file at `path` is left as it was.
bool WriteLDF(corvdekLINDefinitionFile& document, const corvString& path, corvStringArray* leftOut = nullptr,
              LdfRendering rendering = LdfRendering::kValidLdf);

// Whether a schedule entry can be written: it has its delay and every value its command
// needs (the editor asks for them before it takes an entry).
bool ScheduleEntryIsComplete(const corvdekLINScheduleTableItem& item);
