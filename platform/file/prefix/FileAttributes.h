#pragma once
// Linux only: the Windows view of a Linux entry. Folders are directories;
// regular files are archive files, read-only when nobody may write them; names
// starting with a dot are hidden (as Wine shows them). Other entries (devices,
// pipes, sockets) are system files of size 0, so nothing takes them for data. A
// link whose target is missing is a reparse point of size 0. Linux keeps no
// creation time, so the last change of the content stands for it; there are no
// short names.

#include <sys/stat.h>

#include <string>

#include "platform/file/FindRecord.h"

namespace platform::prefix {

std::uint32_t attributesOf(const std::string& name, const struct stat& info);
platform::file::FindRecord findRecordOf(const std::string& name, const struct stat& info);

}  // namespace platform::prefix
