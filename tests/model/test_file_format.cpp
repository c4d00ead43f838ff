// The document file: exact bytes of both forms, round trips, renumbering on save, and every
// kind of damaged or hostile file ending in a clean failure or a defined recovery.
#include "TestHooks.h"
#include "analysis/Analysis.h"
#include "model/DocumentFile.h"
#include "model/ModelFixtures.h"
#include "model/StructureBuilder.h"
#include "model/VelmorViga.h"
#include "platform/core/Archive.h"
#include "platform/core/FileIO.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

using namespace velmor;
using namespace velmor::test;
namespace fs = std::filesystem;

namespace {

std::string w16(int v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}
std::string f64(double v)
{
    unsigned char b[8];
    std::memcpy(b, &v, 8);
    return std::string(reinterpret_cast<char*>(b), 8);
}
std::string pt(double x, double y, double z)
{
    return f64(x) + f64(y) + f64(z) + f64(1.0);
}

std::string readData(const std::string& name)
{
    std::string bytes, error;
    EXPECT_TRUE(ReadWholeFile(std::string(VELMOR_TEST_DATA) + "/" + name, bytes, error)) << error;
    return bytes;
}

// The portal of the fixtures, with a section of shape 0 added, as the golden files hold it.
void buildGoldenModel(VelmorProblem& p)
{
    BuildPortal(p);
    AddSection(p, 3e10, 0.09, 6.75e-4, 0);
}

bool isEmpty(const VelmorProblem& p)
{
    for (int k = 0; k < kKindCount; ++k)
        if (p.Count(k))
            return false;
    return true;
}

} // namespace

TEST(FileFormat, EmptyModelInBothForms)
{
    VelmorProblem p;
    p.SetProblemType(PROBLEM_PLANE_FRAME);
    const std::string binary = std::string("\x12") + "Tipo del problema*" + w16(2) + pt(0, 0, 0) +
                               pt(5, 5, 2.5) + pt(0.05, 0.05, 0.025) + w16(0) + w16(0) + w16(0) +
                               w16(0) + w16(0) + w16(0);
    EXPECT_EQ(binary.size(), 19u + 2u + 96u + 12u);
    EXPECT_EQ(StoreProblem(p, false), binary);
    const std::string text = "Type of problem: two-dimensional\n"
                             "(0.000000, 0.000000, 0.000000) \n"
                             "(5.000000, 5.000000, 2.500000) \n"
                             "(0.050000, 0.050000, 0.025000) \n"
                             " \n"
                             "Elements in the list Node: 0 \n\n"
                             "Elements in the list Section: 0 \n\n"
                             "Elements in the list Beam: 0 \n\n"
                             "Elements in the list Support: 0 \n\n"
                             "Elements in the list nodal_load: 0 \n\n"
                             "Elements in the list distributed_load: 0 \n\n"
                             "END OF FILE\n";
    EXPECT_EQ(StoreProblem(p, true), text);

    for (bool asText : {false, true}) {
        VelmorProblem back;
        LoadResult r = LoadProblemBytes(back, asText ? text : binary,
                                        asText ? FileForm::Text : FileForm::Binary);
        EXPECT_EQ(r.status, LoadStatus::Ok);
        EXPECT_EQ(back.m_nType, PROBLEM_PLANE_FRAME);
        EXPECT_EQ(back.m_box.MaxCorner(), Mfx3dPoint(5, 5, 2.5));
        EXPECT_TRUE(isEmpty(back));
    }
}

