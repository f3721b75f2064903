#pragma once
// The scope in which a thread may use the XML layer. Every thread that creates an
// XmlDocument holds one for as long as it uses the layer. On Windows it initialises
// COM for the thread; on a Wine prefix there is nothing to initialise, so it never
// throws there.

namespace windows::com {

class ComInitializer {
public:
    ComInitializer();
    virtual ~ComInitializer();
    ComInitializer(const ComInitializer&) = delete;
    ComInitializer& operator=(const ComInitializer&) = delete;
};

}  // namespace windows::com
