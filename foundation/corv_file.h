#pragma once
// File access: an owner of an operating-system file handle, the line-writing file object
// of the LDF writer and the header generator, path splitting, the program's folder.

#include <cstdint>
#include <string>
#include <string_view>

#include "corv_arrays.h"
#include "corv_string.h"

// Thin owner of an open file. Only this class touches the operating system's file calls.
class OFile {
public:
    OFile() = default;
    OFile(const OFile&) = delete;
    OFile& operator=(const OFile&) = delete;
    ~OFile();

    // With `create` the file is created or truncated for reading and writing. Without it an
    // existing file is opened: read-only when `honourReadOnly` is false or the file may not
    // be written, else for reading and writing.
    bool Open(const corvString& name, bool create, bool honourReadOnly);
    bool Close();
    bool Read(void* buffer, std::int64_t count, std::int64_t& got);
    bool Write(const void* buffer, std::int64_t count, std::int64_t& written);
    std::int64_t Size() const;
    bool ReadOnly() const { return readOnly_; }

private:
    int handle_ = -1;
    bool readOnly_ = false;
};

class corvFile {
public:
    corvFile() = default;
    corvFile(const corvFile&) = delete;
    corvFile& operator=(const corvFile&) = delete;
    virtual ~corvFile() = default;

    bool Open(const corvString& name, bool create, bool honourReadOnly);
    bool Close();
    std::int64_t Size() const { return file_.Size(); }
    // Reads `count` bytes in one request; true when at least one byte arrived.
    bool Read(void* buffer, std::int64_t count);
    bool Write(const void* bytes, std::int64_t count, std::int64_t& written);
    // One line: the text in the Windows-1252 code page ('?' for what it cannot hold), then
    // CR LF, in a single write.
    bool WriteLine(const corvString& text);
    bool WriteLine(const char* text);  // the bytes as they are, then CR LF
    const corvString& FileName() const { return fileName_; }

private:
    bool WriteAll(const void* bytes, std::int64_t count);

    corvDynamicArrayTemplate<unsigned char> lineBuffer_;
    OFile file_;
    corvString fileName_;
};

// Splits a path into drive, directory, name and extension. Both "\" and "/" separate
// when splitting; joining uses the platform's separator.
class corvParseFileString {
public:
    explicit corvParseFileString(const corvString& fullPath);

    corvString path;
    corvString drive;
    corvString directory;
    corvString name;
    corvString extension;

    corvString DirectoryPath() const;
    static const char16_t* Separator();
};

// The folder of the running program, with a trailing separator.
corvString ProgramDirectory();
bool DeleteFile(const corvString& name);
// The whole file as bytes; false when it cannot be opened or read.
bool ReadWholeFile(const corvString& name, std::string& bytes);

enum class SafeSaveResult { kSaved, kCannotCreate, kCannotWrite, kNotAFile };
// Stores `bytes` as the file `path` without ever leaving a half-written file behind: the
// bytes go to a new file in the same folder, which is flushed to the device and then
// renamed over the target. On failure the target is untouched and the new file removed.
// A target that exists and is no regular file is never replaced: a pipe (FIFO) or a
// character device such as /dev/null is written into directly; anything else (a folder,
// a block device, a socket) is refused with kNotAFile.
SafeSaveResult SaveFileSafely(const corvString& path, std::string_view bytes);
