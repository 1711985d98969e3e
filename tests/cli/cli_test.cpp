// tabrel-cli run as a separate process: output formats, files written and exit statuses.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "codegen/generate_microchip.h"
#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

struct Result {
    int status;
    std::string out;
    std::string err;
};

std::string Quoted(const std::string& argument) {
    std::string quoted = "'";
    for (char ch : argument) quoted += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return quoted + "'";
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tabrel_cli_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    Result Tabrel(const std::vector<std::string>& arguments) const {
        std::string command = Quoted(TABREL_CLI_PATH);
        for (const auto& argument : arguments) command += " " + Quoted(argument);
        command += " > " + Quoted((dir_ / "out").string()) + " 2> " + Quoted((dir_ / "err").string());
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, test_support::ReadBytes(dir_ / "out"),
                test_support::ReadBytes(dir_ / "err")};
    }
    std::string WriteLdf(const std::string& name, const std::string& text) const {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return (dir_ / name).string();
    }
    static std::string Sample(const std::string& name) {
        return (test_support::TestDataDir() / name).string();
    }

    fs::path dir_;
};

const std::string kClean =
    "LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\"; LIN_speed = 19.2 kbps;"
    "Nodes { Master: M, 5 ms, 1 ms; Slaves: S; }"
    "Signals { A: 8, 0, M, S; }"
    "Frames { F: 0x01, M, 1 { A, 0; } }"
    "Node_attributes { S { LIN_protocol = \"2.1\"; configured_NAD = 0x01; } }"
    "Schedule_tables { Main { F delay 10 ms; } }";

TEST_F(Cli, CheckCleanFileInTextFormat) {
    const std::string file = WriteLdf("clean.ldf", kClean);
    const Result run = Tabrel({"check", file});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, file + ": 0 errors, 0 warnings\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(Cli, CheckListsLoadIssuesThenSetupIssues) {
    const std::string file = WriteLdf(
        "issues.ldf",
        "LIN_protocol_version = \"2.5\"; LIN_language_version = \"2.1\"; LIN_speed = 19.2 kbps;"
        "Nodes { Master: M, 5 ms, 1 ms; Slaves: S; }"
        "Signals { A: 8, 0, M; B: 4; }");
    Result run = Tabrel({"check", "--format", "tsv", file});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              file + "\tload\t0\tThe LIN Signal is specified incorrectly.\t\tThis line has less "
                     "than the required number of parameters: B: 4\t1\n" +
                  file + "\tsetup\t1\tUnknown LIN Protocol version\tGeneral-Protocol\tThe LIN "
                         "Protocol version 2.5 is not understood by the Tabrel. This value should "
                         "be \"1.2\", \"1.3\", or \"J2602\". \t\n" +
                  file + "\tsetup\t0\tA - no Rx Nodes\tSignals-A-RxNodes\tThere are no rx nodes "
                         "defined for this signal.\t\n" +
                  file + "\tsetup\t0\tB - source node blank\tSignals-B-SourceNode\tThe source "
                         "node: (blank) is not a defined node.\t\n" +
                  file + "\tsetup\t0\tB - no Rx Nodes\tSignals-B-RxNodes\tThere are no rx nodes "
                         "defined for this signal.\t\n" +
                  file + "\tsetup\t0\tS - no node attributes\tNodes-S-Attributes\tLIN 2.0 and later describe "
                         "every slave in Node_attributes (its NAD and product id); S has none.\t\n" +
                  file + "\tsetup\t0\tA - signal in no frame\tSignals-A-Name\tNo frame carries the signal A.\t\n" +
                  file + "\tsetup\t0\tB - signal in no frame\tSignals-B-Name\tNo frame carries the signal B.\t\n");

    run = Tabrel({"check", file});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find(file + ": error: Unknown LIN Protocol version [General-Protocol]: The "
                                  "LIN Protocol version 2.5"),
              std::string::npos);
    EXPECT_NE(run.out.find(file + ": 1 error, 7 warnings\n"), std::string::npos);
}