// Golden files written by this program and checked by hand (tests/data/golden_portal.*).
TEST(FileFormat, GoldenFilesInBothForms)
{
    VelmorProblem p;
    buildGoldenModel(p);
    const std::string text = StoreProblem(p, true);
    const std::string binary = StoreProblem(p, false);
    EXPECT_EQ(text, readData("golden_portal.vlm"));
    EXPECT_EQ(binary, readData("golden_portal_binary.vlm"));

    // Binary landmarks: the first node brings its class (index 1), the second refers to it.
    const std::string firstNode = w16(0xFFFF) + w16(1) + w16(10) + "VelmorNudo";
    EXPECT_EQ(binary.substr(129 - 12 + 2, firstNode.size()), firstNode);
    const size_t secondNode = 129 - 12 + 2 + firstNode.size() + 2 + 2 + 32 + 2 + 2;
    EXPECT_EQ(binary.substr(secondNode, 2), w16(0x8001));
    // The section of shape 0 writes two blanks after its colon.
    EXPECT_NE(text.find("Section 2 \nShape of cross section:  \n"), std::string::npos);
}

TEST(FileFormat, TextBinaryTextRoundTripIsByteIdentical)
{
    for (const char* name : {"golden_portal.vlm"}) {
        const std::string text = readData(name);
        VelmorProblem a;
        ASSERT_EQ(LoadProblemBytes(a, text, FileForm::Detect).status, LoadStatus::Ok);
        const std::string binary = StoreProblem(a, false);
        VelmorProblem b;
        LoadResult r = LoadProblemBytes(b, binary, FileForm::Detect);
        ASSERT_EQ(r.status, LoadStatus::Ok);
        EXPECT_FALSE(r.text);
        EXPECT_EQ(StoreProblem(b, true), text) << name;
        EXPECT_EQ(StoreProblem(b, false), binary) << name;
    }
}

TEST(FileFormat, LoadingRestoresTheGraph)
{
    VelmorProblem p;
    ASSERT_EQ(LoadProblemBytes(p, readData("golden_portal.vlm"), FileForm::Text).status,
              LoadStatus::Ok);
    ASSERT_EQ(p.Count(KIND_NODE), 3u);
    ASSERT_EQ(p.Count(KIND_BEAM), 2u);
    const VelmorObject* beam = p.List(KIND_BEAM).at(1);
    EXPECT_EQ(beam->GetParent(0), p.List(KIND_SECTION).at(0));
    EXPECT_EQ(beam->GetParent(1), p.List(KIND_NODE).at(1));
    EXPECT_EQ(beam->GetParent(2), p.List(KIND_NODE).at(2));
    EXPECT_EQ(p.List(KIND_NODE).at(1)->CountChildren(-1), 3);
    EXPECT_EQ(p.List(KIND_BEAM_LOAD).at(0)->GetParent(0), beam);
    EXPECT_EQ(beam->CountChildren(KIND_BEAM_LOAD), 1);
    EXPECT_EQ(p.List(KIND_SUPPORT).at(1)->m_pData->m_kind, KIND_SUPPORT);
    EXPECT_EQ(p.ProblemType(), PROBLEM_PLANE_FRAME);
}

TEST(FileFormat, SavingRenumbersAfterDeletes)
{
    VelmorProblem p;
    p.SetProblemType(PROBLEM_PLANE_FRAME);
    VelmorObject* a = AddNode(p, 0, 0, 0);
    VelmorObject* b = AddNode(p, 1, 0, 0);
    VelmorObject* c = AddNode(p, 2, 0, 0);
    VelmorObject* s = AddSection(p, 1, 1, 1);
    AddBeam(p, s, a, c);
    b->Detach(0x3300, &p);
    const std::string text = StoreProblem(p, true);
    EXPECT_NE(text.find("Node 2 \n(2.000000,"), std::string::npos);
    EXPECT_EQ(text.find("Node 3"), std::string::npos);
    EXPECT_NE(text.find("Connections: 3 \nSection 1 \nNode 1 \nNode 2 \n\n"), std::string::npos);
    VelmorProblem back;
    ASSERT_EQ(LoadProblemBytes(back, text, FileForm::Text).status, LoadStatus::Ok);
    EXPECT_DOUBLE_EQ(back.List(KIND_BEAM).at(0)->GetLength(), 2.0);
}

