#pragma once
// The calling thread's last platform error, as a Windows error code. Platform
// implementations set it right after a failing call, so that messages can end
// with SystemErrors::map(getLastError()) just as they would on Windows.

namespace platform {

int getLastError();
void setLastError(int code);

// Windows error codes the layers report.
namespace winerror {
constexpr int SUCCESS = 0;
constexpr int INVALID_FUNCTION = 1;
constexpr int FILE_NOT_FOUND = 2;
constexpr int PATH_NOT_FOUND = 3;
constexpr int TOO_MANY_OPEN_FILES = 4;
constexpr int ACCESS_DENIED = 5;
constexpr int INVALID_HANDLE = 6;
constexpr int NOT_ENOUGH_MEMORY = 8;
constexpr int INVALID_DRIVE = 15;
constexpr int CURRENT_DIRECTORY = 16;
constexpr int NOT_SAME_DEVICE = 17;
constexpr int NO_MORE_FILES = 18;
constexpr int WRITE_PROTECT = 19;
constexpr int NOT_READY = 21;
constexpr int WRITE_FAULT = 29;
constexpr int READ_FAULT = 30;
constexpr int SHARING_VIOLATION = 32;
constexpr int LOCK_VIOLATION = 33;
constexpr int HANDLE_EOF = 38;
constexpr int NOT_SUPPORTED = 50;
constexpr int FILE_EXISTS = 80;
constexpr int INVALID_PARAMETER = 87;
constexpr int DISK_FULL = 112;
constexpr int INSUFFICIENT_BUFFER = 122;
constexpr int INVALID_NAME = 123;
constexpr int DIR_NOT_EMPTY = 145;
constexpr int BAD_PATHNAME = 161;
constexpr int BUSY = 170;
constexpr int ALREADY_EXISTS = 183;
constexpr int FILENAME_EXCED_RANGE = 206;
constexpr int MORE_DATA = 234;
constexpr int NO_MORE_ITEMS = 259;
constexpr int DIRECTORY = 267;
constexpr int CANT_RESOLVE_FILENAME = 1921;
constexpr int BADDB = 1009;
constexpr int BADKEY = 1010;
constexpr int CANTOPEN = 1011;
constexpr int CANTREAD = 1012;
constexpr int CANTWRITE = 1013;
constexpr int KEY_DELETED = 1018;
constexpr int INTERNAL_ERROR = 1359;
constexpr int BAD_NETPATH = 53;
constexpr int INVALID_DATA = 13;
constexpr int NOT_FOUND = 1168;
}  // namespace winerror

}  // namespace platform

// Codes of the cryptographic provider (HRESULT values, negative as int).
namespace platform::winerror {
constexpr int NTE_BAD_KEY = static_cast<int>(0x80090003u);
constexpr int NTE_BAD_LEN = static_cast<int>(0x80090004u);
constexpr int NTE_BAD_DATA = static_cast<int>(0x80090005u);
constexpr int NTE_BAD_SIGNATURE = static_cast<int>(0x80090006u);
constexpr int NTE_BAD_VER = static_cast<int>(0x80090007u);
constexpr int NTE_BAD_ALGID = static_cast<int>(0x80090008u);
constexpr int NTE_BAD_TYPE = static_cast<int>(0x8009000Au);
constexpr int NTE_NO_MEMORY = static_cast<int>(0x8009000Eu);
constexpr int NTE_FAIL = static_cast<int>(0x80090020u);
}  // namespace platform::winerror