TEST_F(Cli, WarningsFailOnlyWhenStrict) {
    const std::string file = WriteLdf("warn.ldf", kClean + "Signals { Unsent: 8, 0, M, S; }");
    EXPECT_EQ(Tabrel({"check", file}).status, 0);
    EXPECT_EQ(Tabrel({"check", "--strict", file}).status, 1);
}

TEST_F(Cli, CheckJsonFormat) {
    const std::string clean = WriteLdf("clean.ldf", kClean);
    const std::string missing = (dir_ / "missing.ldf").string();
    const Result run = Tabrel({"check", "--format", "json", clean, missing});
    EXPECT_EQ(run.status, 2);
    const auto json = nlohmann::json::parse(run.out);
    ASSERT_EQ(json.size(), 2u);
    EXPECT_EQ(json[0]["path"], clean);
    EXPECT_EQ(json[0]["loaded"], true);
    EXPECT_TRUE(json[0]["loadIssues"].empty());
    EXPECT_TRUE(json[0]["setupIssues"].empty());
    EXPECT_EQ(json[1]["loaded"], false);
    EXPECT_EQ(json[1]["error"], "Problem opening file.");
    EXPECT_EQ(json[1]["loadIssues"][0]["type"], "Problem opening LDF file.");
    EXPECT_EQ(json[1]["loadIssues"][0]["level"], "0");

    const std::string bad = WriteLdf("bad.ldf", "LIN_speed = 99 kbps;");
    const auto issues = nlohmann::json::parse(Tabrel({"check", "--format=json", bad}).out);
    const auto& first = issues[0]["setupIssues"][0];
    EXPECT_EQ(first["level"], "1");
    EXPECT_EQ(first["type"], "Unknown LIN Protocol version");
    EXPECT_EQ(first["section"], "General-Protocol");
}

TEST_F(Cli, PathsThatAreNoUtf8AreNamedNotFatal) {
    const std::string odd = (dir_ / "caf\xE9.ldf").string();
    const Result run = Tabrel({"check", "--format", "json", odd});
    EXPECT_EQ(run.status, 2);
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json[0]["loaded"], false);
    EXPECT_EQ(json[0]["path"], (dir_ / "caf\xEF\xBF\xBD.ldf").string());
}

TEST_F(Cli, UnloadableFilesNameThePathAndExitWith2) {
    const std::string missing = (dir_ / "missing.ldf").string();
    Result run = Tabrel({"check", WriteLdf("clean.ldf", kClean), missing});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(missing + ": cannot load: Problem opening file."), std::string::npos);
    EXPECT_EQ(run.out.find("cannot load"), std::string::npos);

    run = Tabrel({"check", "--format", "tsv", dir_.string()});  // a folder is no file
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(dir_.string() + ": Problem opening file."), std::string::npos);

    for (const auto& command : {std::vector<std::string>{"write", missing, "-"},
                                std::vector<std::string>{"export", missing},
                                std::vector<std::string>{"header", missing, "-", "--master"}}) {
        run = Tabrel(command);
        EXPECT_EQ(run.status, 2) << command[0];
        EXPECT_NE(run.err.find(missing), std::string::npos) << command[0];
        EXPECT_EQ(run.out, "") << command[0];
    }
}

