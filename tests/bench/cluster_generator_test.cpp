// The benchmark clusters are valid: they load without load issues and pass the setup
// checks but for the identifiers and NADs that larger clusters must share, and they have
// the sizes the benchmarks name.

#include "cluster_generator.h"

#include <gtest/gtest.h>

#include "model/definition_file.h"
#include "support/test_support.h"

namespace {

TEST(ClusterGenerator, ClustersAreValidAndSizedAsStated) {
    struct Expected {
        ClusterShape shape;
        int slaves, signals, frames;
    };
    for (const Expected& expected : {Expected{kTypicalCluster, 10, 200, 50},
                                     Expected{kLargestLinCluster, 15, 4096, 64},
                                     Expected{ClusterShapeOfN(205), 205, 4100, 1025}}) {
        corvdekLINDefinitionFile document;
        ASSERT_TRUE(document.LoadFromBytes(GenerateClusterLdf(expected.shape)));
        EXPECT_EQ(test_support::LoadIssues(document), std::vector<std::string>{});
        document.CheckSetup();
        const int sharedIds = std::max(0, expected.frames - 60);
        const int sharedNads = std::max(0, expected.slaves - 125);
        int shared = 0;
        for (int i = 0; i < document.setupIssueTypes.Count(); ++i) {
            const std::string type = test_support::Utf8(document.setupIssueTypes.Item(i));
            shared += type.ends_with(" - frame identifier used twice") || type.ends_with(" - NAD used twice");
        }
        EXPECT_EQ(shared, sharedIds + sharedNads);
        EXPECT_EQ(document.setupIssueTypes.Count(), shared) << test_support::SetupIssues(document).front();
        EXPECT_EQ(document.nodes.GetCount(), expected.slaves);
        EXPECT_EQ(document.signals.GetCount(), expected.signals);
        EXPECT_EQ(document.frames.GetCount(), expected.frames);
        ASSERT_EQ(document.scheduleTables.GetCount(), 2);
        EXPECT_EQ(document.scheduleTables.Get(1)->items.GetCount(),
                  6 * std::min(expected.slaves, 16));  // every command kind
    }
}

// The largest benchmark size keeps every statement within the loader's limit.
TEST(ClusterGenerator, LargestBenchmarkSizeLoadsWhole) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(document.LoadFromBytes(GenerateClusterLdf(ClusterShapeOfN(5000))));
    EXPECT_EQ(test_support::LoadIssues(document), std::vector<std::string>{});
    EXPECT_EQ(document.signals.GetCount(), 100000);
    EXPECT_EQ(document.signals.Last()->encoding.View(), u"Enc7");  // frame 24,999 of 16 encodings
}

}  // namespace
