#include <gtest/gtest.h>

#include "platform/file/FileExceptions.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/util/UtilExceptions.h"
#include "update/TamblixUpdate.h"

// Each layer declares its own failure classes; together they form one tree.
namespace {

template <class Caught, class Thrown>
bool caughtAs() {
    try {
        throw Thrown("text");
    } catch (const Caught& e) {
        return e.getMessage() == "text";
    } catch (...) {
        return false;
    }
}

TEST(ExceptionTree, EachClassIsCaughtByItsBasesWithItsMessage) {
    EXPECT_TRUE((caughtAs<exceptions::RuntimeException, util::parser::CommandLineConverterException>()));
    EXPECT_TRUE((caughtAs<exceptions::IllegalArgumentException, util::parser::CommandLineConverterException>()));
    EXPECT_TRUE((caughtAs<io::IOException, io::filesystem::LoadFileException>()));
    EXPECT_TRUE((caughtAs<io::IOException, io::file::IStreamException>()));
    EXPECT_TRUE((caughtAs<io::IOException, windows::file::CouldNotCreateDirectoryException>()));
    EXPECT_TRUE((caughtAs<windows::file::WindowsFileException, windows::file::ModuleException>()));
    EXPECT_TRUE((caughtAs<windows::file::CurrentDirectoryException, windows::file::SetCurrentDirectoryException>()));
    EXPECT_TRUE((caughtAs<io::IOException, windows::file::DriveEnumeratorException>()));
    EXPECT_TRUE((caughtAs<windows::registry::RegistryException, windows::registry::RegistryValueNotFoundException>()));
    EXPECT_TRUE((caughtAs<windows::info::ExpandException, windows::info::BufferExpandException>()));
    using namespace com::quorvex::products::tamblix;
    EXPECT_TRUE((caughtAs<TamblixEngineException, TamblixUpdateException>()));
    // Classes that are not IO failures are not caught as such.
    EXPECT_FALSE((caughtAs<io::IOException, io::filesystem::ExistsDirException>()));
    EXPECT_FALSE((caughtAs<io::IOException, windows::file::FileFinderException>()));
}

}  // namespace
