// The runtime library's system calls on a POSIX system, for the native build of the portable core
// (its tests and fuzzers). Paths come as the program builds them, with '\' between components.
#include "Os.h"
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <utility>

namespace os {

namespace {
// The system's attribute bits that the finders report.
constexpr unsigned AttributeReadOnly = 0x01;
constexpr unsigned AttributeDirectory = 0x10;
constexpr unsigned AttributeNormal = 0x80;

std::string Native(const String& name) {
    std::string path = name;
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

bool Stat(const String& name, struct stat& st) { return ::stat(Native(name).c_str(), &st) == 0; }
}  // namespace

bool FileExists(const String& name) {
    struct stat st;
    return Stat(name, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const String& name) {
    struct stat st;
    return Stat(name, st) && S_ISDIR(st.st_mode);
}

bool RemoveFile(const String& name) { return ::unlink(Native(name).c_str()) == 0; }
bool MoveReplace(const String& from, const String& to) { return ::rename(Native(from).c_str(), Native(to).c_str()) == 0; }

bool RenameFile(const String& from, const String& to) {
    if (::access(Native(to).c_str(), F_OK) == 0) {   // the system's rename replaces; a move does not
        errno = EEXIST;
        return false;
    }
    return ::rename(Native(from).c_str(), Native(to).c_str()) == 0;
}

bool MakeDirectory(const String& name) { return ::mkdir(Native(name).c_str(), 0777) == 0; }
bool RemoveDirectoryAt(const String& name) { return ::rmdir(Native(name).c_str()) == 0; }

String CurrentDirectory() {
    std::unique_ptr<char, decltype(&std::free)> dir(::getcwd(nullptr, 0), &std::free);
    return dir ? String(dir.get()) : String();
}

String TempDirectory() {
    const char* dir = std::getenv("TMPDIR");
    String path = dir && *dir ? dir : "/tmp";
    if (path.back() != '/') path += '/';
    return path;
}

String WindowsDirectory() { return TempDirectory(); }   // bare settings-file names land there

std::uint32_t TickCount() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::uint32_t>(std::uint64_t(t.tv_sec) * 1000u + std::uint64_t(t.tv_nsec) / 1000000u);
}

void SleepMs(std::uint32_t ms) { ::usleep(useconds_t(ms) * 1000u); }

std::vector<String> ProgramArguments() {
    std::vector<String> arguments;
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    String argument;
    for (char c; in.get(c);) {
        if (c) argument += c;
        else arguments.push_back(std::exchange(argument, String()));
    }
    std::unique_ptr<char, decltype(&std::free)> self(::realpath("/proc/self/exe", nullptr), &std::free);
    if (arguments.empty()) arguments.emplace_back();
    if (self) arguments[0] = self.get();
    return arguments;
}

// Sharing modes have no counterpart here: every open shares.
FileHandle FileOpen(const String& name, bool read, bool write, unsigned) {
    int flags = read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY;
    int fd = ::open(Native(name).c_str(), flags | O_CLOEXEC);
    if (fd >= 0) {
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(fd);
            errno = EISDIR;
            return InvalidFile;
        }
    }
    return fd < 0 ? InvalidFile : FileHandle(fd);
}

FileHandle FileCreate(const String& name, unsigned) {
    int fd = ::open(Native(name).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    return fd < 0 ? InvalidFile : FileHandle(fd);
}

int FileRead(FileHandle h, void* buffer, int count) {
    if (count <= 0) return 0;
    ssize_t n;
    do n = ::read(int(h), buffer, std::size_t(count));
    while (n < 0 && errno == EINTR);
    return n < 0 ? -1 : int(n);
}

int FileWrite(FileHandle h, const void* buffer, int count) {
    if (count <= 0) return 0;
    ssize_t n;
    do n = ::write(int(h), buffer, std::size_t(count));
    while (n < 0 && errno == EINTR);
    return n < 0 ? -1 : int(n);
}

std::int64_t FileSeek(FileHandle h, std::int64_t offset, int origin) {
    int whence = origin == 1 ? SEEK_CUR : origin == 2 ? SEEK_END : SEEK_SET;
    off_t at = ::lseek(int(h), off_t(offset), whence);
    return at < 0 ? -1 : std::int64_t(at);
}

bool FileTruncate(FileHandle h) {
    off_t at = ::lseek(int(h), 0, SEEK_CUR);
    return at >= 0 && ::ftruncate(int(h), at) == 0;
}

bool FileFlush(FileHandle h) { return ::fsync(int(h)) == 0; }
void FileClose(FileHandle h) { if (h != InvalidFile) ::close(int(h)); }
unsigned LastError() { return unsigned(errno); }
String SystemErrorText(unsigned code) { return std::strerror(int(code)); }

namespace {
struct Search {
    DIR* dir = nullptr;
    std::string folder;    // with its trailing '/'
    std::string pattern;
};

bool Next(Search& s, FindEntry& entry) {
    while (dirent* d = ::readdir(s.dir)) {
        if (::fnmatch(s.pattern.c_str(), d->d_name, FNM_CASEFOLD) != 0) continue;
        struct stat st;
        if (::stat((s.folder + d->d_name).c_str(), &st) != 0) continue;
        entry.Name = d->d_name;
        entry.Size = S_ISDIR(st.st_mode) ? 0 : std::int64_t(st.st_size);
        entry.Attributes = S_ISDIR(st.st_mode) ? AttributeDirectory : AttributeNormal;
        if (::access((s.folder + d->d_name).c_str(), W_OK) != 0) entry.Attributes |= AttributeReadOnly;
        return true;
    }
    errno = ENOENT;
    return false;
}
}  // namespace

FindHandle FindFirstEntry(const String& pattern, FindEntry& entry) {
    std::string path = Native(pattern);
    std::size_t slash = path.rfind('/');
    auto s = std::make_unique<Search>();
    s->folder = slash == std::string::npos ? "./" : path.substr(0, slash + 1);
    s->pattern = slash == std::string::npos ? path : path.substr(slash + 1);
    if (s->pattern == "*.*") s->pattern = "*";   // every name, with or without a dot, as the system reads it
    s->dir = ::opendir(s->folder.c_str());
    if (!s->dir) return InvalidFind;
    if (!Next(*s, entry)) {
        ::closedir(s->dir);
        return InvalidFind;
    }
    return reinterpret_cast<FindHandle>(s.release());
}

bool FindNextEntry(FindHandle h, FindEntry& entry) { return Next(*reinterpret_cast<Search*>(h), entry); }

void FindCloseEntry(FindHandle h) {
    if (h == InvalidFind) return;
    auto* s = reinterpret_cast<Search*>(h);
    ::closedir(s->dir);
    delete s;
}

}  // namespace os
