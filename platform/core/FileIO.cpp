#include "FileIO.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace velmor {
namespace {

std::string reason(const std::string& path)
{
    return path + ": " + std::strerror(errno);
}

std::string folderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = reason(path);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? path + ": is a folder" : reason(path);
        ::close(fd);
        return false;
    }
    bytes.clear();
    bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = reason(path);
            ::close(fd);
            return false;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error)
{
    std::string name = folderOf(path) + "/.velmor-XXXXXX";
    std::vector<char> temp(name.begin(), name.end());
    temp.push_back('\0');
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = reason(path);
        return false;
    }
    auto fail = [&](const std::string& why) {
        error = why;
        ::close(fd);
        ::unlink(temp.data());
        return false;
    };
    // Keep the permissions of the file being replaced (or the usual ones for a new file).
    struct stat st {};
    mode_t mode = 0644;
    if (::stat(path.c_str(), &st) == 0)
        mode = st.st_mode & 07777;
    else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(reason(path));
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0)
        return fail(reason(path));
    if (::close(fd) != 0) {
        error = reason(path);
        ::unlink(temp.data());
        return false;
    }
    if (::rename(temp.data(), path.c_str()) != 0) {
        error = reason(path);
        ::unlink(temp.data());
        return false;
    }
    return true;
}

} // namespace velmor
