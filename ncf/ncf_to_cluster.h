#pragma once
// Builds or updates a cluster from the node capability files of its nodes. Each NCF node
// becomes a slave (or, named as the cluster's master, speaks for the master) with its node
// attributes; its publish frames become frames it publishes with their signals (a frame the
// cluster already has under the node's name, with that layout, stays as it is); its
// subscribe frames make it a receiver of the signals they list, in the frames another node
// publishes, or, where no node publishes them, in frames the master publishes. Encodings and
// representations come along, and its frames are its configurable frames in the NCF's
// order, followed by the event-triggered frames that carry them.
//
// What an NCF leaves open is decided, and each decision reported:
// - a new frame's identifier: the lowest that no frame or event-triggered frame of the
//   cluster uses (0x00 to 0x3B);
// - the configured NAD: the first of the node's NAD set that no other slave uses; a set of
//   more than one NAD also gives the initial NAD, its first;
// - the bus speed: the cluster's when the node accepts it; a cluster without one takes the
//   node's (a fixed rate, the highest of a selection, the upper bound of an automatic one,
//   else 19.2 kbps);
// - a frame declared without signals whose name another frame of the node gives as its
//   event-triggered frame stands for that event-triggered frame (it is no frame of its own).
// Conflicts are reported and never resolved: a frame or signal the cluster already has with
// another layout or publisher, a NAD set without a free NAD, a bus speed the node does not
// accept, a received frame that no node publishes in a cluster without a master. A node the cluster already has is updated in place: its frames keep their
// identifiers and the other nodes keep receiving its signals.

#include <vector>

#include "foundation/corv_arrays.h"
#include "model/definition_file.h"
#include "ncf_document.h"

struct NcfAddReport {
    corvStringArray decisions;
    corvStringArray conflicts;
};

// Adds the nodes of every document, in order, as one build.
NcfAddReport AddNodeCapabilities(corvdekLINDefinitionFile& cluster, const std::vector<const NcfDocument*>& documents);
