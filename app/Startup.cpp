#include "app/Startup.h"

#include "engine/FrameworkInfo.h"
#include "engine/ProductFiles.h"
#include "engine/TamblixEngineImpl.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/util/parser/ArgumentParserHelpers.h"
#include "platform/xml/ComInitializer.h"
#include "platform/xml/XmlExceptions.h"
#include "update/TamblixUpdateImpl.h"
#include "update/compression/ZlibUncompressionStream.h"
#include "update/install/DefinitionsInstall.h"
#include "update/signature/MsCheckSignature.h"

namespace com::quorvex::products::tamblix {

namespace {

std::vector<char> readPublicKey(MachineServices& machine) {
    const auto stream = machine.openBinaryStream(files::PUBLIC_KEY);
    return stream->read(0);
}

// Makes sure HKEY_CURRENT_USER\Software\<vendor> exists; the key made is closed at once.
void prepareVendorKey(windows::registry::RegistryService& registry) {
    const auto software =
        registry.openKey(windows::registry::ROOT_CURRENT_USER, "Software", windows::registry::ACCESS_CREATE_SUB_KEY);
    const auto writer = registry.createWriter(software.get());
    writer->createSubkey(VENDOR_KEY_NAME, windows::registry::ACCESS_QUERY_VALUE).reset();
}

std::string vendorKeyPath() { return std::string("HKEY_CURRENT_USER\\Software\\") + VENDOR_KEY_NAME + "\\"; }

// Everything start-up makes lives here, so that it is destroyed in reverse order
// before the caller's handlers show a failure.
int runGuarded(const StartupSettings& settings, MessageNotifier& notifier, const MainJob& mainJob) {
    const windows::com::ComInitializer com;
    const util::CommandLine commandLine(settings.commandLine);
    const bool debug = settings.debugMode ? settings.debugMode(commandLine) : isDebugCommandLine(commandLine);

    const std::unique_ptr<MachineServices> machine =
        settings.makeMachine ? settings.makeMachine() : makeMachineServices();
    const std::string programFolder =
        util::parser::ArgumentParserHelpers::directoryOf(machine->moduleInfo().getModuleFileName());
    machine->currentDirectory().setCurrentDirectory(programFolder);

    const std::unique_ptr<windows::internet::InternetSessionFactory> sessions =
        settings.makeSessions ? settings.makeSessions() : machine->makeSessionFactory();
    encryption::pki::MsCheckSignature signatureCheck;
    TamblixUpdateImpl updater(*sessions, machine->fileRemover(), signatureCheck);
    compression::ZlibUncompressionStream uncompressor;
    const EngineServices services = machine->engineServices(updater, uncompressor);
    // An install of new definitions that was interrupted is finished or dropped
    // before anything reads them.
    install::completeInstall(*services.reader, *services.writer, *services.remover, *services.fileExists);
    TamblixEngineImpl engine(services, {debug, readPublicKey(*machine)});

    const auto definitions = machine->openBinaryStream(debug ? files::DEBUG_DEFINITIONS : files::DEFINITIONS);
    const auto permanentDefinitions =
        machine->openBinaryStream(debug ? files::DEBUG_PERMANENT_DEFINITIONS : files::PERMANENT_DEFINITIONS);
    const auto signature = machine->openBinaryStream(files::DEFINITIONS_SIGNATURE);
    engine.loadDefinitionFiles(*definitions, *signature, *permanentDefinitions);
    notifier.setProductName(engine.getProductName());

    prepareVendorKey(*services.registry);
    util::tinyconfig::TinyConfigFactory settingsFactory(*services.registry);
    const auto settingsStore = settingsFactory.createTinyConfig(vendorKeyPath());

    StartedProduct product{engine, programFolder, *settingsStore, notifier, debug};
    return mainJob ? mainJob(product) : 0;
}

}  // namespace

bool isDebugCommandLine(const util::CommandLine& commandLine) {
    return commandLine.getArgc() == 2 && std::string(commandLine.getArgv()[1]) == "debug";
}

std::string xmlFailureText(const std::string& message) {
    return "An exception occured when reading or parsing the XML file: " + message;
}

std::string failureText(const std::string& message) { return "An exception occured: " + message; }

std::string unexpectedFailureText() {
    return "An unexpected exception occured. Please contact " + supportContact() +
           " and include this message.\nTamblix Framework " + " v" + frameworkVersion() + "\n";
}

int startProduct(const StartupSettings& settings, MessageDisplay& display, const MainJob& mainJob) {
    MessageNotifier notifier(display);
    try {
        return runGuarded(settings, notifier, mainJob);
    } catch (const windows::com::xml::XMLException& e) {
        notifier.showError(xmlFailureText(e.getMessage()));
    } catch (const exceptions::Exception& e) {
        notifier.showError(failureText(e.getMessage()));
    } catch (...) {
        notifier.showError(unexpectedFailureText());
    }
    return settings.failureExitCode;
}

}  // namespace com::quorvex::products::tamblix
