#pragma once
// The installed definitions file and its signature change only as a pair. Each
// file write replaces its file whole (temporary file, flush, rename), but two
// files cannot be renamed at once, so an install goes through a journal:
//
//   1. the new pair is written beside the installed one, under NEW_DEFINITIONS
//      and NEW_SIGNATURE;
//   2. the journal is written: from the moment it is on the disk the new pair is
//      complete and is the one to install (it names both sizes);
//   3. the new pair is written over the installed one;
//   4. the journal is removed, then the new pair's spare copies.
//
// Start-up calls completeInstall before it reads the definitions: a journal left
// by an interrupted install is carried out again from step 3 (an install that
// stopped after step 2 finishes), and without a journal any spare copies are
// removed (one that stopped before step 2 never happened). However the process
// ends, the next start finds the old pair or the new pair, never a mix of them.
//
// Paths are the product's, relative to the program's folder.

#include <vector>

#include "platform/file/FileExistsQuery.h"
#include "platform/file/FileReader.h"
#include "platform/file/FileRemover.h"
#include "platform/file/FileWriter.h"

namespace com::quorvex::products::tamblix::install {

constexpr const char* INSTALLED_DEFINITIONS = ".\\system\\definitions.xml.tam";
constexpr const char* INSTALLED_SIGNATURE = ".\\system\\definitions-sig.xml";
constexpr const char* NEW_DEFINITIONS = ".\\system\\definitions.xml.tam.new";
constexpr const char* NEW_SIGNATURE = ".\\system\\definitions-sig.xml.new";
constexpr const char* JOURNAL = ".\\system\\definitions-install.journal";

// Installs the pair. A failure of steps 1 to 3 throws the writer's
// SaveFileException: before step 2 nothing has changed; after it the next start
// finishes the install. A spare file that cannot be removed stays for the next
// start to remove.
void installDefinitions(platform::file::FileWriter& writer, platform::file::FileRemover& remover,
                        const std::vector<char>& definitions, const std::vector<char>& signature);

// Finishes or drops an interrupted install. Returns true when it finished one.
// Throws the file layer's failures when a file it must write cannot be written.
bool completeInstall(platform::file::FileReader& reader, platform::file::FileWriter& writer,
                     platform::file::FileRemover& remover, platform::file::FileExistsQuery& exists);

}  // namespace com::quorvex::products::tamblix::install
