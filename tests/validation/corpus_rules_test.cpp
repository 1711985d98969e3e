// The setup check over files written by other tools: each known defect of a file gives its
// errors, and the correct files get none.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "model/definition_file.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using Types = std::vector<std::string>;

Types ErrorTypes(const fs::path& file) {
    corvdekLINDefinitionFile document;
    EXPECT_TRUE(document.LoadFromFile(test_support::Path(file)));
    document.CheckSetup();
    Types types;
    for (int i = 0; i < document.setupIssueLevels.Count(); ++i) {
        if (document.setupIssueLevels.Item(i).Equals(u"1")) types.push_back(test_support::Utf8(document.setupIssueTypes.Item(i)));
    }
    return types;
}

TEST(CorpusRules, KnownDefectsAreReportedAndCorrectFilesPass) {
    const fs::path corpus = test_support::CorpusDir();
    if (!fs::is_directory(corpus)) GTEST_SKIP() << "no LDF corpus at " << corpus;
    const std::map<std::string, Types> defects = {
        // Both slaves have NAD 0x20; RSM's error bit is published by LSM in RSM's frame; RSM
        // configures LSM's frames; the event-triggered frame's frames use their first byte.
        {"ldfparser/lin21.ldf",
         {"RSM - NAD used twice", "RSM - response error signal invalid", "RSM - configurable frame invalid",
          "RSM - configurable frame invalid", "RSM_Frm2 - signal of another publisher",
          "Node_Status_Event - first byte carries a signal", "Node_Status_Event - first byte carries a signal"}},
        // Identifiers 0x40 to 0x45, beyond the 6 bits of a LIN identifier.
        {"ldfparser/lin_schedules.ldf",
         {"LeftLightStatus - frame identifier out of range", "RightLightStatus - frame identifier out of range",
          "LeftLightSet - frame identifier out of range", "RightLightSet - frame identifier out of range",
          "LeftLightError - frame identifier out of range", "RightLightError - frame identifier out of range",
          "LightErrorEvent - first byte carries a signal", "LightErrorEvent - first byte carries a signal"}},
        // Two signals defined twice with different sizes; the larger ones overlap their
        // neighbours in the 49 KiB test file.
        {"lin_ldf_parser/dummy_ldf_for_tests.ldf",
         {"SLAVE5_DDD - name used twice", "SLAVE5e_Futzui_DDD - name used twice", "SLAVE5e_01 - signals overlap",
          "SLAVE5s_01 - signals overlap", "SLAVE5s_01 - signals overlap"}},
        {"lin_ldf_parser/empty.ldf", {"Unknown LIN Protocol version", "Unknown LIN Language version"}},
        // A signal beyond its 5-byte frame.
        {"lin_tools/example_13.ldf", {"VL1_LSM_Frm2 - signal beyond the frame"}},
        // The LIN 2.2 example names the undefined signal IntTest as a fault state signal
        // (and lists it in a frame, which the older rule reports as a warning).
        {"lin_tools/example_22.ldf", {"LSM - fault state signal invalid"}},
        {"lin_tools/test_prettify.ldf", {"LSM - fault state signal invalid"}},
    };
    int checked = 0;
    for (const fs::path& file : test_support::LdfFilesIn(corpus)) {
        const std::string relative = fs::relative(file, corpus).generic_string();
        const auto known = defects.find(relative);
        EXPECT_EQ(ErrorTypes(file), known == defects.end() ? Types{} : known->second) << relative;
        ++checked;
    }
    EXPECT_EQ(checked, 20);
}

}  // namespace
