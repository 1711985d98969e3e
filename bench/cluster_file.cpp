// Writes the generated cluster of N slaves (20 N signals, 5 N frames) to a file, for
// measuring whole runs of tabrel-cli: cluster_file N PATH.

#include <cstdlib>
#include <fstream>
#include <iostream>

#include "cluster_generator.h"

int main(int argc, char** argv) {
    if (argc != 3 || std::atoi(argv[1]) <= 0) {
        std::cerr << "usage: cluster_file N PATH\n";
        return 2;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << GenerateClusterLdf(ClusterShapeOfN(std::atoi(argv[1])));
    return out.good() ? 0 : 1;
}
