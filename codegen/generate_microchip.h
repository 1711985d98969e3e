#pragma once
// The driver configuration header for one node of a cluster.

#include <string>

#include "foundation/corv_string.h"

class corvdekLINDefinitionFile;

class corvdekLINGenerateMicrochip {
public:
    // The header for the master, or for the slave at `slaveIndex` of the slave nodes, as
    // Windows-1252 bytes with CR LF line ends. False (and nothing rendered) for a slave
    // index outside the slaves. Sorts every frame's signals by offset in the document.
    static bool RenderHeader(corvdekLINDefinitionFile& document, bool isMaster, int slaveIndex,
                             std::string& header);
    // Renders the header and saves it as `path`; false when either fails, in which case an
    // existing file at `path` is left as it was.
    static bool GenerateHeader(const corvString& path, corvdekLINDefinitionFile& document,
                               bool isMaster, int slaveIndex);
};
