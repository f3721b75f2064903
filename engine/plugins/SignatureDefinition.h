#pragma once
// The file signatures of the definitions: one per signature element, in load
// order over every document, and the cutoff of variant matching.

#include <string>
#include <vector>

#include "engine/plugins/Vossek1Hash.h"

namespace com::quorvex::products::tamblix {

struct SignatureDefinition {
    std::string info;
    // Compared exactly with the lowercase hexadecimal MD5 of a file; empty matches none.
    std::string md5;
    // Empty when the signature has no histogram.
    Histogram histogram;
    int histogramTotal = 0;
    bool recommend = false;
    bool whitelisted = false;
};

// Appends the signatures of one document. Only a document with signatures and
// exactly one cutoff element above 0.0001 sets the cutoff; otherwise it keeps its
// value. XML failures propagate as windows::com::xml::XMLException.
void loadSignatureDefinitions(const std::string& xmlText, std::vector<SignatureDefinition>& definitions,
                              double& cutoff);

}  // namespace com::quorvex::products::tamblix
