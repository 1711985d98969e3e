// Writes the generated cluster of N slaves (20 N signals, 5 N frames), or the largest LIN
// cluster, to a file, for measuring whole runs of tabrel-cli: cluster_file N|largest PATH.

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string_view>

#include "cluster_generator.h"

int main(int argc, char** argv) {
    const bool largest = argc == 3 && std::string_view(argv[1]) == "largest";
    if (argc != 3 || (!largest && std::atoi(argv[1]) <= 0)) {
        std::cerr << "usage: cluster_file N|largest PATH\n";
        return 2;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << GenerateClusterLdf(largest ? kLargestLinCluster : ClusterShapeOfN(std::atoi(argv[1])));
    return out.good() ? 0 : 1;
}
