#pragma once
// The readers of the LDF sections. The load driver hands each statement of the current
// section to its reader through the document's `statement` (already trimmed), together with
// the brace depth at which the statement ended. Readers never fail a load: whatever they
// cannot use becomes one load issue and reading goes on. Each returns true when it took
// the statement into the model or reported it; the driver reports the rest as not kept.

#include <string_view>

class corvdekLINDefinitionFile;

bool ReadNodesStatement(corvdekLINDefinitionFile& document);  // Master and Slaves, depth 1
bool ReadSignalStatement(corvdekLINDefinitionFile& document);
bool ReadDiagnosticSignalStatement(corvdekLINDefinitionFile& document);
bool ReadSignalGroupStatement(corvdekLINDefinitionFile& document, int depth);
bool ReadFrameStatement(corvdekLINDefinitionFile& document, int depth);
bool ReadSporadicFrameStatement(corvdekLINDefinitionFile& document);
bool ReadEventFrameStatement(corvdekLINDefinitionFile& document);
bool ReadDiagnosticFrameStatement(corvdekLINDefinitionFile& document, int depth);
bool ReadDiagnosticAddressStatement(corvdekLINDefinitionFile& document);
bool ReadDynamicFramesStatement(corvdekLINDefinitionFile& document);
bool ReadScheduleTableStatement(corvdekLINDefinitionFile& document, int depth);
bool ReadEncodingTypeStatement(corvdekLINDefinitionFile& document, int depth);
bool ReadRepresentationStatement(corvdekLINDefinitionFile& document);
bool ReadNodeAttributesStatement(corvdekLINDefinitionFile& document, int depth);
bool ReadCompositeStatement(corvdekLINDefinitionFile& document, int depth);
// The logical nodes of the composite node read last, as 'LN1, LN2' lists them.
void ReadCompositeNodeList(corvdekLINDefinitionFile& document, std::string_view list);
