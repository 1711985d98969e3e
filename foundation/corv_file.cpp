#include "corv_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "text_encoding.h"

namespace {

bool IsSeparator(char16_t ch) { return ch == u'\\' || ch == u'/'; }

std::string NativePath(const corvString& name) { return name.ToUtf8(); }

}  // namespace

OFile::~OFile() { Close(); }

bool OFile::Open(const corvString& name, bool create, bool honourReadOnly) {
    Close();
    const std::string native = NativePath(name);
    if (create) {
        handle_ = ::open(native.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        readOnly_ = false;
    } else {
        if (honourReadOnly) handle_ = ::open(native.c_str(), O_RDWR | O_CLOEXEC);
        readOnly_ = handle_ < 0;
        if (handle_ < 0) handle_ = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    }
    if (handle_ < 0) return false;
    struct stat info {};
    if (::fstat(handle_, &info) != 0 || S_ISDIR(info.st_mode)) {
        Close();
        return false;
    }
    return true;
}

bool OFile::Close() {
    if (handle_ >= 0) ::close(handle_);
    handle_ = -1;
    return true;
}

bool OFile::Read(void* buffer, std::int64_t count, std::int64_t& got) {
    got = 0;
    if (handle_ < 0 || count < 0) return false;
    auto* bytes = static_cast<char*>(buffer);
    while (got < count) {
        const ssize_t n = ::read(handle_, bytes + got, static_cast<std::size_t>(count - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        got += n;
    }
    return true;
}

bool OFile::Write(const void* buffer, std::int64_t count, std::int64_t& written) {
    written = 0;
    if (handle_ < 0 || count < 0) return false;
    const auto* bytes = static_cast<const char*>(buffer);
    while (written < count) {
        const ssize_t n =
            ::write(handle_, bytes + written, static_cast<std::size_t>(count - written));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += n;
    }
    return true;
}

std::int64_t OFile::Size() const {
    struct stat info {};
    if (handle_ < 0 || ::fstat(handle_, &info) != 0) return 0;
    return info.st_size;
}

bool corvFile::Open(const corvString& name, bool create, bool honourReadOnly) {
    fileName_ = name;
    return file_.Open(name, create, honourReadOnly);
}

bool corvFile::Close() { return file_.Close(); }

bool corvFile::Read(void* buffer, std::int64_t count) {
    std::int64_t got = 0;
    return file_.Read(buffer, count, got) && got > 0;
}

bool corvFile::Write(const void* bytes, std::int64_t count, std::int64_t& written) {
    return file_.Write(bytes, count, written);
}

bool corvFile::WriteAll(const void* bytes, std::int64_t count) {
    std::int64_t written = 0;
    return file_.Write(bytes, count, written) && written == count;
}

bool corvFile::WriteLine(const corvString& text) {
    const int n = text.Length();
    if (lineBuffer_.Size() < n + 4) lineBuffer_.SetSize(n + 100, false);
    const std::u16string_view units = text.View();
    for (int i = 0; i < n; ++i) lineBuffer_[i] = tabrel::EncodeCodePageChar(units[i]);
    lineBuffer_[n] = '\r';
    lineBuffer_[n + 1] = '\n';
    return WriteAll(lineBuffer_.Data(), n + 2);
}

bool corvFile::WriteLine(const char* text) {
    const std::string_view bytes = text == nullptr ? std::string_view() : text;
    const bool body = WriteAll(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    const bool end = WriteAll("\r\n", 2);
    return body && end;
}

corvParseFileString::corvParseFileString(const corvString& fullPath) : path(fullPath) {
    std::u16string work(fullPath.View());
    if (work.size() >= 2 && work[1] == u':') {
        drive.Assign(std::u16string_view(work).substr(0, 2));
        work.erase(0, work.size() < 3 ? work.size() : 3);
    }
    for (std::size_t i = work.size(); i-- > 0;) {
        if (IsSeparator(work[i])) break;
        if (work[i] == u'.') {
            if (i + 1 < work.size()) extension.Assign(std::u16string_view(work).substr(i));
            work.erase(i);
            break;
        }
    }
    for (std::size_t i = work.size(); i-- > 0;) {
        if (IsSeparator(work[i]) && i + 1 < work.size()) {
            name.Assign(std::u16string_view(work).substr(i + 1));
            work.erase(i);
            directory.Assign(work);
            return;
        }
    }
    name.Assign(work);
}

const char16_t* corvParseFileString::Separator() {
#if defined(_WIN32)
    return u"\\";
#else
    return u"/";
#endif
}

corvString corvParseFileString::DirectoryPath() const {
    corvString result(drive);
    if (!drive.IsEmpty()) result.Append(Separator());
    result.Append(directory);
    if (!directory.IsEmpty()) result.Append(Separator());
    return result;
}

corvString ProgramDirectory() {
    std::array<char, 4096> buffer{};
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) return corvString();
    const corvString fullPath(tabrel::DecodeUtf8(std::string_view(buffer.data(), n)));
    return corvParseFileString(fullPath).DirectoryPath();
}

bool DeleteFile(const corvString& name) { return ::unlink(NativePath(name).c_str()) == 0; }

bool ReadWholeFile(const corvString& name, std::string& bytes) {
    // Read until the end rather than trusting the size, which pipes and devices report as
    // 0, but give up on endless sources such as /dev/zero.
    constexpr std::int64_t kMaxBytes = std::int64_t{1} << 30;
    constexpr std::int64_t kPart = 65536;
    bytes.clear();
    OFile file;
    if (!file.Open(name, false, false)) return false;
    // A file is read at once, with one byte more than its size to see its end; a source
    // without a size in parts.
    std::int64_t part = std::max(std::min(file.Size(), kMaxBytes) + 1, kPart);
    for (;;) {
        const std::size_t at = bytes.size();
        bytes.resize(at + static_cast<std::size_t>(part));
        std::int64_t got = 0;
        const bool read = file.Read(bytes.data() + at, part, got);
        bytes.resize(at + static_cast<std::size_t>(got));
        if (!read) return false;
        if (got < part) return true;
        if (static_cast<std::int64_t>(bytes.size()) > kMaxBytes) return false;
        part = kPart;
    }
}

namespace {

// Creates a file that did not exist before, next to `target`; -1 when none can be made.
int CreateSiblingFile(const std::string& target, std::string& created) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = target + ".tabrel-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
        const int handle = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (handle >= 0 || errno != EEXIST) return handle;
    }
    return -1;
}

bool WriteAllBytes(int handle, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(handle, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Writes into an existing pipe or character device, which a rename would replace.
SafeSaveResult WriteIntoSpecialFile(const std::string& target, std::string_view bytes) {
    const int handle = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (handle < 0) return SafeSaveResult::kCannotCreate;
    const bool written = WriteAllBytes(handle, bytes);
    const bool closed = ::close(handle) == 0;
    return written && closed ? SafeSaveResult::kSaved : SafeSaveResult::kCannotWrite;
}

}  // namespace

SafeSaveResult SaveFileSafely(const corvString& path, std::string_view bytes) {
    std::string target = NativePath(path);
    // Saving through a symbolic link replaces the file it points to, not the link.
    std::array<char, 4096> resolved{};
    if (::realpath(target.c_str(), resolved.data()) != nullptr) target = resolved.data();

    struct stat existing {};
    const bool exists = ::lstat(target.c_str(), &existing) == 0;
    // A link that leads nowhere (dangling, or in a loop) is no file to replace either.
    if (exists && S_ISLNK(existing.st_mode)) return SafeSaveResult::kNotAFile;
    if (exists && (S_ISFIFO(existing.st_mode) || S_ISCHR(existing.st_mode))) {
        return WriteIntoSpecialFile(target, bytes);
    }
    if (exists && !S_ISREG(existing.st_mode)) return SafeSaveResult::kNotAFile;

    std::string temporary;
    const int handle = CreateSiblingFile(target, temporary);
    if (handle < 0) return SafeSaveResult::kCannotCreate;
    if (exists) ::fchmod(handle, existing.st_mode & 07777);  // keep the file's permissions
    const bool written = WriteAllBytes(handle, bytes) && ::fsync(handle) == 0;
    const bool closed = ::close(handle) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return SafeSaveResult::kCannotWrite;
    }
    return SafeSaveResult::kSaved;
}
