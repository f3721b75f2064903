// Linux only: telling pseudo file systems by their statfs magic numbers.
#include "platform/file/prefix/PseudoFileSystems.h"

#include <sys/vfs.h>

namespace platform::prefix {

bool isPseudoFileSystem(long fileSystemType) {
    switch (static_cast<unsigned long>(fileSystemType) & 0xFFFFFFFFul) {
    case 0x9fa0:      // proc
    case 0x62656572:  // sysfs
    case 0x1cd1:      // devpts
    case 0x27e0eb:    // cgroup
    case 0x63677270:  // cgroup2
    case 0x64626720:  // debugfs
    case 0x74726163:  // tracefs
    case 0x73636673:  // securityfs
    case 0x6165676c:  // pstore
    case 0xcafe4a11:  // bpf
    case 0x62656570:  // configfs
    case 0x65735543:  // fusectl
    case 0x19800202:  // mqueue
    case 0x42494e4d:  // binfmt_misc
    case 0xf97cff8c:  // selinuxfs
    case 0xde5e81e4:  // efivarfs
    case 0x0187:      // autofs
    case 0x6e736673:  // nsfs
    case 0x67596969:  // rpc_pipefs
    case 0x50495045:  // pipefs
    case 0x534f434b:  // sockfs
    case 0x958458f6:  // hugetlbfs
        return true;
    default: return false;
    }
}

bool onPseudoFileSystem(int fd) {
    struct statfs info;
    return ::fstatfs(fd, &info) == 0 && isPseudoFileSystem(static_cast<long>(info.f_type));
}

bool onPseudoFileSystem(const char* path) {
    struct statfs info;
    return ::statfs(path, &info) == 0 && isPseudoFileSystem(static_cast<long>(info.f_type));
}

}  // namespace platform::prefix
