// tamblix-publisher: the tool with which a publisher makes its key pair, packs and
// signs definitions files and checks them as the engine will.

#include <iostream>
#include <map>

#include "platform/failure/Exception.h"
#include "tools/publisher/Commands.h"

int main(int argc, char** argv) {
    using Command = int (*)(const publisher::Arguments&);
    const std::map<std::string, Command> commands = {
        {"keygen", publisher::keygen}, {"pack", publisher::pack},     {"unpack", publisher::unpack},
        {"sign", publisher::sign},     {"verify", publisher::verify}, {"release", publisher::release},
        {"signature", publisher::signature},
    };
    if (argc < 2) {
        std::cerr << publisher::usage();
        return publisher::EXIT_ERROR;
    }
    const std::string name = argv[1];
    if (name == "help" || name == "--help" || name == "-h") {
        std::cout << publisher::usage();
        return publisher::EXIT_VALID;
    }
    const auto command = commands.find(name);
    if (command == commands.end()) {
        std::cerr << "Unknown command '" << name << "'.\n\n" << publisher::usage();
        return publisher::EXIT_ERROR;
    }
    try {
        return command->second(publisher::Arguments(argv + 2, argv + argc));
    } catch (const exceptions::Exception& e) {
        std::cerr << e.getMessage() << "\n";
    } catch (const std::exception& e) {
        std::cerr << "Unexpected failure: " << e.what() << "\n";
    }
    return publisher::EXIT_ERROR;
}
