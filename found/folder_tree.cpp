#include "found/folder_tree.h"

#include <unordered_set>

FolderTree::FolderTree(const FoundItemStore& store, uint16_t number, uint32_t rootId)
    : m_store(store), m_rootId(rootId) {
    m_nodes.push_back(FolderNode());
    std::unordered_set<size_t> inserted;
    // Breadth first over an explicit list: no recursion on on-disk links.
    for (size_t next = 0; next < m_nodes.size(); ++next) {
        uint32_t id = FolderId(next);
        for (uint32_t index : store.ChildFolders(id)) {
            const FoundFolder& folder = store.Folders()[index];
            if (folder.fileSystemNumber != number || !inserted.insert(index).second) continue;
            if (next != 0 && folder.ownId == id) continue;  // a folder that is its own parent
            FolderNode node;
            node.folder = index;
            node.parent = next;
            node.ticked = folder.selected == 'y';
            m_nodes[next].children.push_back(m_nodes.size());
            m_nodes.push_back(node);
        }
    }
}

uint32_t FolderTree::FolderId(size_t node) const {
    const FolderNode& n = m_nodes[node];
    return n.folder < 0 ? m_rootId : m_store.Folders()[static_cast<size_t>(n.folder)].ownId;
}

std::string FolderTree::Label(size_t node) const {
    const FolderNode& n = m_nodes[node];
    if (n.folder < 0) return "Root";
    const FoundFolder& folder = m_store.Folders()[static_cast<size_t>(n.folder)];
    return DisplayName(folder.shortName, folder.longName);
}

std::string FolderTree::Path(size_t node) const {
    std::string path;
    for (size_t at = node; at != 0; at = m_nodes[at].parent) path = path.empty() ? Label(at) : Label(at) + "/" + path;
    return path;
}

uint32_t RootIdOf(const std::string& fileSystemName) { return fileSystemName == "NTFS" ? 5 : 0; }
