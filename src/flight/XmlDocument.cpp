#include "flight/XmlDocument.h"

#include <algorithm>

#include "flight/PlanText.h"

namespace wx {
namespace {

constexpr int kDeepestNesting = 32;

bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isNameByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
           c == '_' || c == ':' || static_cast<unsigned char>(c) > 0x7F;
}

class XmlParser {
public:
    explicit XmlParser(std::string_view text) : text_(text) {}

    XmlParseResult parse();

private:
    bool fail(size_t at, std::string reason) {
        failure_ = {lineAt(at), std::move(reason)};
        return false;
    }
    // The line of an offset, counted on from the last one asked for: the
    // parser asks in text order, so a document is counted through once.
    int lineAt(size_t offset) {
        offset = std::min(offset, text_.size());
        if (offset < countedTo_) {
            countedTo_ = 0;
            countedLine_ = 1;
        }
        countedLine_ += static_cast<int>(std::count(text_.begin() + static_cast<std::ptrdiff_t>(countedTo_),
                                                    text_.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
        countedTo_ = offset;
        return countedLine_;
    }
    bool startsWith(std::string_view prefix) const { return text_.substr(pos_, prefix.size()) == prefix; }
    void skipSpaces() {
        while (pos_ < text_.size() && isXmlSpace(text_[pos_])) {
            ++pos_;
        }
    }
    // Moves past the next occurrence of end; false at the end of the text.
    bool skipPast(std::string_view end, const char* what);
    // Comments, processing instructions and white space between elements.
    bool skipMisc();
    std::string takeName();
    bool decodeInto(std::string_view raw, size_t at, std::string& out);
    bool parseElement(XmlElement& element, int depth);
    bool parseAttributes(XmlElement& element, bool& selfClosing);
    bool parseContent(XmlElement& element, int depth);

    std::string_view text_;
    size_t pos_ = 0;
    size_t countedTo_ = 0;
    int countedLine_ = 1;
    PlanFailure failure_;
};

bool XmlParser::skipPast(std::string_view end, const char* what) {
    const size_t found = text_.find(end, pos_);
    if (found == std::string_view::npos) {
        return fail(pos_, std::string(what) + " is not closed");
    }
    pos_ = found + end.size();
    return true;
}

bool XmlParser::skipMisc() {
    while (true) {
        skipSpaces();
        if (startsWith("<!--")) {
            if (!skipPast("-->", "a comment")) {
                return false;
            }
        } else if (startsWith("<?")) {
            if (!skipPast("?>", "a processing instruction")) {
                return false;
            }
        } else if (startsWith("<!DOCTYPE")) {
            const size_t close = text_.find('>', pos_);
            const size_t subset = text_.find('[', pos_);
            if (close == std::string_view::npos || subset < close) {
                return fail(pos_, "a DOCTYPE with declarations is not read");
            }
            pos_ = close + 1;
        } else {
            return true;
        }
    }
}

std::string XmlParser::takeName() {
    const size_t start = pos_;
    while (pos_ < text_.size() && isNameByte(text_[pos_])) {
        ++pos_;
    }
    return std::string(text_.substr(start, pos_ - start));
}

bool XmlParser::decodeInto(std::string_view raw, size_t at, std::string& out) {
    static constexpr std::pair<std::string_view, char> kEntities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    size_t i = 0;
    while (i < raw.size()) {
        const size_t amp = raw.find('&', i);
        out.append(raw.substr(i, amp - i));
        if (amp == std::string_view::npos) {
            return true;
        }
        bool known = false;
        for (const auto& [entity, byte] : kEntities) {
            if (raw.substr(amp, entity.size()) == entity) {
                out.push_back(byte);
                i = amp + entity.size();
                known = true;
                break;
            }
        }
        if (!known) {
            const size_t semicolon = raw.find(';', amp);
            const size_t length = semicolon == std::string_view::npos ? 12 : std::min<size_t>(semicolon - amp + 1, 12);
            const std::string_view shown = raw.substr(amp, length);
            return fail(at + amp, "unknown entity \"" + std::string(shown) + "\"");
        }
    }
    return true;
}

bool XmlParser::parseAttributes(XmlElement& element, bool& selfClosing) {
    while (true) {
        const size_t before = pos_;
        skipSpaces();
        if (startsWith("/>")) {
            pos_ += 2;
            selfClosing = true;
            return true;
        }
        if (startsWith(">")) {
            ++pos_;
            selfClosing = false;
            return true;
        }
        if (pos_ == before) {
            return fail(pos_, "unexpected text in the tag <" + element.name + ">");
        }
        const size_t nameAt = pos_;
        std::string name = takeName();
        skipSpaces();
        if (name.empty() || !startsWith("=")) {
            return fail(nameAt, "an attribute of <" + element.name + "> is not name=\"value\"");
        }
        ++pos_;
        skipSpaces();
        const char quote = pos_ < text_.size() ? text_[pos_] : '\0';
        if (quote != '"' && quote != '\'') {
            return fail(pos_, "the attribute " + name + " of <" + element.name + "> has no quoted value");
        }
        const size_t close = text_.find(quote, pos_ + 1);
        if (close == std::string_view::npos) {
            return fail(pos_, "the attribute " + name + " of <" + element.name + "> is not closed");
        }
        std::string value;
        if (!decodeInto(text_.substr(pos_ + 1, close - pos_ - 1), pos_ + 1, value)) {
            return false;
        }
        element.attributes.emplace_back(std::move(name), std::move(value));
        pos_ = close + 1;
    }
}

bool XmlParser::parseContent(XmlElement& element, int depth) {
    while (pos_ < text_.size()) {
        if (startsWith("</")) {
            const size_t tagAt = pos_;
            pos_ += 2;
            const std::string name = takeName();
            skipSpaces();
            if (name != element.name || !startsWith(">")) {
                return fail(tagAt, "</" + name + "> does not close <" + element.name + "> of line " +
                                       std::to_string(element.line));
            }
            ++pos_;
            return true;
        }
        if (startsWith("<!--")) {
            if (!skipPast("-->", "a comment")) {
                return false;
            }
        } else if (startsWith("<![CDATA[")) {
            const size_t start = pos_ + 9;
            if (!skipPast("]]>", "a CDATA section")) {
                return false;
            }
            element.text.append(text_.substr(start, pos_ - 3 - start));
        } else if (startsWith("<?")) {
            if (!skipPast("?>", "a processing instruction")) {
                return false;
            }
        } else if (startsWith("<")) {
            element.children.emplace_back();
            if (!parseElement(element.children.back(), depth + 1)) {
                return false;
            }
        } else {
            const size_t start = pos_;
            pos_ = std::min(text_.find('<', pos_), text_.size());
            if (!decodeInto(text_.substr(start, pos_ - start), start, element.text)) {
                return false;
            }
        }
    }
    return fail(text_.size(), "<" + element.name + "> of line " + std::to_string(element.line) + " is not closed");
}

bool XmlParser::parseElement(XmlElement& element, int depth) {
    if (depth > kDeepestNesting) {
        return fail(pos_, "elements nest deeper than " + std::to_string(kDeepestNesting));
    }
    element.line = lineAt(pos_);
    ++pos_;  // '<'
    element.name = takeName();
    if (element.name.empty()) {
        return fail(pos_, "a tag without a name");
    }
    bool selfClosing = false;
    if (!parseAttributes(element, selfClosing)) {
        return false;
    }
    return selfClosing || parseContent(element, depth);
}

XmlParseResult XmlParser::parse() {
    if (!skipMisc()) {
        return {std::nullopt, failure_};
    }
    if (!startsWith("<")) {
        fail(pos_, "no XML element where the document should begin");
        return {std::nullopt, failure_};
    }
    XmlElement root;
    if (!parseElement(root, 1) || !skipMisc()) {
        return {std::nullopt, failure_};
    }
    if (pos_ < text_.size()) {
        fail(pos_, "text after the end of <" + root.name + ">");
        return {std::nullopt, failure_};
    }
    return {std::move(root), {}};
}

}  // namespace

const XmlElement* XmlElement::child(std::string_view childName) const {
    for (const XmlElement& element : children) {
        if (element.name == childName) {
            return &element;
        }
    }
    return nullptr;
}

std::optional<std::string_view> XmlElement::attribute(std::string_view attributeName) const {
    for (const auto& [name, value] : attributes) {
        if (name == attributeName) {
            return value;
        }
    }
    return std::nullopt;
}

XmlParseResult parseXml(std::string_view text) { return XmlParser(text).parse(); }

}  // namespace wx