TEST(FileFormat, UnresolvedParentIsReportedAndTheElementDropped)
{
    RecordMessages messages;
    VelmorProblem p;
    buildGoldenModel(p);
    std::string text = StoreProblem(p, true);
    // The distributed load refers to beam 2: make it beam 7.
    const size_t at = text.find("Connections: 1 \nBeam 2 \n");
    ASSERT_NE(at, std::string::npos);
    text.replace(text.find("Beam 2", at), 6, "Beam 7");
    VelmorProblem back;
    const LoadResult r = LoadProblemBytes(back, text, FileForm::Text);
    ASSERT_EQ(r.status, LoadStatus::Ok);
    // Said once, with the line and the element, by whoever shows the result; the model shows
    // nothing itself.
    EXPECT_TRUE(messages.messages.empty());
    const size_t line = size_t(std::count(text.begin(), text.begin() + long(text.find("Beam 7")), '\n')) + 1;
    EXPECT_EQ(r.report, (std::vector<std::string>{
                            "ligne " + std::to_string(line) +
                                ": distributed_load 1 repose sur Beam 7, qui n'existe pas",
                            "distributed_load 1: élément ignoré"}));
    EXPECT_EQ(LoadReportMessage(r.report).rfind("Le fichier n'a pas pu être lu en entier", 0), 0u);
    EXPECT_EQ(back.Count(KIND_BEAM_LOAD), 0u);
    EXPECT_EQ(back.Count(KIND_BEAM), 2u);
    EXPECT_EQ(back.List(KIND_BEAM).at(1)->CountChildren(-1), 0);
}

TEST(FileFormat, BeamOnOneNodeAndWrongKindParentsAreDropped)
{
    RecordMessages messages;
    VelmorProblem p;
    buildGoldenModel(p);
    std::string text = StoreProblem(p, true);
    // Beam 1 from node 1 to node 1; the first support on a section.
    text.replace(text.find("Node 1 \nNode 2 \n"), 16, "Node 1 \nNode 1 \n");
    const size_t support = text.find("Support 1 \n");
    text.replace(text.find("Connections: 1 \nNode 1 \n", support), 24,
                 "Connections: 1 \nSection 1 \n");
    VelmorProblem back;
    const LoadResult r = LoadProblemBytes(back, text, FileForm::Text);
    ASSERT_EQ(r.status, LoadStatus::Ok);
    ASSERT_EQ(r.report.size(), 4u);
    EXPECT_NE(r.report[0].find("Support 1 ne peut pas reposer sur Section 1"), std::string::npos) << r.report[0];
    EXPECT_EQ(r.report[1], "Beam 1: ses deux extrémités sont le même noeud");
    EXPECT_EQ(r.report[2], "Beam 1: élément ignoré");
    EXPECT_EQ(r.report[3], "Support 1: élément ignoré");
    EXPECT_EQ(back.Count(KIND_BEAM), 1u);
    EXPECT_EQ(back.Count(KIND_SUPPORT), 1u);
    for (const auto& node : back.List(KIND_NODE))
        for (const VelmorObject* child : node->Children())
            EXPECT_NE(child->Kind(), KIND_NONE);
}

TEST(FileFormat, ManyBrokenReferencesDoNotFloodTheUser)
{
    RecordMessages messages;
    std::string text = "Type of problem: two-dimensional\n(0.0, 0.0, 0.0) \n(5.0, 5.0, 2.5) \n"
                       "(0.05, 0.05, 0.025) \n \nElements in the list Node: 0 \n\n"
                       "Elements in the list Section: 0 \n\nElements in the list Beam: 0 \n\n"
                       "Elements in the list Support: 0 \n\n"
                       "Elements in the list nodal_load: 500 \n\n";
    for (int i = 1; i <= 500; ++i)
        text += "nodal_load " + std::to_string(i) +
                " \nnodal_load\n(1.0, 0.0, 0.0) \n(0.0, 0.0, 0.0) \n(0.0, 0.0, 0.0) \n"
                "(0.0, 0.0, 0.0) \nConnections: 1 \nNode 9 \n\n";
    text += "Elements in the list distributed_load: 0 \n\nEND OF FILE\n";
    VelmorProblem p;
    const LoadResult r = LoadProblemBytes(p, text, FileForm::Text);
    ASSERT_EQ(r.status, LoadStatus::Ok);
    EXPECT_EQ(p.SerializeErrors(), 500);
    EXPECT_TRUE(messages.messages.empty());
    ASSERT_EQ(r.report.size(), VelmorProblem::kMaxLoadReport);
    EXPECT_EQ(r.report.back(), "... et 901 de plus"); // 500 references and 500 drops in all
    EXPECT_EQ(p.Count(KIND_NODAL_LOAD), 0u);
}

