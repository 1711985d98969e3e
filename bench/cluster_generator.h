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
// The largest cluster LIN allows: 64 frame identifiers of 8 bytes, 4,096 one-bit signals,
// 16 nodes.
constexpr ClusterShape kLargestLinCluster{15, 64, 64, 1};
// Stress size: 2,000 slaves, 40,000 signals, 10,000 frames (N slaves, 20 N signals, 5 N
// frames), and the same shape at about 4,096 signals to see how the operations scale.
constexpr ClusterShape kStressCluster{2000, 10000, 4, 8};
constexpr ClusterShape kStressShapeAt4k{205, 1025, 4, 8};

// Nodes, signals, frames with their layouts, node attributes, schedule tables with every
// entry kind, encoding types and representations; loads without load or setup issues.
std::string GenerateClusterLdf(const ClusterShape& shape);
