#include "file_replacer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QRandomGenerator>
#include <cerrno>

namespace orvell {

namespace {

// Closes a descriptor and removes the temporary file unless released.
class TemporaryFile {
 public:
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!name_.isEmpty()) ::unlink(name_.constData());
  }
  bool Create(const QByteArray& target, mode_t mode) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      name_ =
          target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
      fd_ = ::open(name_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
      if (fd_ >= 0) return true;
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
  if (::rename(temp.name().constData(), native.constData()) != 0) return fail(errno);
  temp.Release();
  // The rename itself reaches the disk with the folder; a folder that cannot be synced (some
  // file systems refuse) does not undo a replacement that has happened.
  const int folder = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(),
                            O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return true;
}

}  // namespace orvell