TEST(FileFormat, NumbersGivenTwiceAreReported)
{
    VelmorProblem p;
    buildGoldenModel(p);
    std::string text = StoreProblem(p, true);
    text.replace(text.find("Node 2 \n("), 9, "Node 1 \n(");
    VelmorProblem back;
    const LoadResult r = LoadProblemBytes(back, text, FileForm::Text);
    ASSERT_EQ(r.status, LoadStatus::Ok);
    ASSERT_FALSE(r.report.empty());
    EXPECT_NE(r.report[0].find("Node 1: numéro déjà pris par un autre élément"), std::string::npos)
        << r.report[0];
}

TEST(FileFormat, WrongHeadersAreTheWrongFormat)
{
    VelmorProblem good;
    buildGoldenModel(good);
    const std::string text = StoreProblem(good, true);
    const std::string binary = StoreProblem(good, false);
    std::string badType = binary;
    badType[19] = 9;
    const std::pair<const char*, std::pair<std::string, FileForm>> cases[] = {
        {"unknown type word", {"Type of problem: four-dimensional\n" + text.substr(text.find('\n') + 1), FileForm::Text}},
        {"not a header", {"Hello\n", FileForm::Text}},
        {"text read as binary", {text, FileForm::Binary}},
        {"binary read as text", {binary, FileForm::Text}},
        {"binary type 9", {badType, FileForm::Binary}},
        {"short binary", {std::string("\x12Tipo"), FileForm::Binary}},
        {"non-UTF-8 header", {"\xff\xfe\x80Type of problem: \xe9\n", FileForm::Text}},
    };
    for (const auto& [name, input] : cases) {
        VelmorProblem p;
        buildGoldenModel(p);
        LoadResult r = LoadProblemBytes(p, input.first, input.second);
        EXPECT_EQ(r.status, LoadStatus::WrongFormat) << name;
        EXPECT_EQ(r.message, "Mauvais format pour ouvrir ce fichier!");
        EXPECT_TRUE(isEmpty(p)) << name;
    }
}

TEST(FileFormat, EveryTruncationFailsCleanly)
{
    VelmorProblem good;
    buildGoldenModel(good);
    for (bool text : {false, true}) {
        const std::string bytes = StoreProblem(good, text);
        for (size_t cut = 1; cut < bytes.size(); ++cut) {
            RecordMessages quiet;
            VelmorProblem p;
            LoadResult r = LoadProblemBytes(p, bytes.substr(0, cut),
                                            text ? FileForm::Text : FileForm::Binary);
            const bool lastLineCut = text && cut >= bytes.rfind("END OF FILE") + 11;
            if (lastLineCut)
                continue; // "END OF FILE" without its line feed, still whole
            ASSERT_NE(r.status, LoadStatus::Ok) << (text ? "text" : "binary") << " cut at " << cut;
            ASSERT_TRUE(isEmpty(p)) << "half-loaded model after a cut at " << cut;
        }
    }
}

