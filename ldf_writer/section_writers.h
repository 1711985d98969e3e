#pragma once
// The section writers of the LDF writer, in the order of the layout.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/corv_arrays.h"
#include "foundation/text_lines.h"

// The lines being written, and what could not be written as valid LDF at all.
class LdfOutput {
public:
    explicit LdfOutput(corvStringArray* leftOut) : leftOut_(leftOut) {}

    void Line(std::initializer_list<std::u16string_view> pieces) {
        Append(pieces);
        EndLine();
    }
    // A line of a varying number of pieces: appended in turn, then ended.
    void Append(std::initializer_list<std::u16string_view> pieces) {
        if (!pendingHeads_.empty()) WritePendingHead();
        lines_.Append(pieces);
    }
    void EndLine() { lines_.EndLine(); }
    void Blank() { lines_.Blank(); }
    // A block whose head line is written with its first line: the LIN grammar allows most
    // blocks no empty body, so one without a line is left out whole. Blocks nest.
    void OpenSection(std::u16string_view head) { pendingHeads_.emplace_back(head); }
    void CloseSection(std::u16string_view tail = u"}");
    // Notes a value that is left out, with the reason.
    void LeftOut(std::initializer_list<std::u16string_view> pieces);
    std::string Take() { return lines_.Take(); }

private:
    void WritePendingHead();

    TextLines lines_;
    corvStringArray* leftOut_;
    std::vector<std::u16string> pendingHeads_;
};

// A quoted text holds no quote; one that does cannot be written.
bool IsQuotable(const corvString& text);

// 'signal, offset;' lines of a frame, a diagnostic frame or a signal group.
void WriteSignalLayout(const corvStringArray& names, const corvStringArray& offsets,
                       std::u16string_view indent, LdfOutput& out);

class corvdekLINDefinitionFile;
void WriteHeaderStatements(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteNodesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteSignalsSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteCompositeSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteDiagnosticSignalsSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteSignalGroupsSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteDynamicFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteSporadicFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteEventFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteDiagnosticFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteDiagnosticAddressesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteNodeAttributesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteScheduleTablesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteEncodingTypesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteRepresentationSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
