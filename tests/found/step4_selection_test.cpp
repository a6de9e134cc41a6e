// The ticking rules of Step 4 over a small store.
#include "found/step4_selection.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// Root: A (id 10) with B (id 11) inside; files a1, a2 in A, b1 in B, r1 in the root.
class Step4Test : public ::testing::Test {
protected:
    void SetUp() override {
        theStore.ClearFoundItems();
        FoundTimes t{};
        theStore.AddFolder("A", u"", 'n', 0, 10, 0, t, 0);
        theStore.AddFolder("B", u"", 'y', 10, 11, 0, t, 0);
        theStore.AddFile("a1", u"", 'n', 1, 0, 10, 20, 0, t);
        theStore.AddFile("a2", u"", 'y', 2, 0, 10, 21, 0, t);
        theStore.AddFile("b1", u"", 'n', 3, 0, 11, 22, 0, t);
        theStore.AddFile("r1", u"", 'n', 4, 0, 0, 23, 0, t);
        tree = std::make_unique<FolderTree>(theStore, 0, 0);
    }
    void TearDown() override { theStore.ClearFoundItems(); }
    char File(size_t i) { return theStore.Files()[i].selected; }

    std::unique_ptr<FolderTree> tree;
};

TEST_F(Step4Test, TreeAndRows) {
    ASSERT_EQ(tree->Nodes().size(), 3u);
    EXPECT_EQ(tree->Path(2), "A/B");
    std::vector<ListRow> rows = ListRowsOf(*tree, 1, false);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].type, "Deleted Folder");
    EXPECT_EQ(rows[0].size, 0u);
    EXPECT_EQ(rows[1].type, "File");
    EXPECT_EQ(rows[2].type, "Deleted File");
    EXPECT_EQ(rows[2].id, 1u);  // the serial
    EXPECT_EQ(rows[1].modified, "00-Err-1980 00:00");
}

TEST_F(Step4Test, TickingAFolderTicksItsSubtreeAndFiles) {
    TickFolder(*tree, 2, true);
    EXPECT_TRUE(tree->Nodes()[0].ticked);  // the boxes above it, so that saving reaches it
    EXPECT_TRUE(tree->Nodes()[1].ticked);
    EXPECT_EQ(File(0), 'n');
    TickFolder(*tree, 1, true);
    EXPECT_TRUE(tree->Nodes()[2].ticked);
    EXPECT_EQ(File(0), 'y');
    EXPECT_EQ(File(2), 'y');
    EXPECT_EQ(File(3), 'n');
    TickFolder(*tree, 1, false);
    EXPECT_EQ(File(2), 'n');
}

TEST_F(Step4Test, TheRootTicksEverythingAndOneFileCanBeUntickedAlone) {
    TickFolder(*tree, 0, true);
    TickFileRow(*tree, 1, 0, false);
    EXPECT_EQ(File(0), 'n');
    EXPECT_EQ(File(1), 'y');
    EXPECT_EQ(File(3), 'y');
    EXPECT_TRUE(tree->Nodes()[1].ticked);  // A still holds a2 and B
}

TEST_F(Step4Test, UntickingTheLastTickedFileUnticksTheFolder) {
    TickFileRow(*tree, 2, 2, true);
    EXPECT_TRUE(tree->Nodes()[2].ticked);
    EXPECT_TRUE(tree->Nodes()[1].ticked);  // ancestors' boxes
    EXPECT_TRUE(tree->Nodes()[0].ticked);
    TickFileRow(*tree, 2, 2, false);
    EXPECT_FALSE(tree->Nodes()[2].ticked);
    EXPECT_FALSE(tree->Nodes()[1].ticked);
    EXPECT_FALSE(tree->Nodes()[0].ticked);
}

TEST_F(Step4Test, UntickingAFolderRowUnticksEmptyParents) {
    TickFolder(*tree, 2, true);
    tree->Node(1).ticked = true;
    UntickFolderRow(*tree, 2);
    EXPECT_EQ(File(2), 'n');
    EXPECT_FALSE(tree->Nodes()[1].ticked);
    EXPECT_FALSE(HoldsAnythingTicked(*tree, 1));
}

TEST(Step4Names, RenameCheck) {
    EXPECT_TRUE(IsValidNewName(u"report (final).doc"));
    for (const char16_t* bad : {u"", u".", u"..", u"a/b", u"a\\b", u"a:b", u"a?b", u"a|b", u"a\x01"})
        EXPECT_FALSE(IsValidNewName(bad)) << std::string(bad, bad + std::char_traits<char16_t>::length(bad));
}

TEST(Step4Summary, Text) {
    theStore.ClearFoundItems();
    theStore.totalSize = 0x40000000ull;
    EXPECT_EQ(SummaryText(theStore), "1024.000 MB size in 0 Directories 0 Files");
    theStore.totalSize = 0;
}

}  // namespace