TEST(FileFormat, HostileBinaryFilesFailCleanly)
{
    const std::string head = std::string("\x12") + "Tipo del problema*" + w16(2) + pt(0, 0, 0) +
                             pt(5, 5, 2.5) + pt(0.05, 0.05, 0.025);
    const std::string node = w16(0) + w16(1) + pt(1, 2, 3) + w16(0) + w16(0);
    const std::string nodeClass = w16(0xFFFF) + w16(1) + w16(10) + "VelmorNudo";
    const std::string rest = w16(0) + w16(0) + w16(0) + w16(0) + w16(0);
    struct Case
    {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"count of 4 billion", head + w16(0xFFFF) + std::string("\xff\xff\xff\xff") + nodeClass + node},
        {"unknown class", head + w16(1) + w16(0xFFFF) + w16(1) + w16(6) + "CFrame" + node + rest},
        {"schema 2", head + w16(1) + w16(0xFFFF) + w16(2) + w16(10) + "VelmorNudo" + node + rest},
        {"undefined class index", head + w16(1) + w16(0x8005) + node + rest},
        {"back-reference", head + w16(2) + nodeClass + node + w16(0x0002) + node + rest},
        {"node in the beam list", head + w16(0) + w16(0) + w16(1) + nodeClass + node + w16(0) + w16(0) + w16(0)},
        {"nan in a beam after its parents", head + w16(2) + nodeClass + node + w16(0x8001) + w16(0) + w16(2) + pt(5, 0, 0) + w16(0) + w16(0) +
             w16(0) + w16(1) + w16(0xFFFF) + w16(1) + w16(10) + "VelmorViga" + w16(2) + w16(1) + pt(0, 0, std::nan("")) + w16(3) +
             w16(1) + w16(0) + w16(0) + w16(1) + w16(0) + w16(2) + rest.substr(0, 6)},
        {"nan coordinate", head + w16(1) + nodeClass + w16(0) + w16(1) + pt(std::nan(""), 0, 0) + w16(0) + w16(0) + rest},
        {"infinite box", std::string("\x12") + "Tipo del problema*" + w16(2) + pt(0, 0, 0) + pt(HUGE_VAL, 5, 2.5) + pt(0.05, 0.05, 0.025) + w16(0) + rest},
    };
    for (const Case& c : cases) {
        VelmorProblem p;
        LoadResult r = LoadProblemBytes(p, c.bytes, FileForm::Binary);
        EXPECT_EQ(r.status, LoadStatus::Damaged) << c.name;
        EXPECT_FALSE(r.message.empty());
        EXPECT_TRUE(isEmpty(p)) << c.name;
    }
}

