#include "core/update/DocumentGroups.h"

namespace dv {

std::vector<const XmlNode*> documentGroup(const XmlNode& parent, std::string_view name) {
    std::vector<const XmlNode*> nodes;
    bool started = false;
    for (const XmlNode& child : parent.children) {
        started = started || (child.kind == XmlNode::Kind::Element && child.name == name);
        if (started)
            nodes.push_back(&child);
    }
    return nodes;
}

const XmlNode* firstChildNamed(const XmlNode& parent, std::string_view name) {
    for (const XmlNode& child : parent.children)
        if (child.kind == XmlNode::Kind::Element && child.name == name)
            return &child;
    return nullptr;
}

std::string valueOf(const XmlNode& node) {
    if (node.kind != XmlNode::Kind::Element)
        return node.text;
    if (node.children.empty())
        return {};
    if (node.children.size() == 1 && node.children[0].kind == XmlNode::Kind::Text)
        return node.children[0].text;
    throw XmlError("the element " + node.name + " holds more than a text");
}

std::string fieldOf(const XmlNode& node, std::string_view name) {
    if (node.kind != XmlNode::Kind::Element)
        return {};
    const XmlNode* child = firstChildNamed(node, name);
    return child ? valueOf(*child) : std::string();
}

} // namespace dv
