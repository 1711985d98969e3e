#include "foundation/corv_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

class TempDir : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tabrel_file_test_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    corvString PathOf(const std::string& name) const {
        return corvString(Wide((dir_ / name).string()));
    }
    static std::u16string Wide(const std::string& utf8) {
        return std::u16string(utf8.begin(), utf8.end());
    }
    std::string Contents(const std::string& name) const {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    fs::path dir_;
};

struct PathParts {
    std::u16string drive, directory, name, extension, directoryPath;
};

PathParts Parse(const char16_t* path) {
    const corvParseFileString parsed{corvString(path)};
    return {std::u16string(parsed.drive.View()), std::u16string(parsed.directory.View()),
            std::u16string(parsed.name.View()), std::u16string(parsed.extension.View()),
            std::u16string(parsed.DirectoryPath().View())};
}

TEST(ParseFileString, SplitsDriveDirectoryNameAndExtension) {
    PathParts p = Parse(u"C:\\work\\lin\\body.ldf");
    EXPECT_EQ(p.drive, u"C:");
    EXPECT_EQ(p.directory, u"work\\lin");
    EXPECT_EQ(p.name, u"body");
    EXPECT_EQ(p.extension, u".ldf");
    EXPECT_EQ(p.directoryPath, u"C:/work\\lin/");

    p = Parse(u"body.ldf");
    EXPECT_EQ(p.directory, u"");
    EXPECT_EQ(p.name, u"body");
    EXPECT_EQ(p.extension, u".ldf");
    EXPECT_EQ(p.directoryPath, u"");

    p = Parse(u"C:\\a.b\\file");
    EXPECT_EQ(p.directory, u"a.b");
    EXPECT_EQ(p.name, u"file");
    EXPECT_EQ(p.extension, u"");

    p = Parse(u"C:\\work\\archive.");
    EXPECT_EQ(p.name, u"archive");
    EXPECT_EQ(p.extension, u"");

    p = Parse(u"/tmp/x.y.z");
    EXPECT_EQ(p.extension, u".z");
    EXPECT_EQ(p.name, u"x.y");
    EXPECT_EQ(p.directory, u"/tmp");
    EXPECT_EQ(p.directoryPath, u"/tmp/");

    p = Parse(u"C:");
    EXPECT_EQ(p.drive, u"C:");
    EXPECT_EQ(p.name, u"");
}

TEST_F(TempDir, WriteLineEndsWithCrLfAndUsesTheCodePage) {
    corvFile file;
    ASSERT_TRUE(file.Open(PathOf("lines.txt"), true, false));
    EXPECT_TRUE(file.WriteLine(corvString(u"")));
    EXPECT_TRUE(file.WriteLine(corvString(u"km/h \u00B0C \u20AC \u4E2D")));
    EXPECT_TRUE(file.WriteLine("raw"));
    file.Close();
    EXPECT_EQ(Contents("lines.txt"), "\r\nkm/h \xB0""C \x80 ?\r\nraw\r\n");
}

TEST_F(TempDir, OpenMissingFailsAndCreateTruncates) {
    corvFile missing;
    EXPECT_FALSE(missing.Open(PathOf("missing.ldf"), false, false));
    EXPECT_FALSE(missing.WriteLine(corvString(u"x")));

    {
        std::ofstream(dir_ / "old.txt") << "previous contents";
    }
    corvFile file;
    ASSERT_TRUE(file.Open(PathOf("old.txt"), true, false));
    EXPECT_EQ(file.Size(), 0);
    file.Close();
    EXPECT_EQ(Contents("old.txt"), "");
}

TEST_F(TempDir, ReadWholeFileAndDelete) {
    {
        std::ofstream(dir_ / "data.bin", std::ios::binary) << std::string("a\0b", 3);
    }
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(PathOf("data.bin"), bytes));
    EXPECT_EQ(bytes, std::string("a\0b", 3));
    EXPECT_FALSE(ReadWholeFile(PathOf("nothing"), bytes));
    EXPECT_FALSE(ReadWholeFile(corvString(Wide(dir_.string())), bytes));  // a folder
    EXPECT_TRUE(DeleteFile(PathOf("data.bin")));
    EXPECT_FALSE(DeleteFile(PathOf("data.bin")));
}

// A file is read at once by its size, a pipe, which states none, in parts: both whole, also
// past the size of a part.
TEST_F(TempDir, ReadWholeFileReadsFilesAndPipesOfManyParts) {
    std::string data(200000, '\0');
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>('a' + i % 23);
    std::ofstream(dir_ / "big.ldf", std::ios::binary) << data;
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(PathOf("big.ldf"), bytes));
    EXPECT_EQ(bytes, data);

    const fs::path pipe = dir_ / "pipe.ldf";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::thread writer([&] { std::ofstream(pipe, std::ios::binary) << data; });
    const bool read = ReadWholeFile(PathOf("pipe.ldf"), bytes);
    writer.join();
    ASSERT_TRUE(read);
    EXPECT_EQ(bytes, data);
}

TEST(ProgramDirectory, IsTheFolderOfTheRunningTest) {
    const std::string expected = fs::canonical("/proc/self/exe").parent_path().string() + "/";
    EXPECT_EQ(ProgramDirectory().ToUtf8(), expected);
}

}  // namespace