TEST_F(Cli, WriteStoresWhatTheEditorSaves) {
    const std::string input = Sample("lin22_climate.ldf");
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(document.LoadFromFile(test_support::Path(input)));
    const std::string expected = RenderLDF(document);

    const std::string output = (dir_ / "saved.ldf").string();
    Result run = Tabrel({"write", input, output});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(test_support::ReadBytes(output), expected);

    run = Tabrel({"write", input, "-"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, expected);

    run = Tabrel({"write", input, (dir_ / "no/such/folder.ldf").string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("no/such/folder.ldf: cannot create the file"), std::string::npos);
}

TEST_F(Cli, WriteReportsLoadIssuesOnStandardError) {
    const std::string input = WriteLdf("issues.ldf", "Frames { { A, 0; } }" + kClean);
    const Result run = Tabrel({"write", input, "-"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, input + ":1: warning: LIN Frame Invalid.: This LIN frame is invalid at line: A, 0\n");
}

TEST_F(Cli, WriteNamesWhatItLeavesOutAndNeverReplacesWhatIsNoFile) {
    const std::string input = WriteLdf("partial.ldf", "Nodes { Master: CEM, 5 ms, ; }");
    Result run = Tabrel({"write", input, "-"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.find("Master"), std::string::npos);
    EXPECT_NE(run.err.find("-: warning: not written: LIN_speed: the cluster has no speed."),
              std::string::npos);
    EXPECT_NE(run.err.find("-: warning: not written: Master 'CEM'"), std::string::npos);

    // Written into the device, which stays a device (replacing it would break the machine).
    run = Tabrel({"write", Sample("lin22_climate.ldf"), "/dev/null"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    fs::create_directories(dir_ / "folder.ldf");
    run = Tabrel({"write", Sample("lin22_climate.ldf"), (dir_ / "folder.ldf").string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("folder.ldf: is no regular file, pipe or character device"),
              std::string::npos);
    EXPECT_TRUE(fs::is_directory(dir_ / "folder.ldf"));
}

TEST_F(Cli, HeaderForMasterOrNamedSlave) {
    const std::string input = Sample("lin21_door.ldf");
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(document.LoadFromFile(test_support::Path(input)));
    std::string master, slave;
    ASSERT_TRUE(corvdekLINGenerateMicrochip::RenderHeader(document, true, 0, master));
    ASSERT_TRUE(corvdekLINGenerateMicrochip::RenderHeader(document, false, 1, slave));

    const std::string output = (dir_ / "master.h").string();
    EXPECT_EQ(Tabrel({"header", input, output, "--master"}).status, 0);
    EXPECT_EQ(test_support::ReadBytes(output), master);
    const Result run = Tabrel({"header", input, "-", "--slave", "DoorFR"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, slave);

    const Result unknown = Tabrel({"header", input, "-", "--slave", "DoorRR"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, input + ": there is no slave node named 'DoorRR'\n");
    EXPECT_EQ(Tabrel({"header", input, "-"}).status, 2);
    EXPECT_EQ(Tabrel({"header", input, "-", "--master", "--slave", "DoorFR"}).status, 2);
}

TEST_F(Cli, ExportIsStableJsonOfTheWholeCluster) {
    const std::string input = Sample("lin22_climate.ldf");
    const Result run = Tabrel({"export", input});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Tabrel({"export", input}).out, run.out);
    const auto json = nlohmann::ordered_json::parse(run.out);
    std::vector<std::string> keys;
    for (const auto& item : json.items()) keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{
                        "protocolVersion", "languageVersion", "speed", "channelName",
                        "fileRevision", "signalByteOrder", "isJ2602", "hasDiagnosticFrames",
                        "master", "slaves", "signals", "diagnosticSignals", "signalGroups",
                        "frames", "diagnosticFrames", "diagnosticAddresses", "sporadicFrames",
                        "eventTriggeredFrames", "dynamicFrames", "scheduleTables",
                        "encodingTypes", "representations", "compositeConfigurations", "comments"}));
    EXPECT_EQ(json["master"]["timeBase"], "10");
    EXPECT_EQ(json["slaves"].size(), 4u);
    EXPECT_EQ(json["slaves"][0]["attributes"]["configurableFrames"][1]["id"], "0x09");
    EXPECT_EQ(json["signals"][6]["initValues"].size(), 6u);
    EXPECT_EQ(json["signals"][0]["encoding"], "Speed");
    EXPECT_EQ(json["frames"][0]["signals"][1]["offset"], "8");
    EXPECT_EQ(json["dynamicFrames"].size(), 3u);
    const auto& configure = json["scheduleTables"][1]["entries"];
    EXPECT_EQ(configure[0]["kind"], "AssignNAD");
    EXPECT_EQ(configure[0]["newNAD"], "0x30");
    EXPECT_EQ(configure[3]["data"], "0x30, 0x06, 0xB7, 0x00, 0x08, 0x09, 0xFF, 0xFF");
    EXPECT_EQ(json["encodingTypes"][0]["parts"][0]["unit"], "km/h");
    EXPECT_EQ(json["encodingTypes"][2]["parts"][0]["kind"], "bcd");
    EXPECT_EQ(json["compositeConfigurations"][0]["compositeNodes"][0]["nodes"],
              (std::vector<std::string>{"Flap1", "Flap2"}));
    EXPECT_EQ(json["signalGroups"][0]["signals"][1]["offset"], "16");
}

// The whole model of every sample and of every file of the shared corpus, as the loader read
// it before it was tuned for speed: the faster paths must not change a single field.
TEST_F(Cli, ExportOfEverySampleMatchesTheRecordedModel) {
    const fs::path expectedDir = test_support::TestDataDir() / "expected";
    const auto compare = [this](const fs::path& file, const fs::path& expected) {
        const Result run = Tabrel({"export", file.string()});
        EXPECT_EQ(run.status, 0) << file;
        EXPECT_EQ(run.out, test_support::ReadBytes(expected)) << file;
    };
    int samples = 0;
    for (const fs::path& folder : {test_support::TestDataDir(), test_support::ExamplesDir()}) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() != ".ldf") continue;
            compare(entry.path(), expectedDir / entry.path().filename().replace_extension(".json"));
            ++samples;
        }
    }
    EXPECT_EQ(samples, 7);
    if (!fs::exists(test_support::CorpusDir())) return;
    int corpusFiles = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(test_support::CorpusDir())) {
        if (entry.path().extension() != ".ldf") continue;
        // "ldfparser/lin21.ldf" is recorded as "ldfparser__lin21.json".
        std::string name = fs::relative(entry.path(), test_support::CorpusDir()).replace_extension(".json").string();
        for (std::size_t at = name.find('/'); at != std::string::npos; at = name.find('/', at)) name.replace(at, 1, "__");
        compare(entry.path(), expectedDir / "corpus" / name);
        ++corpusFiles;
    }
    EXPECT_EQ(corpusFiles, 20);
}

TEST_F(Cli, HelpVersionAndUsageErrors) {
    Result run = Tabrel({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("check"), std::string::npos);
    for (const char* command : {"check", "write", "header", "export"}) {
        run = Tabrel({command, "--help"});
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_NE(run.out.find("Usage"), std::string::npos) << command;
    }
    run = Tabrel({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "tabrel-cli 0.1.0\n");

    for (const auto& wrong : {std::vector<std::string>{},
                              std::vector<std::string>{"frobnicate"},
                              std::vector<std::string>{"check"},
                              std::vector<std::string>{"check", "--bogus", "x.ldf"},
                              std::vector<std::string>{"check", "--format", "xml", "x.ldf"},
                              std::vector<std::string>{"write", "only-in.ldf"},
                              std::vector<std::string>{"export"}}) {
        run = Tabrel(wrong);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("Usage"), std::string::npos);
        EXPECT_EQ(run.out, "");
    }
}

}  // namespace

namespace {

// Faults on lines 3 and 5 (a master without its times, a signal without its values).
const std::string kFaultsOnKnownLines =
    "LIN_description_file;\nLIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\";\n"
    "Nodes { Master: M;\n  Slaves: S; }\n"
    "Signals {\n  A: 8; }\n";

// Every format gives each load issue the line where its statement starts.
TEST_F(Cli, LoadIssuesCarryTheirLinesInEveryFormat) {
    const std::string file = WriteLdf("faults.ldf", kFaultsOnKnownLines);
    const struct {
        std::vector<std::string> command;
        std::vector<std::string> lines;  // found in standard output, or in standard error for write
        bool onStandardError;
    } cases[] = {
        {{"check", file},
         {file + ":3: error: The LIN Master is specified incorrectly.: ",
          file + ":6: warning: The LIN Signal is specified incorrectly.: "},
         false},
        {{"check", "--format", "tsv", file},
         {"\tload\t1\tThe LIN Master is specified incorrectly.\t\tThis line specifies the master incorrectly: "
          "Master: M\t3\n",
          "\tload\t0\tThe LIN Signal is specified incorrectly.\t\tThis line has less than the required number "
          "of parameters: A: 8\t6\n"},
         false},
        {{"write", file, "-"},
         {file + ":3: error: The LIN Master is specified incorrectly.: ",
          file + ":6: warning: The LIN Signal is specified incorrectly.: "},
         true},
    };
    for (const auto& c : cases) {
        const Result run = Tabrel(c.command);
        for (const std::string& line : c.lines) {
            EXPECT_NE((c.onStandardError ? run.err : run.out).find(line), std::string::npos)
                << c.command[0] << ": " << line << "\nout:\n" << run.out << "err:\n" << run.err;
        }
    }
    const auto json = nlohmann::json::parse(Tabrel({"check", "--format", "json", file}).out);
    const auto& issues = json[0]["loadIssues"];
    ASSERT_EQ(issues.size(), 2u);
    EXPECT_EQ(issues[0]["line"], 3);
    EXPECT_EQ(issues[0]["column"], 9);
    EXPECT_EQ(issues[1]["line"], 6);
    EXPECT_EQ(issues[1]["column"], 3);
}

// A file with text but not one LDF statement is refused by every command, and never replaced.
TEST_F(Cli, FilesThatAreNoLdfAreRefused) {
    const std::string picture = WriteLdf("pic.png", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10", 20));
    const std::string bytes = test_support::ReadBytes(picture);
    for (const auto& command : {std::vector<std::string>{"check", picture}, {"write", picture, picture},
                                {"header", picture, "-", "--master"}, {"export", picture}}) {
        const Result run = Tabrel(command);
        EXPECT_EQ(run.status, 2) << command[0];
        EXPECT_NE(run.err.find(picture + ": not an LDF file\n"), std::string::npos) << command[0] << ": " << run.err;
    }
    EXPECT_EQ(test_support::ReadBytes(picture), bytes);
    const std::string comments = WriteLdf("comments.ldf", "// nothing yet\n");
    EXPECT_NE(Tabrel({"check", comments}).status, 2) << "a file of comments is an empty cluster";
}

// ncf check: the read issues of node capability files, in the forms and exit statuses of check.
TEST_F(Cli, NcfCheckListsTheIssuesOfNodeCapabilityFiles) {
    const std::string clean = WriteLdf(
        "clean.ncf",
        "node_capability_file;\nLIN_language_version = \"2.2\";\nnode N {\n general { LIN_protocol_version = \"2.2\";"
        " supplier = 1; function = 2; variant = 3; bitrate = 19.2 kbps; sends_wake_up_signal = \"no\"; }\n"
        " diagnostic { NAD = 1; diagnostic_class = 1; }\n frames { }\n status_management { response_error = e; }\n}\n");
    const std::string faulty = WriteLdf("faulty.ncf", "node_capability_file;\nnode N {\n general {\n bitrate = 19.2;\n");
    const std::string picture = WriteLdf("pic.png", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
    const struct {
        std::vector<std::string> command;
        int status;
        std::string out;  // found in standard output
        std::string err;  // found in standard error
    } cases[] = {
        {{"ncf", "check", clean}, 0, clean + ": 0 errors, 0 warnings\n", ""},
        {{"ncf", "check", faulty}, 1, faulty + ":4: warning: NCF statement invalid.: 'bitrate = 19.2'", ""},
        {{"ncf", "check", faulty}, 1, faulty + ":3: error: NCF syntax error.: A block '{' is never closed.", ""},
        {{"ncf", "check", "--format", "tsv", faulty}, 1, "\tload\t0\tNCF statement invalid.\t\t", ""},
        {{"ncf", "check", "--strict", clean}, 0, "", ""},
        {{"ncf", "check", picture}, 2, "", picture + ": not an NCF file\n"},
        {{"ncf", "check", (dir_ / "missing.ncf").string()}, 2, "", "cannot load: Problem opening file."},
        {{"ncf"}, 2, "", "A subcommand is required"},
    };
    for (const auto& c : cases) {
        const Result run = Tabrel(c.command);
        EXPECT_EQ(run.status, c.status) << c.command.back() << "\n" << run.out << run.err;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << c.out << "\nout:\n" << run.out;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.err << "\nerr:\n" << run.err;
    }
    const auto json = nlohmann::json::parse(Tabrel({"ncf", "check", "--format", "json", faulty}).out);
    const auto& issues = json[0]["loadIssues"];
    EXPECT_TRUE(std::any_of(issues.begin(), issues.end(), [](const auto& issue) {
        return issue["type"] == "NCF statement invalid." && issue["line"] == 4 && issue["column"] == 2;
    })) << issues.dump();
}

// ncf export: one slave's NCF to a file or standard output, what it decided on standard error.
TEST_F(Cli, NcfExportWritesTheFileOfOneSlave) {
    const std::string cluster = WriteLdf("cluster.ldf", kClean);
    const std::string written = (dir_ / "S.ncf").string();
    const struct {
        std::vector<std::string> command;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {{"ncf", "export", cluster, "S", "-"}, 0, "node S {", "-: decided: Node 'S': sends_wake_up_signal"},
        {{"ncf", "export", cluster, "S", written}, 0, "", written + ": decided: "},
        {{"ncf", "export", cluster, "Nobody", "-"}, 2, "", "there is no slave node named 'Nobody'"},
        {{"ncf", "export", (dir_ / "missing.ldf").string(), "S", "-"}, 2, "", "cannot load"},
        {{"ncf", "export", cluster, "S", dir_.string()}, 2, "", ""},
    };
    for (const auto& c : cases) {
        const Result run = Tabrel(c.command);
        EXPECT_EQ(run.status, c.status) << c.command[3] << "\n" << run.err;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << c.out << "\nout:\n" << run.out;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.err << "\nerr:\n" << run.err;
    }
    const Result check = Tabrel({"ncf", "check", written});
    EXPECT_EQ(check.status, 0) << check.out;
}

// ncf add: a cluster built or updated from NCFs, decisions and changes on standard error;
// a conflict writes nothing.
TEST_F(Cli, NcfAddBuildsAndUpdatesAClusterFromNodeFiles) {
    const std::string cluster = WriteLdf("master.ldf", "LIN_description_file; LIN_protocol_version = \"2.2\";"
                                                       " LIN_language_version = \"2.2\"; LIN_speed = 19.2 kbps;"
                                                       " Nodes { Master: M, 5 ms, 0.1 ms; }");
    const auto node = [this](const std::string& name, const std::string& nad, const std::string& size) {
        return WriteLdf(name + size + ".ncf",
                        "node_capability_file; LIN_language_version = \"2.2\"; node " + name +
                            " { general { LIN_protocol_version = \"2.2\"; supplier = 1; function = 2; variant = 0;"
                            " bitrate = 19.2 kbps; sends_wake_up_signal = \"no\"; } diagnostic { NAD = " + nad +
                            "; diagnostic_class = 1; } frames { publish " + name + "_St { length = 1; signals { " +
                            name + "_e { init_value = 0; size = " + size + "; offset = 0; } } } }"
                            " status_management { response_error = " + name + "_e; } }");
    };
    const std::string built = (dir_ / "built.ldf").string();
    const std::string untouched = (dir_ / "untouched.ldf").string();
    const struct {
        std::vector<std::string> command;
        int status;
        std::string err;
        bool writes;
    } cases[] = {
        {{"ncf", "add", cluster, node("A", "0x10", "1"), node("B", "0x10, 0x11", "1"), "-o", built}, 0,
         built + ": decided: Node 'B': configured NAD 0x11", true},
        {{"ncf", "add", built, node("A", "0x10", "2"), "-o", built}, 0, built + ": ~ signal A_e: size 1 -> 2", true},
        {{"ncf", "add", cluster, node("A", "0x10", "1"), node("A", "0x10", "2"), "-o", untouched}, 1,
         untouched + ": conflict: ", false},
        {{"ncf", "add", cluster, (dir_ / "missing.ncf").string(), "-o", untouched}, 2, "cannot load", false},
        {{"ncf", "add", cluster, cluster, "-o", untouched}, 2, cluster + ": not an NCF file", false},
    };
    for (const auto& c : cases) {
        const Result run = Tabrel(c.command);
        EXPECT_EQ(run.status, c.status) << c.err << "\n" << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.err << "\nerr:\n" << run.err;
        EXPECT_EQ(fs::exists(c.command.back()), c.writes) << c.err;
    }
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(document.LoadFromFile(test_support::Path(built)));
    EXPECT_EQ(document.nodes.GetCount(), 2);
    for (int i = 0; i < document.signals.GetCount(); ++i) {
        const corvdekLINSignal& signal = *document.signals.Get(i);
        EXPECT_EQ(signal.size.ToUtf8(), signal.name.Equals(u"A_e") ? "2" : "1") << signal.name.ToUtf8();
    }
}

const std::string kValues =
    "LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\"; LIN_speed = 19.2 kbps;"
    "Nodes { Master: M, 5 ms, 1 ms; Slaves: S; }"
    "Signals { Lamp: 2, 0, S, M; Level: 8, 0, S, M; Code: 16, {0x41, 0x42}, S, M; }"
    "Frames { Status: 0x10, S, 4 { Lamp, 0; Level, 8; Code, 16; } }"
    "Signal_encoding_types { OnOff { logical_value, 0, \"off\"; logical_value, 1, \"on\"; }"
    "  Percent { physical_value, 0, 200, 0.5, 0, \"%\"; } Letters { ascii_value; } }"
    "Signal_representation { OnOff: Lamp; Percent: Level; Letters: Code; }";

// decode, encode and decode --trace: what each prints, and how each refuses.
TEST_F(Cli, DecodeAndEncodeFrames) {
    const std::string file = WriteLdf("values.ldf", kValues);
    const std::string log = WriteLdf("bus.log", "# a log\n0.010 10 FD 64 41 42\nzz\n0.020 0x50 01 FF 4F 4B\n3F 00\n");
    const struct {
        std::vector<std::string> command;
        int status;
        std::string out;  // the whole standard output
        std::string err = {};  // a piece of the standard error
    } cases[] = {
        {{"decode", file, "Status", "FD", "64", "41", "42"}, 0,
         "Status (id 16, 4 bytes): FD 64 41 42\n"
         "  Lamp   1 (0x1)     \"on\"\n"
         "  Level  100 (0x64)  50 %\n"
         "  Code   {41 42}     \"AB\"\n"},
        {{"decode", file, "0x10", "FD6441", "42"}, 0,
         "Status (id 16, 4 bytes): FD 64 41 42\n"
         "  Lamp   1 (0x1)     \"on\"\n"
         "  Level  100 (0x64)  50 %\n"
         "  Code   {41 42}     \"AB\"\n"},
        {{"decode", file, "16", "02FF0000", "--format", "json"}, 0,
         R"({"frame":"Status","id":16,"length":4,"bytes":"02 FF 00 00","signals":[)"
         R"({"name":"Lamp","offset":0,"size":2,"raw":2,"encoding":"OnOff","value":null,"unit":null,"text":null},)"
         R"({"name":"Level","offset":8,"size":8,"raw":255,"encoding":"Percent","value":null,"unit":null,"text":null},)"
         R"({"name":"Code","offset":16,"size":16,"raw":[0,0],"encoding":"Letters","value":null,"unit":null,"text":"\u0000\u0000"}]})"
         "\n"},
        {{"decode", file, "Status", "FD", "64"}, 2, "", "frame Status has 4 data bytes"},
        {{"decode", file, "Status", "FD", "6"}, 2, "", "frame Status has 4 data bytes"},
        {{"decode", file, "Nope", "00"}, 2, "", "there is no frame named Nope"},
        {{"decode", file}, 2, "", "FRAME and BYTE, or --trace LOG"},
        {{"encode", file, "Status", "Lamp=on", "Level=25 %", "Code=OK"}, 0, "FD 32 4F 4B\n"},
        {{"encode", file, "Status"}, 0, "FC 00 41 42\n"},
        {{"encode", file, "Status", "--fill", "0"}, 0, "00 00 41 42\n"},
        {{"encode", file, "Status", "Level=150"}, 2, "", "Level: '150' is out of range (raw 0 to 255; physical 0 to 100 %)"},
        {{"encode", file, "Status", "Lamp"}, 2, "", "'Lamp': write SIGNAL=VALUE"},
        {{"decode", file, "--trace", log, "--format", "json"}, 1,
         R"({"frame":"Status","id":16,"length":4,"bytes":"FD 64 41 42","signals":[)"
         R"({"name":"Lamp","offset":0,"size":2,"raw":1,"encoding":"OnOff","value":null,"unit":null,"text":"on"},)"
         R"({"name":"Level","offset":8,"size":8,"raw":100,"encoding":"Percent","value":50.0,"unit":"%","text":null},)"
         R"({"name":"Code","offset":16,"size":16,"raw":[65,66],"encoding":"Letters","value":null,"unit":null,"text":"AB"}],"time":0.01})"
         "\n"
         R"({"frame":"Status","id":16,"length":4,"bytes":"01 FF 4F 4B","signals":[)"
         R"({"name":"Lamp","offset":0,"size":2,"raw":1,"encoding":"OnOff","value":null,"unit":null,"text":"on"},)"
         R"({"name":"Level","offset":8,"size":8,"raw":255,"encoding":"Percent","value":null,"unit":null,"text":null},)"
         R"({"name":"Code","offset":16,"size":16,"raw":[79,75],"encoding":"Letters","value":null,"unit":null,"text":"OK"}],"time":0.02})"
         "\n",
         log + ":3: 'zz' is no frame identifier\n" + log + ":5: no frame of the cluster has the identifier 0x3F\n"},
    };
    for (const auto& c : cases) {
        std::string command;
        for (const std::string& argument : c.command) command += argument + " ";
        const Result run = Tabrel(c.command);
        EXPECT_EQ(run.status, c.status) << command << "\n" << run.err;
        if (c.status != 2) {
            EXPECT_EQ(run.out, c.out) << command;
        }
        EXPECT_NE(run.err.find(c.err), std::string::npos) << command << "\n" << run.err;
    }
}

// A log read from standard input, as `tail -f log | tabrel-cli decode FILE --trace -` does.
TEST_F(Cli, DecodeTraceFromStandardInput) {
    const std::string file = WriteLdf("values.ldf", kValues);
    const std::string log = WriteLdf("bus.log", "50 00 00 41 42\n");
    const std::string command = Quoted(TABREL_CLI_PATH) + " decode " + Quoted(file) + " --trace - < " + Quoted(log) +
                                " > " + Quoted((dir_ / "out").string());
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(test_support::ReadBytes(dir_ / "out"), "Status (id 16, 4 bytes): 00 00 41 42\n"
                                                      "  Lamp   0 (0x0)  \"off\"\n"
                                                      "  Level  0 (0x0)  0 %\n"
                                                      "  Code   {41 42}  \"AB\"\n");
}

// diff: the exit status tells equal from different; the JSON form lists the same changes.
TEST_F(Cli, DiffComparesTwoRevisions) {
    const std::string old = WriteLdf("old.ldf", kValues);
    std::string changed = kValues;
    changed.replace(changed.find("Level: 8, 0"), 11, "Level: 8, 4");
    changed.replace(changed.find("Status: 0x10"), 12, "State: 0x10");
    const std::string now = WriteLdf("new.ldf", changed);
    const struct {
        std::vector<std::string> command;
        int status;
        std::string out;
    } cases[] = {
        {{"diff", old, old}, 0, ""},
        {{"diff", old, old, "--format", "json"}, 0, "{\n  \"changes\": []\n}\n"},
        {{"diff", old, now}, 1, "~ signal Level: initial value 0 -> 4\n> frame Status renamed State\n"},
        {{"diff", old, now, "--node", "M"}, 1, "~ signal Level: initial value 0 -> 4\n> frame Status renamed State\n"},
        {{"diff", old, now, "--node", "Nobody"}, 0, ""},
        {{"diff", old, (dir_ / "missing.ldf").string()}, 2, ""},
    };
    for (const auto& c : cases) {
        const Result run = Tabrel(c.command);
        EXPECT_EQ(run.status, c.status) << c.command.back() << "\n" << run.err;
        EXPECT_EQ(run.out, c.out) << c.command.back();
    }
    const auto json = nlohmann::json::parse(Tabrel({"diff", "--format", "json", old, now}).out);
    EXPECT_EQ(json, nlohmann::json::parse(R"({"changes": [
        {"kind": "signal", "name": "Level", "change": "changed",
         "fields": [{"field": "initial value", "old": "0", "new": "4"}]},
        {"kind": "frame", "name": "Status", "change": "renamed", "newName": "State", "fields": []}]})"));
}

}  // namespace
