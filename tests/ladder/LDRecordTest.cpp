// Trees flattened into element sequences with type bytes, written as
// element records, read back and relinked; malformed streams are refused
// without a crash and without leaking what was read.

#include "TreeBuilder.h"
#include "ladder/CComment.h"
#include "platform/CArchive.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

CLDElement* CreateByTypeByte(BYTE type)
{
    switch (type) {
    case LD_TYPE_LOGIC_NODE:
        return new CLogicNode;
    case LD_TYPE_OTHER:
        return new CComment;
    default:
        return new CTestElement;
    }
}

// One item as the snapshot stream frames it: a count, then a type byte and a record per element.
std::vector<BYTE> StoreItem(CLDElement* root)
{
    std::vector<CLDElement*> elements;
    std::vector<BYTE> types;
    root->Flatten(&elements, &types);
    CArchive ar;
    ar << static_cast<int>(elements.size());
    for (size_t i = 0; i < elements.size(); ++i) {
        ar << types[i];
        elements[i]->Serialize(ar);
    }
    return ar.GetBuffer();
}

// The root of the item read back, or nullptr with the archive's error or a refused link.
CLDElement* LoadItem(std::vector<BYTE> bytes, CArchive::Error* error = nullptr)
{
    CArchive ar(std::move(bytes));
    int count = 0;
    ar >> count;
    std::vector<CLDElement*> elements;
    for (int i = 0; i < count && ar.IsOK(); ++i) {
        BYTE type = 0;
        ar >> type;
        CLDElement* element = CreateByTypeByte(type);
        element->Serialize(ar);
        elements.push_back(element);
    }
    if (error)
        *error = ar.GetError();
    if (ar.IsOK() && CLDElement::LinkSequence(elements, 0))
        return elements.front();
    for (CLDElement* element : elements) {
        element->SetChildA(nullptr);
        element->SetChildB(nullptr);
        element->ReleaseCopy();
    }
    return nullptr;
}

std::vector<int> Ints(const std::vector<BYTE>& bytes, size_t from, size_t count)
{
    CArchive ar(std::vector<BYTE>(bytes.begin() + long(from), bytes.end()));
    std::vector<int> values(count);
    for (int& value : values)
        ar >> value;
    return values;
}

TEST(LDRecords, FlattenGivesPreOrderTypeBytesAndChildIndices)
{
    CTestElement lone(LD_KIND_CONTACT, "A");
    std::vector<CLDElement*> elements;
    std::vector<BYTE> types;
    lone.Flatten(&elements, &types);
    EXPECT_EQ(types, std::vector<BYTE> {LD_TYPE_CONTACT});
    EXPECT_EQ(lone.GetChildAIndex(), -1);
    EXPECT_EQ(lone.GetChildBIndex(), -1);

    CLDElement* root = Coil(Series(Parallel(Contact("B"), Contact("C", LD_LINK_PARALLEL)), Block("T37")));
    elements.clear();
    types.clear();
    root->Flatten(&elements, &types);
    EXPECT_EQ(types, (std::vector<BYTE> {LD_TYPE_COIL, LD_TYPE_LOGIC_NODE, LD_TYPE_BLOCK, LD_TYPE_LOGIC_NODE,
                                         LD_TYPE_CONTACT, LD_TYPE_CONTACT}));
    const CLDElement* parallel = elements[3];
    EXPECT_EQ(parallel->GetChildAIndex(), 4);
    EXPECT_EQ(parallel->GetChildBIndex(), 5);
    EXPECT_EQ(elements[1]->GetChildAIndex(), 2);
    EXPECT_EQ(elements[1]->GetChildBIndex(), 3);
    root->DeleteTree(FALSE);
}

TEST(LDRecords, LogicNodeRecordIsFourIntegers)
{
    CLogicNode* node = Parallel(Contact("A"), nullptr);
    std::vector<CLDElement*> elements;
    std::vector<BYTE> types;
    node->Flatten(&elements, &types);
    EXPECT_EQ(types, (std::vector<BYTE> {LD_TYPE_LOGIC_NODE, LD_TYPE_CONTACT}));
    CArchive ar;
    node->Serialize(ar);
    EXPECT_EQ(ar.GetBuffer().size(), 16u);
    EXPECT_EQ(Ints(ar.GetBuffer(), 0, 4), (std::vector<int> {1, -1, -1, 2}));
    node->DeleteTree(FALSE);
}

