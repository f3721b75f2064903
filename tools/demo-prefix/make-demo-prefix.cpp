// make-demo-prefix <folder> [<user>]: writes the demo prefix (see DemoPrefix.h).
#include <iostream>

#include "platform/failure/Exception.h"
#include "tools/demo-prefix/DemoPrefix.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: make-demo-prefix <folder> [<user>]\n";
        return 2;
    }
    try {
        tools::writeDemoPrefix(argv[1], argc == 3 ? argv[2] : "demo");
    } catch (const exceptions::Exception& failure) {
        std::cerr << failure.getMessage() << "\n";
        return 1;
    } catch (const std::exception& failure) {
        std::cerr << failure.what() << "\n";
        return 1;
    }
    return 0;
}
