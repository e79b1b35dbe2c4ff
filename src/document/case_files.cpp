#include "document/case_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "document/case_record_codec.h"

namespace torvane {
namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and reports the result.
  int Close() {
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc;
  }

 private:
  int fd_;
};

std::string Reason(int err) { return FileErrorReason(err); }

}  // namespace

std::string FileErrorReason(int err) {
  switch (err) {
    case ENOENT:
      return "the file does not exist";
    case EACCES:
    case EPERM:
      return "permission denied";
    case EISDIR:
      return "it is a folder, not a file";
    case ENOTDIR:
      return "a part of the path is not a folder";
    case ENOSPC:
    case EDQUOT:
      return "the disk is full";
    case EROFS:
      return "the disk is read-only";
    case ENAMETOOLONG:
      return "the name is too long";
    default:
      return std::strerror(err);
  }
}

namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Reads up to max_bytes from the current position of fd.
std::vector<std::uint8_t> ReadUpTo(int fd, size_t max_bytes, const std::string& path) {
  std::vector<std::uint8_t> bytes(max_bytes);
  size_t got = 0;
  while (got < max_bytes) {
    const ssize_t n = ::read(fd, bytes.data() + got, max_bytes - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(path, "the file could not be read: " + Reason(errno));
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

void WriteAll(int fd, std::span<const std::uint8_t> bytes, const std::string& path) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(path, "the file could not be written: " + Reason(errno));
    }
    done += static_cast<size_t>(n);
  }
}

// Opens an existing file for reading; a folder or anything but a regular file is refused.
// O_NONBLOCK keeps a named pipe from hanging the open.
int OpenForReading(const std::string& path, struct stat& st) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) throw FileError(path, Reason(errno));
  if (::fstat(fd, &st) != 0) {
    const int err = errno;
    ::close(fd);
    throw FileError(path, Reason(err));
  }
  if (S_ISDIR(st.st_mode)) {
    ::close(fd);
    throw FileError(path, Reason(EISDIR));
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    throw FileError(path, "it is not a regular file");
  }
  return fd;
}

std::string JoinProblems(const std::vector<std::string>& problems) {
  constexpr size_t kShown = 3;
  std::string text;
  for (size_t k = 0; k < problems.size() && k < kShown; ++k) {
    if (k > 0) text += "; ";
    text += problems[k];
  }
  if (problems.size() > kShown) {
    text += " (and " + std::to_string(problems.size() - kShown) + " more)";
  }
  return text;
}

void RefuseOnProblems(const std::string& path, std::uintmax_t file_size,
                      const std::vector<std::string>& problems) {
  if (file_size == 0) throw FileError(path, "the file is empty");
  if (!problems.empty()) {
    throw FileError(path, "it holds values the program cannot use: " + JoinProblems(problems));
  }
}

// The file mode a new file gets: read and write for all, less the process's umask.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_CLOEXEC | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::vector<std::uint8_t> ReadFilePrefix(const std::string& path, size_t max_bytes,
                                         std::uintmax_t* file_size) {
  struct stat st {};
  Descriptor fd(OpenForReading(path, st));
  if (file_size) *file_size = static_cast<std::uintmax_t>(st.st_size);
  return ReadUpTo(fd.get(), max_bytes, path);
}

SettingsFileContent ReadSettingsFile(const std::string& path) {
  std::uintmax_t size = 0;
  const auto bytes = ReadFilePrefix(path, kSettingsReadSize, &size);
  const std::span<const std::uint8_t> all(bytes);
  SettingsFileContent content;
  content.record = DecodeCaseRecord(all);
  content.laby_data =
      DecodeLabyData(all.size() > kLabyDataOffset ? all.subspan(kLabyDataOffset)
                                                  : std::span<const std::uint8_t>());
  auto problems = RecordProblems(content.record);
  const auto laby_problems = LabyDataProblems(content.laby_data);
  problems.insert(problems.end(), laby_problems.begin(), laby_problems.end());
  RefuseOnProblems(path, size, problems);
  return content;
}

CaseRecord ReadGasFile(const std::string& path) {
  std::uintmax_t size = 0;
  const auto bytes = ReadFilePrefix(path, kGasSlotSize, &size);
  CaseRecord record = DecodeCaseRecord(bytes);
  RefuseOnProblems(path, size, RecordProblems(record));
  return record;
}