TEST(LDRecords, NetworkReadBackHasTheSameShapeAndText)
{
    CLDElement* root = Coil(Contact("A", LD_LINK_SERIES,
                                    Series(Parallel(Contact("B"), Contact("C", LD_LINK_PARALLEL)), Contact("D"))));
    const std::string text = root->GetILText();
    const std::vector<BYTE> stored = StoreItem(root);
    root->DeleteTree(FALSE);

    CLDElement* loaded = LoadItem(stored);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetILText(), text);
    EXPECT_EQ(StoreItem(loaded), stored);
    loaded->SetLayoutRect(CLDCellRect(1, 0, 0, 1));
    EXPECT_EQ(loaded->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, nullptr, 0, 0), CSize(3, 3));
    loaded->DeleteTree(FALSE);
}

TEST(LDRecords, HeaderRecordKeepsTextNumberAndCell)
{
    CComment header;
    header.SetNetworkNumber(4);
    header.SetText("Pump\r\nstart");
    header.SetPosition(CLDCellRect(1, 12, 0, 8));
    header.SetValidFlag(0);
    CArchive ar;
    header.Serialize(ar);

    CArchive in(ar.GetBuffer());
    CComment loaded;
    loaded.Serialize(in);
    ASSERT_TRUE(in.IsOK());
    EXPECT_EQ(in.GetRemaining(), 0u);
    EXPECT_EQ(loaded.GetNetworkNumber(), 4);
    EXPECT_EQ(loaded.GetText(), "Pump\r\nstart");
    EXPECT_EQ(loaded.GetPosition().column, 1);
    EXPECT_EQ(loaded.GetPosition().row, 12);
    EXPECT_EQ(loaded.GetValidFlag(), 1); // not stored: a loaded header is valid
}

TEST(LDRecords, MalformedStreamsAreRefused)
{
    CLDElement* root = Coil(Series(Parallel(Contact("B"), Contact("C", LD_LINK_PARALLEL)), Contact("D")));
    const std::vector<BYTE> good = StoreItem(root);
    root->DeleteTree(FALSE);
    // Offsets into the stream: the count, then per element a type byte and
    // its record; the coil's record is four integers and "%Q0.0", the series
    // node's (type byte at NODE_TYPE) names D (2) and the branch (3).
    constexpr size_t COIL_RECORD = 4 + 1;
    constexpr size_t NODE_TYPE = COIL_RECORD + 16 + 6;
    constexpr size_t NODE_RECORD = NODE_TYPE + 1;
    const size_t live = CLDElement::LiveCount();

    const struct {
        const char* fault;
        std::function<void(std::vector<BYTE>&)> spoil;
        CArchive::Error error;
    } cases[] = {
        {"stream cut inside a record", [](std::vector<BYTE>& b) { b.resize(b.size() - 3); }, CArchive::endOfFile},
        {"count larger than the records", [](std::vector<BYTE>& b) { b[0] = 9; }, CArchive::endOfFile},
        {"logic node record of another kind", [](std::vector<BYTE>& b) { b[NODE_RECORD + 8] = 0; },
         CArchive::badClass},
        {"child index past the end", [](std::vector<BYTE>& b) { b[COIL_RECORD + 1] = 40; }, CArchive::none},
        {"child index naming the root", [](std::vector<BYTE>& b) { b[NODE_RECORD] = 0; }, CArchive::none},
        {"child named twice", [](std::vector<BYTE>& b) { b[NODE_RECORD + 4] = 2; }, CArchive::none},
        {"negative child index", [](std::vector<BYTE>& b) { b[COIL_RECORD + 3] = 0x80; }, CArchive::none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        std::vector<BYTE> bytes = good;
        c.spoil(bytes);
        CArchive::Error error = CArchive::none;
        EXPECT_EQ(LoadItem(bytes, &error), nullptr);
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(CLDElement::LiveCount(), live);
    }
}

} // namespace
