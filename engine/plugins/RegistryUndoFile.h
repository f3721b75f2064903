#pragma once
// The .reg file that puts back the values the registry scanner's findings
// removed. It is written as regedit writes "Windows Registry Editor Version 5.00"
// files: UTF-16LE with a byte-order mark, so that names, strings and the hex
// forms of expand and multi strings (UTF-16LE bytes) merge back exactly.
//
// Each value is written with its stored type and bytes: a plain string quoted
// (hex(1): when it holds control characters or is not stored as one terminated
// string), an expand string as hex(2):, a multi string as hex(7):, binary data as
// hex:, a DWORD as dword: with eight upper-case hex digits (hex(4): when it is not
// four bytes long). A value whose stored form is unknown is written from its data
// as read.

#include <string>
#include <vector>

#include "engine/plugins/RegistryErrorEntry.h"

namespace com::quorvex::products::tamblix {

// The lines before the entries, for the time text of the fix.
std::string undoFileHeader(const std::string& stamp);

// "[key]\n" + name + "=" + data, without a line break at the end; empty (and an
// internal error reported) when the entry cannot be written.
std::string undoEntryText(const RegistryErrorEntry& entry);

// "undo from " + stamp with every ":" as "-" + ".reg".
std::string undoFileName(const std::string& stamp);

// The text as the file's bytes.
std::vector<char> undoFileBytes(const std::string& text);

}  // namespace com::quorvex::products::tamblix