std::vector<std::uint8_t> SettingsFileBytes(const CaseRecord& record, const LabyData& laby_data) {
  std::vector<std::uint8_t> bytes(kSettingsFileSize, 0);
  const auto image = EncodeCaseRecord(record);
  std::copy(image.begin(), image.end(), bytes.begin());
  const auto laby = EncodeLabyData(laby_data);
  std::copy(laby.begin(), laby.end(), bytes.begin() + kLabyDataOffset);
  return bytes;
}

std::vector<std::uint8_t> GasFileBytes(const CaseRecord& record) {
  const auto image = EncodeCaseRecord(record);
  return std::vector<std::uint8_t>(image.begin(), image.end());
}

void WriteSettingsFile(const std::string& path, const CaseRecord& record,
                       const LabyData& laby_data) {
  ReplaceFilePrefix(path, SettingsFileBytes(record, laby_data));
}

void WriteGasFile(const std::string& path, const CaseRecord& record) {
  ReplaceFilePrefix(path, GasFileBytes(record));
}

bool IsSettingsFileName(const std::string& path) {
  const std::string name = NameOf(path);
  if (name.size() < 4) return false;
  std::string ext = name.substr(name.size() - 4);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".trv";
}

CaseFileInspection InspectCaseFile(const std::string& path) {
  CaseFileInspection out;
  out.settings_file = IsSettingsFileName(path);
  const auto bytes =
      ReadFilePrefix(path, out.settings_file ? kSettingsReadSize : kGasSlotSize, &out.file_size);
  const std::span<const std::uint8_t> all(bytes);
  out.record = DecodeCaseRecord(all);
  if (out.file_size == 0) out.problems.push_back("the file is empty");
  const auto record_problems = RecordProblems(out.record);
  out.problems.insert(out.problems.end(), record_problems.begin(), record_problems.end());
  if (out.settings_file) {
    out.laby_data = DecodeLabyData(all.size() > kLabyDataOffset ? all.subspan(kLabyDataOffset)
                                                                : std::span<const std::uint8_t>());
    const auto l = LabyDataProblems(out.laby_data);
    out.problems.insert(out.problems.end(), l.begin(), l.end());
    if (std::isfinite(out.laby_data[kLabyType])) {
      if (const auto type = LabyTypeProblem(out.laby_data)) out.problems.push_back(*type);
    }
  }
  return out;
}

namespace {

// The temporary files of a save are named "." + the file's name + "." + six characters of
// mkostemp's alphabet, in the file's folder.
bool IsTemporaryNameOf(const std::string& candidate, const std::string& name) {
  const std::string prefix = "." + name + ".";
  if (candidate.size() != prefix.size() + 6 || candidate.compare(0, prefix.size(), prefix) != 0) {
    return false;
  }
  return std::all_of(candidate.begin() + static_cast<std::ptrdiff_t>(prefix.size()),
                     candidate.end(), [](unsigned char c) { return std::isalnum(c) != 0; });
}

// Removes the temporary files that earlier saves of the file left behind when they were killed
// half-way. A save holds a lock on its temporary file until it has renamed it, and a killed
// process loses its locks, so a temporary file of the file's naming that can be locked belongs to
// no save in progress.
void RemoveStaleTemporaries(const std::string& folder, const std::string& name,
                            const std::string& own_temp) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string candidate = entry->d_name;
    if (!IsTemporaryNameOf(candidate, name)) continue;
    const std::string path = folder + "/" + candidate;
    if (path == own_temp) continue;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) continue;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      ::unlink(path.c_str());
    }
    ::close(fd);
  }
  ::closedir(dir);
}

// Gives the temporary file the owner and group of the file it replaces, as far as the user may:
// the superuser keeps both, a member of the file's group keeps the group, and anyone else saves
// the file as their own.
void KeepOwner(int fd, const struct stat& old) {
  if (::fchown(fd, old.st_uid, old.st_gid) == 0) return;
  ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
}

