#pragma once
// The section writers of the LDF writer, in the order of the layout.

#include <string>
#include <string_view>

#include "foundation/corv_arrays.h"
#include "foundation/text_lines.h"

// The entries of a list separated by `separator`.
std::u16string Joined(const corvStringArray& list, std::u16string_view separator);

class corvdekLINDefinitionFile;
void WriteNodesSection(const corvdekLINDefinitionFile& document, TextLines& out);
void WriteSignalsSection(const corvdekLINDefinitionFile& document, TextLines& out);
void WriteFramesSection(const corvdekLINDefinitionFile& document, TextLines& out);
void WriteCompositeSection(const corvdekLINDefinitionFile& document, TextLines& out);
void WriteDiagnosticSignalsSection(TextLines& out);
void WriteDynamicFramesSection(const corvdekLINDefinitionFile& document, TextLines& out);
void WriteSporadicFramesSection(const corvdekLINDefinitionFile& document, TextLines& out);
void WriteEventFramesSection(const corvdekLINDefinitionFile& document, TextLines& out);
void WriteDiagnosticFramesSection(TextLines& out);
// False when no node has attributes; then nothing is written.
bool WriteNodeAttributesSection(const corvdekLINDefinitionFile& document, TextLines& out);
void WriteScheduleTablesSection(const corvdekLINDefinitionFile& document, TextLines& out);
void WriteEncodingTypesSection(const corvdekLINDefinitionFile& document, TextLines& out);
void WriteRepresentationSection(const corvdekLINDefinitionFile& document, TextLines& out);
