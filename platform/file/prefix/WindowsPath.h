#pragma once
// Windows path texts taken apart and put together again, the way Windows reads
// them: "\" and "/" both separate names, "." and ".." are applied to the names
// before them, trailing dots and blanks of a name are dropped. No file system
// is touched here.

#include <string>
#include <vector>

namespace platform::prefix {

// A path from a root: a drive ('a' to 'z'), or, for drive 0, the root of the
// Linux file system that no drive maps, written \\?\unix\ as Wine does.
struct AbsolutePath {
    char drive = 0;
    std::vector<std::string> names;
    bool trailingSeparator = false;  // the text ended with a separator

    bool isRoot() const { return names.empty(); }
};

// The text of an absolute path: "C:\", "C:\a\b", "\\?\unix\work".
std::string windowsText(const AbsolutePath& path);

// The absolute path of a text, relative texts taken against current (the
// working directory). False with the Windows error (123 invalid name, 3 empty
// text, 53 network path) when the text names nothing on this machine.
bool absolutePath(const std::string& text, const AbsolutePath& current, AbsolutePath& path, int& error);

// A name that Windows accepts in a path: no control characters, none of
// \ / : * ? " < > |.
bool isValidName(const std::string& name);

// ASCII case-insensitive comparison of names.
bool sameNameIgnoringCase(const std::string& a, const std::string& b);
std::string lowerCase(const std::string& text);

// Does the name match a find pattern with the wildcards * and ? (case ignored;
// "*.*" matches every name).
bool matchesPattern(const std::string& name, const std::string& pattern);

}  // namespace platform::prefix
