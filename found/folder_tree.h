#pragma once
// The folder tree Step 4 shows and the saving run walks: "Root", then every
// folder of the current file system under its parent, each folder at most
// once (so a damaged parent chain cannot make the tree endless). Each node
// has the tick of its check box.
#include "found/found_item_store.h"

#include <string>
#include <vector>

struct FolderNode {
    int64_t folder = -1;            // index in the store's folders; -1 for "Root"
    std::vector<size_t> children;   // node indexes, in store order
    size_t parent = 0;
    bool ticked = false;
};

class FolderTree {
public:
    // rootId: 0 for FAT, 5 for NTFS.
    FolderTree(const FoundItemStore& store, uint16_t fileSystemNumber, uint32_t rootId);

    const std::vector<FolderNode>& Nodes() const { return m_nodes; }
    FolderNode& Node(size_t index) { return m_nodes[index]; }
    uint32_t RootId() const { return m_rootId; }
    // The own id whose files the node holds.
    uint32_t FolderId(size_t node) const;
    // The label of a node: "Root" or the folder's name.
    std::string Label(size_t node) const;
    // The item texts from the root's child down to the node, joined by "/".
    std::string Path(size_t node) const;

private:
    const FoundItemStore& m_store;
    uint32_t m_rootId;
    std::vector<FolderNode> m_nodes;
};

// The root id of a file system: 5 for NTFS, 0 for FAT.
uint32_t RootIdOf(const std::string& fileSystemName);
