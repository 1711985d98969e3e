// tabrel-cli: the LDF engine of Tabrel for scripts and CI pipelines.

#include <CLI/CLI.hpp>

#include <iostream>
#include <cstdlib>
#include <map>

#include "commands.h"
#include "document_io.h"
#include "foundation/heap_policy.h"

namespace {

constexpr const char* kVersion = "tabrel-cli " TABREL_VERSION;

}  // namespace

int main(int argc, char** argv) {
    tabrel::UseLargePagesForTheHeap();
    CLI::App app{"Load, check, write and generate LIN description files (LDF).", "tabrel-cli"};
    app.set_version_flag("--version", kVersion);
    app.require_subcommand(1);

    CheckOptions check;
    std::string format = "text";
    CLI::App* checkCommand = app.add_subcommand(
        "check", "Load each file and list its load issues and current setup issues.");
    checkCommand->add_option("--format", format, "Output format")
        ->check(CLI::IsMember({"text", "tsv", "json"}));
    checkCommand->add_flag("--strict", check.strict, "Fail on warnings too");
    checkCommand->add_option("FILE", check.files, "LDF files")->required();

    std::string input, output, slave;
    bool master = false;
    CLI::App* writeCommand =
        app.add_subcommand("write", "Load IN and save it as LDF to OUT ('-' for standard output).");
    writeCommand->add_option("IN", input, "LDF file to load")->required();
    writeCommand->add_option("OUT", output, "File to write, or '-'")->required();

    CLI::App* headerCommand = app.add_subcommand(
        "header", "Generate the driver configuration header of one node ('-' for standard output).");
    headerCommand->add_option("IN", input, "LDF file to load")->required();
    headerCommand->add_option("OUT", output, "Header file to write, or '-'")->required();
    CLI::Option* masterFlag = headerCommand->add_flag("--master", master, "For the master node");
    CLI::Option* slaveOption = headerCommand->add_option("--slave", slave, "For the named slave node");
    masterFlag->excludes(slaveOption);
    headerCommand->callback([&] {
        if (!master && slaveOption->count() == 0) {
            throw CLI::RequiredError("one of --master or --slave NAME");
        }
    });

    CLI::App* exportCommand =
        app.add_subcommand("export", "Print the whole cluster of IN as JSON.");
    exportCommand->add_option("IN", input, "LDF file to load")->required();

    DecodeOptions decode;
    std::string decodeFormat = "text";
    CLI::App* decodeCommand = app.add_subcommand(
        "decode", "Show the signal values of a frame's data bytes, or of every frame of a bus log.");
    decodeCommand->add_option("FILE", decode.file, "LDF file to load")->required();
    decodeCommand->add_option("FRAME", decode.frame, "Frame name or identifier (0x10 or 16)");
    decodeCommand->add_option("BYTE", decode.bytes, "Data bytes in hexadecimal: 01 A5 FF or 01A5FF");
    decodeCommand->add_option("--format", decodeFormat, "Output format")->check(CLI::IsMember({"text", "json"}));
    CLI::Option* traceOption = decodeCommand->add_option(
        "--trace", decode.trace, "Log to decode, one frame a line: [seconds] identifier bytes ('-': standard input)");
    decodeCommand->callback([&] {
        if (traceOption->count() == 0 && decode.frame.empty()) throw CLI::RequiredError("FRAME and BYTE, or --trace LOG");
        if (traceOption->count() > 0 && !decode.frame.empty()) throw CLI::ExcludesError("FRAME", "--trace");
    });

    EncodeOptions encode;
    CLI::App* encodeCommand =
        app.add_subcommand("encode", "Print the data bytes of a frame with the given signal values.");
    encodeCommand->add_option("FILE", encode.file, "LDF file to load")->required();
    encodeCommand->add_option("FRAME", encode.frame, "Frame name or identifier (0x10 or 16)")->required();
    encodeCommand->add_option("SIGNAL=VALUE", encode.assignments,
                              "Raw (0x1F), physical (12.5 or '12.5 km/h'), logical text, or bytes of a byte array; "
                              "other signals take their initial values");
    encodeCommand->add_option("--fill", encode.fill, "The bits no signal takes")->check(CLI::IsMember({0, 1}));

    DiffOptions diff;
    std::string diffFormat = "text";
    CLI::App* diffCommand = app.add_subcommand(
        "diff", "Compare two revisions of a cluster object by object (exit 0: equal, 1: they differ).");
    diffCommand->add_option("OLD", diff.before, "LDF file of the old revision")->required();
    diffCommand->add_option("NEW", diff.after, "LDF file of the new revision")->required();
    diffCommand->add_option("--format", diffFormat, "Output format")->check(CLI::IsMember({"text", "json"}));
    diffCommand->add_option("--node", diff.node, "Only what concerns this node");

    CheckOptions ncfCheck;
    std::string ncfFormat = "text";
    CLI::App* ncfCommand = app.add_subcommand("ncf", "Node capability files (NCF).");
    ncfCommand->require_subcommand(1);
    CLI::App* ncfCheckCommand =
        ncfCommand->add_subcommand("check", "Read each node capability file and list what is wrong in it.");
    ncfCheckCommand->add_option("--format", ncfFormat, "Output format")->check(CLI::IsMember({"text", "tsv", "json"}));
    ncfCheckCommand->add_flag("--strict", ncfCheck.strict, "Fail on warnings too");
    ncfCheckCommand->add_option("FILE", ncfCheck.files, "NCF files")->required();
    CLI::App* ncfExportCommand = ncfCommand->add_subcommand(
        "export", "Write the node capability file of one slave of a cluster ('-' for standard output).");
    ncfExportCommand->add_option("LDF", input, "LDF file of the cluster")->required();
    ncfExportCommand->add_option("NODE", slave, "The slave node")->required();
    ncfExportCommand->add_option("OUT", output, "NCF file to write, or '-'")->required();
    std::vector<std::string> ncfFiles;
    CLI::App* ncfAddCommand = ncfCommand->add_subcommand(
        "add", "Add the nodes of node capability files to a cluster, or update them, and save it as LDF.");
    ncfAddCommand->add_option("LDF", input, "LDF file of the cluster")->required();
    ncfAddCommand->add_option("NCF", ncfFiles, "NCF files of its nodes")->required();
    ncfAddCommand->add_option("-o,--output", output, "LDF file to write, or '-'")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "tabrel-cli: " << e.what() << "\n\n";
        CLI::App* failed = &app;
        while (!failed->get_subcommands().empty()) failed = failed->get_subcommands().back();
        std::cerr << failed->help();
        return kExitFailure;
    }

    // The process ends with the command: its documents need not be taken apart.
    RetireDocument::outliveCommands = true;
    // The commands write through the streams alone; unsynchronised, they buffer a listing
    // of thousands of rows instead of passing each piece on to C's stdio.
    std::ios::sync_with_stdio(false);
    int status = kExitOk;
    static const std::map<std::string, IssueFormat> kFormats = {
        {"text", IssueFormat::kText}, {"tsv", IssueFormat::kTsv}, {"json", IssueFormat::kJson}};
    if (*checkCommand) {
        check.format = kFormats.at(format);
        status = RunCheck(check, std::cout, std::cerr);
    } else if (*ncfCheckCommand) {
        ncfCheck.format = kFormats.at(ncfFormat);
        status = RunNcfCheck(ncfCheck, std::cout, std::cerr);
    } else if (*ncfExportCommand) {
        status = RunNcfExport(input, slave, output, std::cout, std::cerr);
    } else if (*ncfAddCommand) {
        status = RunNcfAdd(input, ncfFiles, output, std::cout, std::cerr);
    } else if (*writeCommand) {
        status = RunWrite(input, output, std::cout, std::cerr);
    } else if (*headerCommand) {
        status = RunHeader(input, output, master, slave, std::cout, std::cerr);
    } else if (*decodeCommand) {
        decode.json = decodeFormat == "json";
        status = decode.trace.empty() ? RunDecode(decode, std::cout, std::cerr)
                                      : RunDecodeTrace(decode, std::cin, std::cout, std::cerr);
    } else if (*encodeCommand) {
        status = RunEncode(encode, std::cout, std::cerr);
    } else if (*diffCommand) {
        diff.json = diffFormat == "json";
        status = RunDiff(diff, std::cout, std::cerr);
    } else {
        status = RunExport(input, std::cout, std::cerr);
    }
    std::cout.flush();
    std::cerr.flush();
    std::_Exit(status);  // without the destructors of what the command left
}
