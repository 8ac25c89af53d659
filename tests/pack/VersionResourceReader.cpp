#include "VersionResourceReader.h"

namespace {

struct Node {
    size_t start = 0, end = 0, value = 0, children = 0;
    uint16_t valueLength = 0, type = 0;
    std::u16string key;
};

bool readNode(const Bytes& block, size_t start, size_t limit, Node& node, std::string& problem) {
    if (start % 4 != 0 || !fits(block, start, 6)) {
        problem = "node misaligned or outside the block";
        return false;
    }
    node.start = start;
    node.end = start + read16(block, start);
    node.valueLength = read16(block, start + 2);
    node.type = read16(block, start + 4);
    if (node.end > limit || node.end < start + 6) {
        problem = "node length outside its parent";
        return false;
    }
    size_t at = start + 6;
    node.key.clear();
    while (at + 1 < node.end && read16(block, at) != 0) {
        node.key.push_back(static_cast<char16_t>(read16(block, at)));
        at += 2;
    }
    at = static_cast<size_t>(alignUp(at + 2, 4));
    node.value = at;
    size_t valueBytes = node.type == 1 ? node.valueLength * 2u : node.valueLength;
    node.children = static_cast<size_t>(alignUp(at + valueBytes, 4));
    if (at + valueBytes > node.end) {
        problem = "value outside its node";
        return false;
    }
    return true;
}

}  // namespace

VersionReadBack readVersionResource(const Bytes& block) {
    VersionReadBack result;
    Node root;
    if (!readNode(block, 0, block.size(), root, result.problem)) return result;
    if (root.key != u"VS_VERSION_INFO" || root.valueLength != 52 || read32(block, root.value) != 0xFEEF04BD) {
        result.problem = "no fixed file information";
        return result;
    }
    result.fileVersionHigh = read32(block, root.value + 8);
    result.fileVersionLow = read32(block, root.value + 12);
    result.productVersionHigh = read32(block, root.value + 16);
    result.productVersionLow = read32(block, root.value + 20);
    for (size_t at = root.children; at < root.end; at = static_cast<size_t>(alignUp(at, 4))) {
        Node child;
        if (!readNode(block, at, root.end, child, result.problem)) return result;
        if (child.key == u"StringFileInfo") {
            Node table;
            if (!readNode(block, child.children, child.end, table, result.problem)) return result;
            result.tableKey = table.key;
            for (size_t s = table.children; s < table.end; s = static_cast<size_t>(alignUp(s, 4))) {
                Node text;
                if (!readNode(block, s, table.end, text, result.problem)) return result;
                std::u16string value;
                for (size_t c = 0; c + 1 < text.valueLength; ++c) {
                    value.push_back(static_cast<char16_t>(read16(block, text.value + 2 * c)));
                }
                result.strings[text.key] = value;
                s = text.end;
            }
        } else if (child.key == u"VarFileInfo") {
            Node var;
            if (!readNode(block, child.children, child.end, var, result.problem)) return result;
            if (var.key == u"Translation" && var.valueLength == 4) result.translation = read32(block, var.value);
        }
        at = child.end;
    }
    result.valid = true;
    return result;
}