TEST(FileFormat, HostileTextFilesFailOrRecover)
{
    VelmorProblem good;
    buildGoldenModel(good);
    const std::string text = StoreProblem(good, true);
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = text;
        t.replace(t.find(from), from.size(), to);
        return t;
    };
    // Damage that cannot be read past: a clean failure with nothing loaded.
    for (const std::string& bad : {replaced("(0.000000, 3.000000, 0.000000)", "(nan, 3.0, 0.0)"),
                                   replaced("E=2.1e+11", "E=inf"),
                                   replaced("Elements in the list Node: 3", "Elements in the list Node: 2147483647")}) {
        VelmorProblem p;
        EXPECT_EQ(LoadProblemBytes(p, bad, FileForm::Text).status, LoadStatus::Damaged);
        EXPECT_TRUE(isEmpty(p));
    }
    // A beam on one node in a file that then breaks off: nothing may be left pointing at the
    // node when the half-read model is thrown away.
    {
        RecordMessages quiet;
        std::string t = replaced("Node 1 \nNode 2 \n", "Node 1 \nNode 1 \n");
        t.resize(t.find("Elements in the list Support"));
        VelmorProblem p;
        EXPECT_EQ(LoadProblemBytes(p, t, FileForm::Text).status, LoadStatus::Damaged);
        EXPECT_TRUE(isEmpty(p));
    }
    // A file that breaks off inside a beam's parent references, after its node was found.
    {
        RecordMessages quiet;
        std::string t = text.substr(0, text.find("Node 2 \n\nBeam 2"));
        VelmorProblem p;
        EXPECT_EQ(LoadProblemBytes(p, t, FileForm::Text).status, LoadStatus::Damaged);
        EXPECT_TRUE(isEmpty(p));
    }
    // A line of any length, and bytes that are not UTF-8, where a value should be: refused,
    // with the line, rather than read as what part of them scans to.
    {
        VelmorProblem p;
        const std::string longLine = replaced("(4.000000, 3.000000, 0.000000) ",
                                              "(4.000000, 3.000000, 0.000000) " + std::string(100000, 'x'));
        const LoadResult r = LoadProblemBytes(p, longLine, FileForm::Text);
        EXPECT_EQ(r.status, LoadStatus::Damaged);
        EXPECT_NE(r.message.find("ligne "), std::string::npos) << r.message;
        EXPECT_TRUE(isEmpty(p));
        VelmorProblem q;
        EXPECT_EQ(LoadProblemBytes(q, replaced("Joint: 1", "Joint: \xff\xfe"), FileForm::Text).status,
                  LoadStatus::Damaged);
    }
    // A list header that does not scan counts as an empty list; what follows then does not end
    // the file where the lists should: the file is refused rather than read as empty.
    {
        RecordMessages quiet;
        VelmorProblem p;
        LoadResult r = LoadProblemBytes(p, replaced("Elements in the list Node: 3", "Elements in the list Nodes: 3"),
                                        FileForm::Text);
        EXPECT_NE(r.status, LoadStatus::Ok);
        EXPECT_TRUE(isEmpty(p));
    }
}

TEST(FileFormat, EmptyFileIsAnEmptyModel)
{
    VelmorProblem p;
    buildGoldenModel(p);
    EXPECT_EQ(LoadProblemBytes(p, "", FileForm::Text).status, LoadStatus::Ok);
    EXPECT_TRUE(isEmpty(p));
}

TEST(AtomicSave, ReplacesTheFileOrLeavesItUntouched)
{
    const fs::path dir = fs::path(testing::TempDir()) / "velmor_atomic";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string target = (dir / "model.vlm").string();
    VelmorProblem p;
    buildGoldenModel(p);
    std::string error;
    ASSERT_TRUE(SaveProblemFile(p, target, true, error)) << error;
    ::chmod(target.c_str(), 0600);
    AddNode(p, 9, 9, 0);
    ASSERT_TRUE(SaveProblemFile(p, target, false, error)) << error;
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(target, bytes, error));
    EXPECT_EQ(bytes, StoreProblem(p, false));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write)
        << "the file keeps its permissions";

    // A target that cannot be replaced: the save fails and nothing is left behind.
    const fs::path folder = dir / "folder.vlm";
    fs::create_directories(folder / "inside");
    EXPECT_FALSE(SaveProblemFile(p, folder.string(), true, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::exists(folder / "inside"));
    EXPECT_FALSE(SaveProblemFile(p, (dir / "missing" / "x.vlm").string(), true, error));
    int files = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        EXPECT_EQ(entry.path().filename().string().rfind(".velmor-", 0), std::string::npos)
            << "temporary file left: " << entry.path();
        ++files;
    }
    EXPECT_EQ(files, 2);
    std::string again;
    ASSERT_TRUE(ReadWholeFile(target, again, error));
    EXPECT_EQ(again, bytes);
    fs::remove_all(dir);
}

