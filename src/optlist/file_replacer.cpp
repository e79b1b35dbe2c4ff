#include "file_replacer.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QRandomGenerator>
#include <algorithm>
#include <cerrno>

namespace orvell {

namespace {

// The temporary file of a save is named after the file: its name, '.', a random 32-bit number
// in lower-case base 36 (1 to 7 characters) and ".tmp".
QByteArray TemporaryName(const QByteArray& target) {
  return target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
}

bool IsTemporaryNameOf(const QByteArray& candidate, const QByteArray& name) {
  const QByteArray prefix = name + '.';
  if (!candidate.startsWith(prefix) || !candidate.endsWith(".tmp")) return false;
  const QByteArray middle =
      candidate.mid(prefix.size(), candidate.size() - prefix.size() - qsizetype(4));
  if (middle.isEmpty() || middle.size() > 7) return false;
  return std::all_of(middle.begin(), middle.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); });
}

// Removes the temporary files that earlier saves of the file left when they were killed
// half-way. A save holds a lock on its temporary file until the file has taken its place, and a
// killed process loses its locks: a temporary file of the file's naming that can be locked
// belongs to no save in progress.
void RemoveStaleTemporaries(const QByteArray& target, const QByteArray& own) {
  const qsizetype slash = target.lastIndexOf('/');
  const QByteArray folder = slash <= 0 ? QByteArray(slash == 0 ? "/" : ".") : target.left(slash);
  const QByteArray name = target.mid(slash + 1);
  DIR* dir = ::opendir(folder.constData());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const QByteArray candidate(entry->d_name);
    if (!IsTemporaryNameOf(candidate, name)) continue;
    const QByteArray path = folder + '/' + candidate;
    if (path == own) continue;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) continue;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      ::unlink(path.constData());
    }
    ::close(fd);
  }
  ::closedir(dir);
}

// Closes a descriptor and removes the temporary file unless released.
class TemporaryFile {
 public:
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!name_.isEmpty()) ::unlink(name_.constData());
  }
  // The file is locked from its creation to its close: the mark of a save in progress.
  bool Create(const QByteArray& target, mode_t mode) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      name_ = TemporaryName(target);
      fd_ = ::open(name_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
      if (fd_ >= 0) {
        ::flock(fd_, LOCK_EX | LOCK_NB);
        return true;
      }
      if (errno != EEXIST) break;
    }
    name_.clear();
    return false;
  }
  int fd() const { return fd_; }
  const QByteArray& name() const { return name_; }
  // A failed close is reported, never retried: the descriptor is gone either way.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }
  void Release() { name_.clear(); }

 private:
  int fd_ = -1;
  QByteArray name_;
};

bool WriteAll(int fd, const QByteArray& bytes) {
  qsizetype done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    done += n;
  }
  return true;
}

}  // namespace

bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* error) {
  QString target = QFileInfo(path).absoluteFilePath();
  const QFileInfo info(target);
  if (info.isSymLink()) target = info.symLinkTarget();
  const QString shown = QDir::toNativeSeparators(target);
  auto fail = [&](int number) {
    if (error) {
      *error = QStringLiteral("%1 could not be written (%2); it is left as it was.")
                   .arg(shown, qt_error_string(number));
    }
    return false;
  };
  const QByteArray native = QFile::encodeName(target);
  struct stat old {};
  const bool exists = ::stat(native.constData(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) {
    if (error)
      *error = QStringLiteral("%1 is not a regular file; it is left as it was.").arg(shown);
    return false;
  }
  // A file without write permission is refused even where the folder would let it be replaced
  // (and even for the superuser): its owner has protected it.
  if (exists) {
    const bool permitted = ::access(native.constData(), W_OK) == 0;
    if (!permitted && errno != EACCES) return fail(errno);
    if (!permitted || (old.st_mode & 0222) == 0) {
      if (error) *error = QStringLiteral("%1 is read-only; it is left as it was.").arg(shown);
      return false;
    }
  }
  const mode_t mode = exists ? (old.st_mode & 07777) : 0666;

  TemporaryFile temp;
  if (!temp.Create(native, mode)) return fail(errno);
  // The umask may have taken bits of an existing file's mode. The group is kept where the user
  // may give it; elsewhere the file gets the user's group, as any new file does.
  if (exists) {
    if (::fchmod(temp.fd(), mode) != 0) return fail(errno);
    [[maybe_unused]] const int group_kept = ::fchown(temp.fd(), static_cast<uid_t>(-1), old.st_gid);
  }
  if (!WriteAll(temp.fd(), bytes)) return fail(errno);
  if (::fsync(temp.fd()) != 0) return fail(errno);
  if (!temp.Close()) return fail(errno);
  const QByteArray temp_name = temp.name();
  if (::rename(temp_name.constData(), native.constData()) != 0) return fail(errno);
  temp.Release();
  // The rename itself reaches the disk with the folder; a folder that cannot be synced (some
  // file systems refuse) does not undo a replacement that has happened.
  const int folder = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(),
                            O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  RemoveStaleTemporaries(native, temp_name);
  return true;
}

}  // namespace orvell
