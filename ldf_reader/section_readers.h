#pragma once
// The readers of the LDF sections. The load driver hands each statement of the current
// section to its reader through the document's `statement` (already trimmed), together with
// the brace depth at which the statement ended. Readers never fail a load: whatever they
// cannot use becomes one load issue and reading goes on.

class corvdekLINDefinitionFile;

void ReadNodesStatement(corvdekLINDefinitionFile& document);  // Master and Slaves, depth 1
void ReadSignalStatement(corvdekLINDefinitionFile& document);
void ReadFrameStatement(corvdekLINDefinitionFile& document, int depth);
void ReadSporadicFrameStatement(corvdekLINDefinitionFile& document);
void ReadEventFrameStatement(corvdekLINDefinitionFile& document);
void ReadDiagnosticFrameStatement(corvdekLINDefinitionFile& document, int depth);
void ReadDynamicFramesStatement(corvdekLINDefinitionFile& document);
void ReadScheduleTableStatement(corvdekLINDefinitionFile& document, int depth);
void ReadEncodingTypeStatement(corvdekLINDefinitionFile& document, int depth);
void ReadRepresentationStatement(corvdekLINDefinitionFile& document);
void ReadNodeAttributesStatement(corvdekLINDefinitionFile& document, int depth);
void ReadCompositeStatement(corvdekLINDefinitionFile& document, int depth);
