#pragma once
// Helpers shared by the XML layer's suites.

#include <string>

#include "platform/xml/XmlExceptions.h"

namespace xml_test {

// The message of the exception of type Caught that action throws; a marker text
// when it throws nothing (or something else), so that comparisons fail visibly.
template <class Caught = windows::com::xml::XMLException, class Action>
std::string failureOf(Action action) {
    try {
        action();
    } catch (const Caught& e) {
        return e.getMessage();
    } catch (const exceptions::Exception& e) {
        return "<other exception: " + e.getMessage() + ">";
    }
    return "<no exception>";
}

// A definitions document as publishers write them: indented, with optional and
// inherited attributes.
inline const char* const DEFINITIONS = R"(<?xml version="1.0" encoding="UTF-8"?>
<tamblix-definition>
  <product name="Quorvex Cleaner" version="2.1"/>
  <modifications>
    <file-signature-plugin>
      <signature-group name="Adware" selected="true" severity="3">
        <signature type="md5" size="1024">d41d8cd98f00b204e9800998ecf8427e</signature>
        <signature type="histogram" selected="false">
          0 17 255 3
        </signature>
      </signature-group>
      <signature-group name="Trojans" selected="0">
        <!-- kept for older engines -->
        <signature type="md5">900150983cd24fb0d6963f7d28e17f72</signature>
      </signature-group>
    </file-signature-plugin>
  </modifications>
</tamblix-definition>
)";

inline const char* const SIGNATURES = "//tamblix-definition/modifications/file-signature-plugin/signature-group/signature";

}  // namespace xml_test
