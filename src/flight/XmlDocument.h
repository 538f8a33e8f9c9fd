#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "flight/FlightPlan.h"

namespace wx {

// One element of a small XML document.
struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;  // entities decoded
    std::string text;  // character data directly inside, entities decoded, comments left out
    std::vector<XmlElement> children;
    int line = 0;      // where the start tag begins (1-based)

    // The first child of that name, or nullptr.
    const XmlElement* child(std::string_view childName) const;
    // The attribute's value, or nothing when the element has no such attribute.
    std::optional<std::string_view> attribute(std::string_view attributeName) const;
};

struct XmlParseResult {
    std::optional<XmlElement> root;
    PlanFailure failure;  // when root is empty
};

// Reads the XML of a plan file: one root element, with the XML declaration,
// processing instructions, comments, CDATA sections and a DOCTYPE without
// an internal subset around or inside it. The only entities are &amp; &lt;
// &gt; &quot; and &apos;. Elements may nest 32 deep. Bytes above 0x7F are
// taken as they are, whatever the declared encoding. The first fault fails
// the document at its line.
XmlParseResult parseXml(std::string_view text);

}  // namespace wx