// Stats the file a save would replace: false when there is none, FileError (naming requested)
// when it is anything but a regular file the user may write.
bool StatReplaceable(const std::string& path, const std::string& requested, struct stat& st) {
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return false;
    throw FileError(requested, Reason(errno));
  }
  if (S_ISDIR(st.st_mode)) throw FileError(requested, Reason(EISDIR));
  if (!S_ISREG(st.st_mode)) throw FileError(requested, "it is not a regular file");
  // A file without write permission is refused even where the folder would allow replacing it
  // (and even for the superuser): the user has protected it.
  if (::access(path.c_str(), W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    throw FileError(requested, "the file is read-only");
  }
  return true;
}

enum class OldBytes { kKeepBeyond, kDrop };

void ReplaceFileContent(const std::string& requested, std::span<const std::uint8_t> content,
                        OldBytes old_bytes) {
  if (requested.empty()) throw FileError(requested, "no file name was given");
  std::string path = requested;

  // Write through a symbolic link to the file it names, as an update in place would.
  struct stat lst {};
  if (::lstat(path.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
    if (char* resolved = ::realpath(path.c_str(), nullptr)) {
      path = resolved;
      std::free(resolved);
    }
  }

  // The old file, when there is one: its mode, owner and the bytes it holds beyond the new
  // content.
  std::vector<std::uint8_t> tail;
  mode_t mode = NewFileMode();
  struct stat st {};
  const bool exists = StatReplaceable(path, requested, st);
  if (exists) {
    mode = st.st_mode & 07777;
    if (old_bytes == OldBytes::kKeepBeyond &&
        static_cast<std::uintmax_t>(st.st_size) > content.size()) {
      struct stat ignored {};
      Descriptor old(OpenForReading(path, ignored));
      if (::lseek(old.get(), static_cast<off_t>(content.size()), SEEK_SET) < 0) {
        throw FileError(requested, "the file could not be read: " + Reason(errno));
      }
      tail = ReadUpTo(old.get(), static_cast<size_t>(st.st_size) - content.size(), requested);
    }
  }

  const std::string folder = FolderOf(path);
  std::string temp_name = folder + "/." + NameOf(path) + ".XXXXXX";
  std::vector<char> temp_buffer(temp_name.begin(), temp_name.end());
  temp_buffer.push_back('\0');
  const int temp_fd = ::mkostemp(temp_buffer.data(), O_CLOEXEC);
  if (temp_fd < 0) {
    const int err = errno;
    throw FileError(requested, err == ENOENT ? "the folder does not exist" : Reason(err));
  }
  temp_name = temp_buffer.data();
  Descriptor temp(temp_fd);
  // Held while the file is written: the mark of a save in progress (RemoveStaleTemporaries).
  ::flock(temp.get(), LOCK_EX | LOCK_NB);
  try {
    WriteAll(temp.get(), content, requested);
    WriteAll(temp.get(), tail, requested);
    if (exists) KeepOwner(temp.get(), st);
    if (::fchmod(temp.get(), mode) != 0) {
      throw FileError(requested, "the file could not be written: " + Reason(errno));
    }
    if (::fsync(temp.get()) != 0) {
      throw FileError(requested, "the file could not be written: " + Reason(errno));
    }
    if (temp.Close() != 0) {
      throw FileError(requested, "the file could not be written: " + Reason(errno));
    }
    if (::rename(temp_name.c_str(), path.c_str()) != 0) {
      throw FileError(requested, Reason(errno));
    }
  } catch (...) {
    ::unlink(temp_name.c_str());
    throw;
  }
  SyncFolder(folder);
  RemoveStaleTemporaries(folder, NameOf(path), temp_name);
}

}  // namespace

void ReplaceFilePrefix(const std::string& path, std::span<const std::uint8_t> content) {
  ReplaceFileContent(path, content, OldBytes::kKeepBeyond);
}

void ReplaceFile(const std::string& path, std::span<const std::uint8_t> content) {
  ReplaceFileContent(path, content, OldBytes::kDrop);
}

void CheckReplaceable(const std::string& path) {
  struct stat st {};
  StatReplaceable(path, path, st);
}

bool IsSameFile(const std::string& a, const std::string& b) {
  struct stat sa {
  }, sb{};
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

std::string OpenFailureMessage(const FileError& error) {
  return "Could not open " + error.path() + ": " + error.reason() + ".";
}

std::string SaveFailureMessage(const FileError& error) {
  return "Could not save " + error.path() + ": " + error.reason() + ".";
}

}  // namespace torvane
