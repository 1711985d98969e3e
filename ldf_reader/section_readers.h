#pragma once
// The readers of the LDF sections. The load driver hands each statement of the current
// section to its reader through the load context's `statement` (already trimmed), together with
// the brace depth at which the statement ended. Readers never fail a load: whatever they
// cannot use becomes one load issue and reading goes on. Each returns true when it took
// the statement into the model or reported it; the driver reports the rest as not kept.

#include <string_view>

class LoadContext;

bool ReadNodesStatement(LoadContext& load);  // Master and Slaves, depth 1
bool ReadSignalStatement(LoadContext& load);
bool ReadDiagnosticSignalStatement(LoadContext& load);
bool ReadSignalGroupStatement(LoadContext& load, int depth);
bool ReadFrameStatement(LoadContext& load, int depth);
bool ReadSporadicFrameStatement(LoadContext& load);
bool ReadEventFrameStatement(LoadContext& load);
bool ReadDiagnosticFrameStatement(LoadContext& load, int depth);
bool ReadDiagnosticAddressStatement(LoadContext& load);
bool ReadDynamicFramesStatement(LoadContext& load);
bool ReadScheduleTableStatement(LoadContext& load, int depth);
bool ReadEncodingTypeStatement(LoadContext& load, int depth);
bool ReadRepresentationStatement(LoadContext& load);
bool ReadNodeAttributesStatement(LoadContext& load, int depth);
bool ReadCompositeStatement(LoadContext& load, int depth);
// The logical nodes of the composite node read last, as 'LN1, LN2' lists them.
void ReadCompositeNodeList(LoadContext& load, std::string_view list);
