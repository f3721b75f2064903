#pragma once
// The numbers of the Windows registry interface that the layer and its callers
// share: predefined root keys, access rights and value types. Their values are
// binding, since definitions and records carry them; the names differ from the
// Windows macros so that a Windows build can include both.

#include <cstdint>

namespace windows::registry {

// Predefined root keys.
constexpr std::uint32_t ROOT_CLASSES_ROOT = 0x80000000u;
constexpr std::uint32_t ROOT_CURRENT_USER = 0x80000001u;
constexpr std::uint32_t ROOT_LOCAL_MACHINE = 0x80000002u;
constexpr std::uint32_t ROOT_USERS = 0x80000003u;
constexpr std::uint32_t ROOT_PERFORMANCE_DATA = 0x80000004u;
constexpr std::uint32_t ROOT_CURRENT_CONFIG = 0x80000005u;
constexpr std::uint32_t ROOT_DYN_DATA = 0x80000006u;

// Access rights of an open key.
constexpr std::uint32_t ACCESS_QUERY_VALUE = 0x0001u;
constexpr std::uint32_t ACCESS_SET_VALUE = 0x0002u;
constexpr std::uint32_t ACCESS_CREATE_SUB_KEY = 0x0004u;
constexpr std::uint32_t ACCESS_ENUMERATE_SUB_KEYS = 0x0008u;
constexpr std::uint32_t ACCESS_NOTIFY = 0x0010u;
constexpr std::uint32_t ACCESS_CREATE_LINK = 0x0020u;
constexpr std::uint32_t ACCESS_READ = 0x20019u;
constexpr std::uint32_t ACCESS_WRITE = 0x20006u;
constexpr std::uint32_t ACCESS_ALL = 0xF003Fu;
constexpr std::uint32_t ACCESS_MAXIMUM_ALLOWED = 0x02000000u;
constexpr std::uint32_t ACCESS_GENERIC_ALL = 0x10000000u;
constexpr std::uint32_t ACCESS_GENERIC_EXECUTE = 0x20000000u;
constexpr std::uint32_t ACCESS_GENERIC_WRITE = 0x40000000u;
constexpr std::uint32_t ACCESS_GENERIC_READ = 0x80000000u;

// Value types.
constexpr std::uint32_t TYPE_NONE = 0;
constexpr std::uint32_t TYPE_SZ = 1;
constexpr std::uint32_t TYPE_EXPAND_SZ = 2;
constexpr std::uint32_t TYPE_BINARY = 3;
constexpr std::uint32_t TYPE_DWORD = 4;
constexpr std::uint32_t TYPE_DWORD_LITTLE_ENDIAN = 4;
constexpr std::uint32_t TYPE_DWORD_BIG_ENDIAN = 5;
constexpr std::uint32_t TYPE_LINK = 6;
constexpr std::uint32_t TYPE_MULTI_SZ = 7;
constexpr std::uint32_t TYPE_QWORD = 11;

}  // namespace windows::registry
