#include "platform/CArchive.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A small record written with its class record, like a parameter of a call interface.
class CTestPara : public CObject {
    DECLARE_SERIAL(CTestPara)
public:
    std::string name;
    int value = 0;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << name << value;
        else
            ar >> name >> value;
    }
};
IMPLEMENT_SERIAL(CTestPara, CObject, 1)

class CTestOther : public CObject {
    DECLARE_SERIAL(CTestOther)
public:
    void Serialize(CArchive&) override {}
};
IMPLEMENT_SERIAL(CTestOther, CObject, 2)

std::vector<BYTE> Bytes(const char* hex)
{
    auto v = BytesFromHex(hex);
    return std::vector<BYTE>(v.begin(), v.end());
}

std::string Hex(const std::vector<BYTE>& bytes)
{
    return HexBytes(std::vector<unsigned char>(bytes.begin(), bytes.end()));
}

} // namespace

TEST(ArchiveTest, IntegersAndFloatsAreLittleEndian)
{
    CArchive out;
    out << BYTE(0x12) << WORD(0x3456) << DWORD(0x789ABCDE) << int(-2) << short(-3) << char('A') << 1.0f << 0.5;
    EXPECT_EQ(Hex(out.GetBuffer()),
              "12 56 34 DE BC 9A 78 FE FF FF FF FD FF 41 00 00 80 3F 00 00 00 00 00 00 E0 3F");

    CArchive in(out.GetBuffer());
    BYTE b; WORD w; DWORD d; int i; short s; char c; float f; double g;
    in >> b >> w >> d >> i >> s >> c >> f >> g;
    EXPECT_TRUE(in.IsOK());
    EXPECT_EQ(b, 0x12); EXPECT_EQ(w, 0x3456); EXPECT_EQ(d, 0x789ABCDEu); EXPECT_EQ(i, -2);
    EXPECT_EQ(s, -3); EXPECT_EQ(c, 'A'); EXPECT_EQ(f, 1.0f); EXPECT_EQ(g, 0.5);
    EXPECT_EQ(in.GetRemaining(), 0u);
}

TEST(ArchiveTest, StringLengthPrefixesByLength)
{
    const struct { size_t length; const char* prefix; } cases[] = {
        {0, "00"}, {3, "03"}, {254, "FE"}, {255, "FF FF 00"}, {0xFFFD, "FF FD FF"},
        {0xFFFE, "FF FF FF FE FF 00 00"}, {70000, "FF FF FF 70 11 01 00"},
    };
    for (const auto& c : cases) {
        const std::string text(c.length, 'x');
        CArchive out;
        out << text;
        const std::string prefix = c.prefix;
        const size_t prefixBytes = (prefix.size() + 1) / 3;
        ASSERT_EQ(out.GetBuffer().size(), prefixBytes + c.length) << c.length;
        EXPECT_EQ(Hex(std::vector<BYTE>(out.GetBuffer().begin(), out.GetBuffer().begin() + prefixBytes)), prefix);
        CArchive in(out.GetBuffer());
        std::string back;
        in >> back;
        EXPECT_TRUE(in.IsOK());
        EXPECT_EQ(back, text) << c.length;
    }
}

TEST(ArchiveTest, Utf16StringsAreReadAsGbk)
{
    // 0xFF 0xFFFE marks a UTF-16 string; "中" is U+4E2D, D6 D0 in GBK.
    CArchive in(Bytes("FF FE FF 02 41 00 2D 4E"));
    std::string text;
    in >> text;
    EXPECT_TRUE(in.IsOK());
    EXPECT_EQ(text, "A\xD6\xD0");
}

TEST(ArchiveTest, CountsUseAWordOrAnEscapedDoubleWord)
{
    CArchive out;
    out.WriteCount(3);
    out.WriteCount(0xFFFE);
    out.WriteCount(0x12345);
    EXPECT_EQ(Hex(out.GetBuffer()), "03 00 FE FF FF FF 45 23 01 00");
    std::vector<BYTE> bytes = out.GetBuffer();
    bytes.resize(bytes.size() + 0x12345, 0);
    CArchive in(bytes);
    EXPECT_EQ(in.ReadCount(), 3u);
    EXPECT_EQ(in.ReadCount(), 0xFFFEu);
    EXPECT_EQ(in.ReadCount(), 0x12345u);
    EXPECT_TRUE(in.IsOK());
}

