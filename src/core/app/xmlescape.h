#pragma once
#include <string>

namespace qm {

// Text escaped for an XML or HTML element or attribute value.
std::string XmlEscape(const std::string& s);

}  // namespace qm
