#pragma once
// Collects the lines of a rendered LDF document as Windows-1252 bytes with CR LF ends.

#include <initializer_list>
#include <string>
#include <string_view>

#include "foundation/corv_arrays.h"

class LdfText {
public:
    // One line made of the pieces, in order.
    void Line(std::initializer_list<std::u16string_view> pieces);
    void Blank() { bytes_ += "\r\n"; }
    std::string Take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

// The entries of a list separated by `separator`.
std::u16string Joined(const corvStringArray& list, std::u16string_view separator);

// The section writers, in the order of the layout. Each writes its whole section.
class corvdekLINDefinitionFile;
void WriteNodesSection(const corvdekLINDefinitionFile& document, LdfText& out);
void WriteSignalsSection(const corvdekLINDefinitionFile& document, LdfText& out);
void WriteFramesSection(const corvdekLINDefinitionFile& document, LdfText& out);
void WriteCompositeSection(const corvdekLINDefinitionFile& document, LdfText& out);
void WriteDiagnosticSignalsSection(LdfText& out);
void WriteDynamicFramesSection(const corvdekLINDefinitionFile& document, LdfText& out);
void WriteSporadicFramesSection(const corvdekLINDefinitionFile& document, LdfText& out);
void WriteEventFramesSection(const corvdekLINDefinitionFile& document, LdfText& out);
void WriteDiagnosticFramesSection(LdfText& out);
// False when no node has attributes; then nothing is written.
bool WriteNodeAttributesSection(const corvdekLINDefinitionFile& document, LdfText& out);
void WriteScheduleTablesSection(const corvdekLINDefinitionFile& document, LdfText& out);
void WriteEncodingTypesSection(const corvdekLINDefinitionFile& document, LdfText& out);
void WriteRepresentationSection(const corvdekLINDefinitionFile& document, LdfText& out);
