#pragma once
// Linux only: the kernel's pseudo file systems (proc, sysfs, devpts, cgroup,
// debugfs and the like). They hold no files of the Windows machine, and some are
// endless or change while they are read, so listings show them as empty folders
// and a drive mapped to one is no fixed disk. devtmpfs cannot be told from tmpfs
// this way; /dev is walked like any folder (its devices list with size 0, and
// /dev/pts, /dev/mqueue are pseudo file systems of their own).

namespace platform::prefix {

bool isPseudoFileSystem(long fileSystemType);
// The file system of an open descriptor or a path; false when it cannot be told.
bool onPseudoFileSystem(int fd);
bool onPseudoFileSystem(const char* path);

}  // namespace platform::prefix
