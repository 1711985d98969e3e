#pragma once
// The node capability file of one slave of a cluster: what its supplier would ship for it.
// The cluster gives the product id, the NAD (the slave's initial NAD, else its configured
// one), the diagnostic timings, the frames it publishes with their signals and those it
// receives with the signals it receives of them, offsets and encodings, response_error and the fault state signals, and the
// cluster's bit rate. What an LDF does not hold but the language requires is decided and
// listed in `decisions`.

#include <optional>

#include "foundation/corv_arrays.h"
#include "model/definition_file.h"
#include "ncf_document.h"

// None when the cluster has no slave of that name.
std::optional<NcfDocument> NcfOfSlave(const corvdekLINDefinitionFile& cluster, std::u16string_view slaveName,
                                      corvStringArray& decisions);
