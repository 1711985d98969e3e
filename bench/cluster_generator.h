#pragma once
// Large, valid LIN clusters as LDF text, for benchmarks and their tests.

#include <string>

struct ClusterShape {
    int slaves;
    int frames;
    int signalsPerFrame;
    int signalBits;  // 1 to 16
};

// A typical body-controller cluster: 10 slaves, 200 signals, 50 frames.
constexpr ClusterShape kTypicalCluster{10, 50, 4, 8};
// The largest LIN cluster: 4,096 one-bit signals in 64 frames of 8 bytes, 16 nodes (LIN has
// 60 frame identifiers for signals, so four of the frames share one).
constexpr ClusterShape kLargestLinCluster{15, 64, 64, 1};
// The shape that shows how the operations scale: N slaves, 20 N signals, 5 N frames.
constexpr ClusterShape ClusterShapeOfN(int slaves) { return {slaves, 5 * slaves, 4, 8}; }
// Stress size: 2,000 slaves, 40,000 signals, 10,000 frames.
constexpr ClusterShape kStressCluster = ClusterShapeOfN(2000);

// Nodes, signals, frames with their layouts, node attributes, schedule tables with every
// entry kind, diagnostic frames, encoding types and representations. Loads without load
// issues; the setup check finds only the frame identifiers and NADs that a cluster of more
// than 60 frames or 125 slaves must share.
std::string GenerateClusterLdf(const ClusterShape& shape);