TEST(ArchiveTest, ReadsAHandMadeListOfTwoObjectsOfOneClass)
{
    // Count 2; the first object brings its class record (new-class tag,
    // schema 1, name), the second refers to that class by index 1.
    const std::vector<BYTE> stream = Bytes(
        "02 00"
        " FF FF 01 00 09 00 43 54 65 73 74 50 61 72 61"  // class CTestPara, schema 1
        " 02 49 4E 05 00 00 00"                          // "IN", 5
        " 01 80"                                         // class index 1
        " 03 4F 55 54 07 00 00 00");                     // "OUT", 7
    CArchive in(stream);
    const DWORD count = in.ReadCount();
    ASSERT_EQ(count, 2u);
    std::vector<std::unique_ptr<CObject>> objects;
    for (DWORD i = 0; i < count; ++i)
        objects.emplace_back(in.ReadObject(RUNTIME_CLASS(CTestPara)));
    ASSERT_TRUE(in.IsOK()) << in.GetErrorText();
    auto* first = dynamic_cast<CTestPara*>(objects[0].get());
    auto* second = dynamic_cast<CTestPara*>(objects[1].get());
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->name, "IN"); EXPECT_EQ(first->value, 5);
    EXPECT_EQ(second->name, "OUT"); EXPECT_EQ(second->value, 7);

    // Writing the same list gives the same bytes.
    CArchive out;
    out.WriteCount(2);
    for (const auto& object : objects)
        out.WriteObject(object.get());
    EXPECT_EQ(Hex(out.GetBuffer()), Hex(stream));
}

TEST(ArchiveTest, ObjectGraphRoundTripsWithNullsClassesAndReferences)
{
    CTestPara a, b;
    a.name = "A"; a.value = 1;
    b.name = "B"; b.value = 2;
    CTestOther other;
    CArchive out;
    out.WriteObject(&a);
    out.WriteObject(nullptr);
    out.WriteObject(&other);
    out.WriteObject(&b);
    out.WriteObject(&a); // stored before: an object index
    // Indexes: class CTestPara 1, a 2, class CTestOther 3, other 4, b 5.
    EXPECT_EQ(Hex(std::vector<BYTE>(out.GetBuffer().end() - 2, out.GetBuffer().end())), "02 00");

    CArchive in(out.GetBuffer());
    in.SetAllowObjectReferences(TRUE);
    std::unique_ptr<CObject> ra(in.ReadObject(nullptr));
    EXPECT_EQ(in.ReadObject(nullptr), nullptr);
    std::unique_ptr<CObject> ro(in.ReadObject(nullptr));
    std::unique_ptr<CObject> rb(in.ReadObject(RUNTIME_CLASS(CTestPara)));
    CObject* again = in.ReadObject(RUNTIME_CLASS(CTestPara));
    ASSERT_TRUE(in.IsOK()) << in.GetErrorText();
    EXPECT_TRUE(ro->IsKindOf(RUNTIME_CLASS(CTestOther)));
    EXPECT_EQ(static_cast<CTestPara*>(rb.get())->name, "B");
    EXPECT_EQ(again, ra.get());
}

TEST(ArchiveTest, TruncatedAndMalformedStreamsAreRefused)
{
    const struct { const char* name; const char* hex; CArchive::Error error; } cases[] = {
        {"empty", "", CArchive::endOfFile},
        {"cut class name", "FF FF 01 00 09 00 43 54 65", CArchive::endOfFile},
        {"cut object body", "FF FF 01 00 09 00 43 54 65 73 74 50 61 72 61 05 49 4E", CArchive::endOfFile},
        {"unknown class", "FF FF 01 00 03 00 58 59 5A", CArchive::badClass},
        {"wrong schema", "FF FF 07 00 09 00 43 54 65 73 74 50 61 72 61", CArchive::badSchema},
        {"class never stored", "05 80", CArchive::badIndex},
        {"object never stored", "09 00", CArchive::badIndex},
        {"big class index never stored", "FF 7F 09 00 00 80", CArchive::badIndex},
        {"oversized class name", "FF FF 01 00 00 10", CArchive::badClass},
        {"unexpected class", "FF FF 02 00 0A 00 43 54 65 73 74 4F 74 68 65 72", CArchive::badClass},
    };
    for (const auto& c : cases) {
        CArchive in(Bytes(c.hex));
        std::unique_ptr<CObject> object(in.ReadObject(RUNTIME_CLASS(CTestPara)));
        EXPECT_FALSE(in.IsOK()) << c.name;
        EXPECT_EQ(in.GetError(), c.error) << c.name;
        EXPECT_FALSE(in.GetErrorText().empty()) << c.name;
    }
}

