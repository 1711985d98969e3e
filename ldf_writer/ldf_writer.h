#pragma once
// The LDF writer: the whole document in one fixed layout. The text is rendered in memory
// once, so what the editor shows and what a save stores are the same bytes.

#include <string>

#include "foundation/corv_string.h"

class corvdekLINDefinitionFile;

// The document as LDF text: Windows-1252 bytes, every line ended by CR LF.
std::string RenderLDF(const corvdekLINDefinitionFile& document);

// Saves the rendered text as `path`. False when it could not be saved; then
// `lastLoadError` says why and an existing file at `path` is left as it was.
bool WriteLDF(corvdekLINDefinitionFile& document, const corvString& path);
