// Bounded whole-file reads and atomic replacement through a uniquely named temporary file.
#include "model/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>

namespace tolmek {

namespace fs = std::filesystem;

FileContents ReadFileBounded(const fs::path& path, uintmax_t cap) {
  FileContents result;
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) {
    result.problem = ReadProblem::Missing;
    return result;
  }
  const uintmax_t size = fs::file_size(path, ec);
  if (ec) {
    result.problem = ReadProblem::Unreadable;
    return result;
  }
  if (size > cap) {
    result.problem = ReadProblem::TooBig;
    return result;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    result.problem = ReadProblem::Unreadable;
    return result;
  }
  std::string data(size_t(size), '\0');
  in.read(data.data(), std::streamsize(size));
  data.resize(size_t(in.gcount()));
  // The file may have grown since its size was taken; what came after that is not read.
  if (in.bad()) {
    result.problem = ReadProblem::Unreadable;
    return result;
  }
  result.bytes = std::move(data);
  return result;
}

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(size_t(n));
  }
  return true;
}

// Creates a new file "<target>.<random>.tmp" beside the target; -1 when none could be created.
int CreateTemporary(const fs::path& target, fs::path& temp) {
  static thread_local std::mt19937_64 random{std::random_device{}() ^ uint64_t(::getpid()) << 32};
  for (int attempt = 0; attempt < 16; ++attempt) {
    char suffix[40];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(random()));
    temp = target;
    temp += suffix;
    // New files get the usual permissions (0666 less the umask), as a plain create would.
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) return -1;
  }
  return -1;
}

}  // namespace

bool WriteFileAtomically(const fs::path& path, std::string_view bytes) {
  fs::path temp;
  const int fd = CreateTemporary(path, temp);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes);
  // A file being replaced keeps its permissions (a plan shared read-only with the group stays so).
  struct stat old {};
  if (ok && ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
  ok = ok && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

}  // namespace tolmek