TEST(FileFormat, BinaryFormRefusesListsItCannotNumber)
{
    // A chain of nodes along x; the binary form numbers elements in 16 bits.
    auto chain = [](VelmorProblem& p, int nodes) {
        StructureBuilder b(p, PROBLEM_PLANE_FRAME, true);
        VelmorObject* s = b.Rectangle(0.2, 0.4, 2.1e11, 0.3);
        VelmorObject* previous = b.Node(0, 0, 0);
        for (int i = 1; i < nodes; ++i) {
            VelmorObject* next = b.Node(i, 0, 0);
            b.Beam(s, previous, next);
            previous = next;
        }
        b.NodalLoad(previous, {0, -1000, 0});
    };
    const fs::path dir = fs::path(testing::TempDir()) / "velmor_binary_limit";
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::string error;

    VelmorProblem large;
    chain(large, 66000);
    EXPECT_FALSE(large.FitsBinaryForm());
    EXPECT_FALSE(SaveProblemFile(large, (dir / "large.vlm").string(), false, error));
    EXPECT_EQ(error, kBinaryTooLarge);
    EXPECT_FALSE(fs::exists(dir / "large.vlm"));
    EXPECT_THROW(StoreProblem(large, false), ArchiveException);
    // The text form holds it: read back, the last load is still on the last node.
    ASSERT_TRUE(SaveProblemFile(large, (dir / "large.vlm").string(), true, error)) << error;
    VelmorProblem back;
    ASSERT_EQ(LoadProblemFile(back, (dir / "large.vlm").string(), FileForm::Detect).status,
              LoadStatus::Ok);
    ASSERT_EQ(back.Count(KIND_NODE), 66000u);
    EXPECT_EQ(back.List(KIND_NODAL_LOAD).at(0)->GetParent(0), back.List(KIND_NODE).at(65999));

    // At the limit the binary form reads back as the model that was saved.
    VelmorProblem full;
    chain(full, int(VelmorProblem::kBinaryListLimit));
    ASSERT_TRUE(SaveProblemFile(full, (dir / "full.vlm").string(), false, error)) << error;
    VelmorProblem fullBack;
    ASSERT_EQ(LoadProblemFile(fullBack, (dir / "full.vlm").string(), FileForm::Detect).status,
              LoadStatus::Ok);
    EXPECT_EQ(StoreProblem(fullBack, true), StoreProblem(full, true));
    fs::remove_all(dir);
}

TEST(FileFormat, DamagedAndUnusualFilesOfTheFuzzCorpus)
{
    // The corpus the readers are fuzzed from holds one file for each kind of damage; each
    // ends as it must: refused with its line, loaded with what it lost, or solved honestly.
    struct Case
    {
        const char* file;
        LoadStatus status;
        const char* said; // in the message (refused) or in the first report line (loaded)
    };
    const Case cases[] = {
        {"decimal-comma.vlm", LoadStatus::Damaged, "ligne 14: valeurs illisibles"},
        {"restraint-2.vlm", LoadStatus::Damaged, "blocage d'appui autre que 0 ou 1"},
        {"missing-node.vlm", LoadStatus::Ok, "Support 1 repose sur Node 99, qui n'existe pas"},
        {"duplicate-number.vlm", LoadStatus::Ok, "Node 1: numéro déjà pris par un autre élément"},
        {"huge-load.vlm", LoadStatus::Ok, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        VelmorProblem p;
        const LoadResult r = LoadProblemFile(
            p, std::string(VELMOR_TEST_DATA) + "/fuzz/text/" + c.file, FileForm::Detect);
        ASSERT_EQ(r.status, c.status) << r.message;
        if (c.status != LoadStatus::Ok) {
            EXPECT_NE(r.message.find(c.said), std::string::npos) << r.message;
            EXPECT_TRUE(isEmpty(p));
        } else if (c.said) {
            ASSERT_FALSE(r.report.empty());
            EXPECT_NE(r.report[0].find(c.said), std::string::npos) << r.report[0];
        } else {
            EXPECT_TRUE(r.report.empty());
            // A load of 1e308: read as it is, its solution is refused as not finite.
            const AnalysisStatus solved = SolveAtOnce(p);
            EXPECT_FALSE(solved.Ok());
            ASSERT_FALSE(solved.Messages().empty());
            EXPECT_EQ(solved.Messages().back().text.rfind("Les résultats ne sont pas des nombres finis", 0), 0u)
                << solved.Messages().back().text;
        }
    }
}