TEST(ArchiveTest, BackReferenceToAnObjectIsRefusedUnlessAllowed)
{
    CTestPara a;
    CArchive out;
    out.WriteObject(&a);
    out.WriteObject(&a);
    CArchive in(out.GetBuffer());
    std::unique_ptr<CObject> first(in.ReadObject(RUNTIME_CLASS(CTestPara)));
    EXPECT_EQ(in.ReadObject(RUNTIME_CLASS(CTestPara)), nullptr);
    EXPECT_EQ(in.GetError(), CArchive::badIndex) << "two owners of one object";
}

TEST(ArchiveTest, ShortReadsYieldZerosAndHugeCountsAreRefused)
{
    CArchive in(Bytes("01 02 03"));
    DWORD d = 0xFFFFFFFF;
    in >> d;
    EXPECT_EQ(d, 0u);
    EXPECT_EQ(in.GetError(), CArchive::endOfFile);

    CArchive counts(Bytes("FF FF FF FF FF 7F 00"));
    EXPECT_EQ(counts.ReadCount(), 0u);
    EXPECT_EQ(counts.GetError(), CArchive::badCount);

    CArchive text(Bytes("FF FF FF 00 00 00 10 41"));
    std::string s = "old";
    text >> s;
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(text.GetError(), CArchive::endOfFile);
}

TEST(ArchiveTest, EmptyReadsLeaveTheBufferAndTheArchiveAlone)
{
    // Zero-length blobs and empty usage arrays read into data() of an empty
    // vector, which may be null; the sanitizer build checks that it is never used.
    std::vector<BYTE> empty;
    CArchive in(Bytes("07"));
    EXPECT_EQ(in.Read(empty.data(), 0), 0u);
    EXPECT_TRUE(in.IsOK());
    EXPECT_EQ(in.GetPosition(), 0u);

    BYTE b = 0;
    in >> b >> b;
    ASSERT_EQ(in.GetError(), CArchive::endOfFile);
    EXPECT_EQ(in.Read(empty.data(), 0), 0u);
    EXPECT_EQ(in.GetError(), CArchive::endOfFile);
}

TEST(ArchiveTest, FileRoundTripAndMissingFile)
{
    TempFolder dir;
    CArchive out;
    out << std::string("project") << DWORD(201);
    ASSERT_TRUE(out.SaveToFile(dir / "p.qpj"));
    CArchive in = CArchive::FromFile(dir / "p.qpj");
    std::string name;
    DWORD version = 0;
    in >> name >> version;
    EXPECT_TRUE(in.IsOK());
    EXPECT_EQ(name, "project");
    EXPECT_EQ(version, 201u);

    CArchive missing = CArchive::FromFile(dir / "none.qpj");
    EXPECT_EQ(missing.GetError(), CArchive::fileError);
}

TEST(ArchiveTest, TextLinesLoseTheirLineEnds)
{
    struct LinesCase {
        std::string text;
        std::vector<std::string> lines;
    };
    const LinesCase cases[] = {
        {"", {}},
        {"a\r\nb\nc", {"a", "b", "c"}},
        {"a\r\n", {"a"}},
        {"\r\n\n", {"", ""}},
        {"x\ry\r\n", {"x\ry"}},
    };
    for (const LinesCase& c : cases) {
        CArchive ar(std::vector<BYTE>(c.text.begin(), c.text.end()));
        std::vector<std::string> lines {"kept"};
        ar.ReadLines(lines);
        std::vector<std::string> expected {"kept"};
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        EXPECT_EQ(lines, expected) << c.text;
        EXPECT_EQ(ar.GetRemaining(), 0u) << c.text;
    }
}
