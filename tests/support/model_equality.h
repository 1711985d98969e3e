#pragma once
// Field-by-field comparison of two documents, for round-trip tests.

#include <string>
#include <vector>

class corvdekLINDefinitionFile;

// What an LDF file cannot carry back to the model after a save, stated explicitly:
// - the diagnostic frames as read: the writer emits fixed MasterReq and SlaveResp frames;
// - a composite node's entries: they are written as one list and read back as one entry,
//   so they are compared joined with ", ".
// Issue lists are not part of the cluster; comments are compared with the object that
// keeps them.
//
// Returns one line per differing field, naming it ("signals[3].publisher: A != B"); empty
// when the clusters are equal.
std::vector<std::string> ModelDifferences(const corvdekLINDefinitionFile& expected,
                                          const corvdekLINDefinitionFile& actual);
