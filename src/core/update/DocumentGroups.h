#pragma once

#include "core/update/XmlDocument.h"

#include <string>
#include <string_view>
#include <vector>

namespace dv {

// How the update processing reads its document. Shared by the processing
// and by the editors' preview, so the two never disagree.

// The nodes of a group: from the first child element of that name on, every
// following sibling, whatever its kind or name. Empty when there is none.
std::vector<const XmlNode*> documentGroup(const XmlNode& parent, std::string_view name);

// The first child element of that name, or null.
const XmlNode* firstChildNamed(const XmlNode& parent, std::string_view name);

// A node's value: an element's single text (empty when it has no children),
// any other node's own text. Throws XmlError for an element that holds more
// than a text.
std::string valueOf(const XmlNode& node);

// The value of a node's first child element of that name; empty when the
// node is no element or has no such child.
std::string fieldOf(const XmlNode& node, std::string_view name);

} // namespace dv
