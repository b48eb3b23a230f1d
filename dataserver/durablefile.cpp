#include "dataserver/durablefile.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "dataserver/seams.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

int InjectedFault(TDurableStep step) {
  const TDurableFaultHook hook = TDataServerSeams::Current().durableFault;
  return hook != nullptr ? hook(step) : 0;
}

#ifdef _WIN32
int OpenExclusive(const std::string& name) {
  return _open(name.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int WriteSome(int fd, const char* data, std::size_t size) {
  return _write(fd, data, static_cast<unsigned>(size > 0x40000000 ? 0x40000000 : size));
}
int SyncFile(int fd) {
  return _commit(fd);
}
int CloseFile(int fd) {
  return _close(fd);
}
int RenameOver(const std::string& from, const std::string& to) {
  // Write-through: the call returns once the rename is on the disk.
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return 0;
  errno = EACCES;
  return -1;
}
int SyncFolderOf(const std::string&) {
  return 0;  // MOVEFILE_WRITE_THROUGH has flushed it
}
#else
int OpenExclusive(const std::string& name) {
  // 0666 less the user's umask, as any new file of the user's.
  return ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
ssize_t WriteSome(int fd, const char* data, std::size_t size) {
  return ::write(fd, data, size);
}
int SyncFile(int fd) {
  return ::fsync(fd);
}
int CloseFile(int fd) {
  return ::close(fd);
}
int RenameOver(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str());
}
int SyncFolderOf(const std::string& file) {
  std::string folder = std::filesystem::path(file).parent_path().string();
  if (folder.empty())
    folder = ".";
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return -1;
  int result = ::fsync(fd);
  // Some file systems cannot flush a folder; the rename then is as durable as they make it.
  if (result != 0 && (errno == EINVAL || errno == ENOTSUP))
    result = 0;
  int saved = errno;
  ::close(fd);
  errno = saved;
  return result;
}
#endif

// Runs a step unless a fault is injected for it; answers 0 or the error number.
template <typename Call>
int RunStep(TDurableStep step, Call call) {
  if (int injected = InjectedFault(step); injected != 0)
    return injected;
  errno = 0;
  if (call() < 0)
    return errno != 0 ? errno : EIO;
  return 0;
}

std::string RandomSuffix() {
  static const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static thread_local std::mt19937_64 random(
      std::random_device{}() ^
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  std::string suffix(6, 'x');
  for (char& c : suffix)
    c = kAlphabet[random() % (sizeof kAlphabet - 1)];
  return suffix;
}

// The file a symbolic link names is the one replaced, so that the link survives the save.
std::string ResolvedTarget(const std::string& target) {
  std::error_code error;
  if (!std::filesystem::is_symlink(target, error))
    return target;
  std::filesystem::path resolved = std::filesystem::weakly_canonical(target, error);
  return error ? target : resolved.string();
}

}  // namespace

TDurableFile::~TDurableFile() {
  if (!committed_)
    Discard();
}

bool TDurableFile::Fail(int error) {
  if (error_ == 0)
    error_ = error;
  // A failed save leaves nothing beside the target, however long the object lives on.
  if (!committed_)
    Discard();
  return false;
}

void TDurableFile::Discard() {
  if (fd_ >= 0)
    CloseFile(fd_);
  fd_ = -1;
  if (!temporary_.empty())
    std::remove(temporary_.c_str());
  temporary_.clear();
}

bool TDurableFile::Create(const std::string& target) {
  Discard();
  error_ = 0;
  committed_ = false;
  target_ = ResolvedTarget(target);
  if (int injected = InjectedFault(TDurableStep::Create); injected != 0)
    return Fail(injected);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = target_ + "." + RandomSuffix();
    fd_ = OpenExclusive(name);
    if (fd_ >= 0) {
      temporary_ = name;
      return true;
    }
    if (errno != EEXIST)
      return Fail(errno != 0 ? errno : EIO);
  }
  return Fail(EEXIST);
}

bool TDurableFile::Write(const void* data, std::size_t size) {
  if (fd_ < 0 || error_ != 0)
    return Fail(EBADF);
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    if (int injected = InjectedFault(TDurableStep::Write); injected != 0)
      return Fail(injected);
    auto written = WriteSome(fd_, p, size);
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      return Fail(written < 0 && errno != 0 ? errno : ENOSPC);
    p += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool TDurableFile::Commit() {
  if (fd_ < 0 || error_ != 0)
    return Fail(EBADF);
  int error = RunStep(TDurableStep::Sync, [&] { return SyncFile(fd_); });
  if (error != 0)
    return Fail(error);
#ifndef _WIN32
  // The saved file keeps the permissions the user gave the old one.
  struct stat old;
  if (::stat(target_.c_str(), &old) == 0)
    ::fchmod(fd_, old.st_mode & 07777);
#endif
  const int fd = fd_;
  fd_ = -1;
  // The descriptor is released whatever happens, an injected failure included.
  error = InjectedFault(TDurableStep::Close);
  if (CloseFile(fd) != 0 && error == 0)
    error = errno != 0 ? errno : EIO;
  if (error == 0)
    error = RunStep(TDurableStep::Rename, [&] { return RenameOver(temporary_, target_); });
  if (error != 0)
    return Fail(error);
  temporary_.clear();
  committed_ = true;
  error = RunStep(TDurableStep::SyncFolder, [&] { return SyncFolderOf(target_); });
  return error == 0 || Fail(error);
}

bool RenameDurably(const std::string& from, const std::string& target) {
  const std::string to = ResolvedTarget(target);
  int error = RunStep(TDurableStep::Rename, [&] { return RenameOver(from, to); });
  if (error == 0)
    error = RunStep(TDurableStep::SyncFolder, [&] { return SyncFolderOf(to); });
  if (error != 0)
    errno = error;
  return error == 0;
}
