// Data records: defaults, copy, validity, and their binary and text forms byte for byte.
#include "model/ElementContainer.h"
#include "model/VelmorObjectData.h"
#include "platform/core/Archive.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace velmor;

namespace {

// Little-endian bytes written out by hand for the values used below.
std::string w16(int v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}
std::string f64(double v)
{
    unsigned char b[8];
    std::memcpy(b, &v, 8); // the test machine is little-endian
    return std::string(reinterpret_cast<char*>(b), 8);
}
std::string pt(double x, double y, double z, double w = 1.0)
{
    return f64(x) + f64(y) + f64(z) + f64(w);
}

std::string store(VelmorObjectData& record, bool text)
{
    Archive ar = Archive::ForStoring(text);
    record.Serialize(ar);
    return ar.Bytes();
}

template <class T> T load(const std::string& bytes, bool text, ElementContainer* container = nullptr)
{
    T record;
    Archive ar = Archive::ForLoading(bytes, text);
    ar.SetContainer(container);
    record.Serialize(ar);
    EXPECT_TRUE(ar.AtEnd());
    return record;
}

// A problem of a given type that an archive belongs to (the support orientation rule of the
// text form depends on it).
class ProblemOfType : public ElementContainer
{
public:
    explicit ProblemOfType(int type) : m_type(type) {}
    int ProblemType() const override { return m_type; }
    Mfx3dPoint GridStep() const override { return {0.05, 0.05, 0.025}; }
    VelmorObject* FindObject(const VelmorObjectData&) const override { return nullptr; }
    void DeleteObject(VelmorObject*) override {}
    void ReportSerializeError(const std::string&) override {}

private:
    int m_type;
};

VelmorSeccionData steelSection(int shape)
{
    VelmorSeccionData s;
    s.m_number = 1;
    s.m_nShape = shape;
    s.m_b = 0.3;
    s.m_h = 0.5;
    s.m_E = 2.1e11;
    s.m_G = 8.1e10;
    s.m_nu = 0.3;
    s.m_rho = 7850;
    s.m_A = 0.15;
    s.m_Iy = 0.003125;
    s.m_Iz = 0.001125;
    s.m_J = 0.00281;
    return s;
}

} // namespace

TEST(Records, DefaultsAndKinds)
{
    VelmorObjectData base;
    EXPECT_EQ(base.m_kind, -1);
    EXPECT_EQ(base.m_number, 0);
    VelmorVigaData beam;
    EXPECT_EQ(beam.m_kind, KIND_BEAM);
    EXPECT_EQ(beam.m_orientation, Mfx3dPoint(0, 0, 1));
    VelmorApoyoData support;
    EXPECT_EQ(support.m_kind, KIND_SUPPORT);
    EXPECT_EQ(support.m_orientation(2, 2), 1.0);
    EXPECT_EQ(support.m_orientation(1, 2), 0.0);
    VelmorCargaData load;
    EXPECT_EQ(load.m_kind, KIND_NODAL_LOAD);
    EXPECT_EQ(load.m_nResultant, 1);
    EXPECT_EQ(load.m_nType, LOAD_UNSET);
}

TEST(Records, AssignCopiesUnstoredFieldsToo)
{
    VelmorNudoData a;
    a.m_number = 4;
    a.m_nAnalysisNumber = 9;
    a.m_coord = {1, 2, 3};
    a.m_nJoint = 1;
    VelmorNudoData b;
    b.Assign(a);
    EXPECT_EQ(b.m_number, 4);
    EXPECT_EQ(b.m_nAnalysisNumber, 9);
    EXPECT_EQ(b.m_coord, Mfx3dPoint(1, 2, 3));
    EXPECT_EQ(b.m_nJoint, 1);

    VelmorVigaData v;
    v.m_nSpare = 77;
    VelmorVigaData w;
    w.Assign(v);
    EXPECT_EQ(w.m_nSpare, 77);

    VelmorCargaData l;
    l.m_dExtra = 2.5;
    l.m_nResultant = 0;
    std::unique_ptr<VelmorObjectData> copy = l.Clone();
    EXPECT_EQ(static_cast<VelmorCargaData&>(*copy).m_dExtra, 2.5);
    EXPECT_EQ(static_cast<VelmorCargaData&>(*copy).m_nResultant, 0);
}

TEST(Records, Validity)
{
    VelmorApoyoData s;
    EXPECT_FALSE(s.IsValid());
    s.m_restraint[4] = 1;
    EXPECT_TRUE(s.IsValid());

    VelmorApoyoData spring;
    spring.m_nType = SUPPORT_ELASTIC;
    spring.m_springT.w = 5.0; // w is not looked at
    EXPECT_FALSE(spring.IsValid());
    spring.m_springR.z = 1e6;
    EXPECT_TRUE(spring.IsValid());
    spring.m_nType = 0; // springs alone do nothing without the elastic type
    EXPECT_FALSE(spring.IsValid());

    VelmorApoyoData settlement;
    settlement.m_nType = SUPPORT_SETTLEMENT;
    EXPECT_FALSE(settlement.IsValid());
    settlement.m_translation.y = -0.01;
    EXPECT_TRUE(settlement.IsValid());

    VelmorCargaData load;
    EXPECT_FALSE(load.IsValid()) << "a load whose four points are zero does nothing";
    load.m_point[3].x = 1.0;
    EXPECT_TRUE(load.IsValid());

    VelmorSeccionData a = steelSection(1);
    VelmorSeccionData b = steelSection(3);
    b.m_b = 1;
    b.m_h = 2;
    b.m_nu = 0.1;
    b.m_rho = 0;
    EXPECT_TRUE(a.SameSection(b)) << "b, h, nu, rho and the shape are not compared";
    b.m_J = 0.003;
    EXPECT_FALSE(a.SameSection(b));
}

TEST(RecordForms, NodeBytesAndLines)
{
    VelmorNudoData n;
    n.m_number = 2;
    n.m_coord = {1.0, 2.5, -3.0};
    n.m_nJoint = 1;
    n.m_nAnalysisNumber = 5;
    const std::string binary = w16(0) + w16(2) + pt(1.0, 2.5, -3.0) + w16(1);
    EXPECT_EQ(store(n, false), binary);
    const std::string text = "Node 2 \n(1.000000, 2.500000, -3.000000) \nJoint: 1 \n";
    EXPECT_EQ(store(n, true), text);

    for (bool asText : {false, true}) {
        VelmorNudoData back = load<VelmorNudoData>(asText ? text : binary, asText);
        EXPECT_EQ(back.m_kind, KIND_NODE);
        EXPECT_EQ(back.m_number, 2);
        EXPECT_EQ(back.m_coord, n.m_coord);
        EXPECT_EQ(back.m_nJoint, 1);
        EXPECT_EQ(back.m_nAnalysisNumber, 0) << "the analysis number is not stored";
    }
}

TEST(RecordForms, NumbersKeepOnlyTheirLow16BitsInBinary)
{
    VelmorNudoData n;
    n.m_number = 65537;
    VelmorNudoData back = load<VelmorNudoData>(store(n, false), false);
    EXPECT_EQ(back.m_number, 1);
    EXPECT_EQ(load<VelmorNudoData>(store(n, true), true).m_number, 65537);
}

TEST(RecordForms, BeamBytesAndLines)
{
    VelmorVigaData v;
    v.m_number = 3;
    v.m_nSpare = 12;
    EXPECT_EQ(store(v, false), w16(2) + w16(3) + pt(0, 0, 1));
    const std::string text = "Beam 3 \n(0.000000, 0.000000, 1.000000) \n";
    EXPECT_EQ(store(v, true), text);
    VelmorVigaData back = load<VelmorVigaData>(text, true);
    EXPECT_EQ(back.m_number, 3);
    EXPECT_EQ(back.m_nSpare, 0);
}

TEST(RecordForms, SectionBytesAndLines)
{
    VelmorSeccionData s = steelSection(2);
    const std::string binary = w16(1) + w16(1) + w16(2) + f64(0.3) + f64(0.5) + f64(2.1e11) +
                               f64(0.003125) + f64(0.001125) + f64(8.1e10) + f64(0.00281) +
                               f64(0.15) + f64(0.3) + f64(7850);
    EXPECT_EQ(store(s, false), binary);
    const std::string text = "Section 1 \nShape of cross section: Arbitrary \n"
                             "b=0.3, h=0.5, \nE=2.1e+11, G=8.1e+10, nu=0.3, rho=7850,\n"
                             "A=0.15, Iy=0.003125, Iz=0.001125, J=0.00281 \n";
    EXPECT_EQ(store(s, true), text);
    for (bool asText : {false, true}) {
        VelmorSeccionData back = load<VelmorSeccionData>(asText ? text : binary, asText);
        EXPECT_EQ(back.m_nShape, 2);
        EXPECT_TRUE(back.SameSection(s));
        EXPECT_EQ(back.m_b, 0.3);
        EXPECT_EQ(back.m_h, 0.5);
        EXPECT_EQ(back.m_nu, 0.3);
        EXPECT_EQ(back.m_rho, 7850);
    }
}

TEST(RecordForms, SectionWithoutShapeWritesTwoBlanks)
{
    VelmorSeccionData s = steelSection(0);
    const std::string text = store(s, true);
    EXPECT_EQ(text.substr(0, 37), "Section 1 \nShape of cross section:  \n");
    EXPECT_EQ(load<VelmorSeccionData>(text, true).m_nShape, 0);
    EXPECT_EQ(load<VelmorSeccionData>(store(s, false), false).m_nShape, 0);
}

TEST(RecordForms, SupportBytesAndLines)
{
    ProblemOfType problem(PROBLEM_PLANE_FRAME);
    VelmorApoyoData s;
    s.m_number = 1;
    s.m_nType = 2;
    s.m_restraint[0] = s.m_restraint[1] = 1;
    s.m_orientation(1, 4) = 7.0;
    s.m_translation = {0, -0.01, 0};
    std::string binary = w16(3) + w16(1) + w16(2) + w16(1) + w16(1) + w16(0) + w16(0) + w16(0) +
                         w16(0);
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j)
            binary += f64(i == j ? 1.0 : (i == 1 && j == 4 ? 7.0 : 0.0));
    binary += pt(0, -0.01, 0) + pt(0, 0, 0) + pt(0, 0, 0) + pt(0, 0, 0);
    EXPECT_EQ(store(s, false), binary);
    const std::string text = "Support 1 \nType of support: 2 (1 1 0 0 0 0) \n"
                             "(0.000000, -0.010000, 0.000000) \n(0.000000, 0.000000, 0.000000) \n"
                             "(0.000000, 0.000000, 0.000000) \n(0.000000, 0.000000, 0.000000) \n";
    EXPECT_EQ(store(s, true), text);

    VelmorApoyoData fromBinary = load<VelmorApoyoData>(binary, false);
    EXPECT_EQ(fromBinary.m_orientation(1, 4), 7.0);
    VelmorApoyoData fromText = load<VelmorApoyoData>(text, true, &problem);
    EXPECT_EQ(fromText.m_nType, 2);
    EXPECT_EQ(fromText.m_restraint[1], 1);
    EXPECT_EQ(fromText.m_translation, s.m_translation);
    // The text form rebuilds the orientation: a plane symbol stands off along -y.
    EXPECT_EQ(fromText.m_orientation(2, 3), 1.0);
    EXPECT_EQ(fromText.m_orientation(3, 2), -1.0);
    EXPECT_EQ(fromText.m_orientation(1, 4), 0.0);
    // Read for a space frame, the same line stands the symbol off along -z.
    ProblemOfType space(PROBLEM_SPACE_FRAME);
    const MfxTMatrix upright = load<VelmorApoyoData>(text, true, &space).m_orientation;
    EXPECT_EQ(upright(2, 2), 1.0);
    EXPECT_EQ(upright(3, 3), 1.0);
    EXPECT_EQ(upright(2, 3), 0.0);
}

TEST(RecordForms, SupportTypeFromTextLine)
{
    struct Case
    {
        const char* line;
        const char* springs;
        int expectedType;
    };
    const char* zero = "(0.000000, 0.000000, 0.000000) \n";
    const Case cases[] = {
        {"Type of support: 5 (1 1 1 0 0 0) \n", zero, 5},
        {"Type of support: 10 (0 0 0 0 0 0) \n", zero, 0},           // elastic without springs
        {"Type of support: 3 (1 0 0 0 0 0) \n", "(0.000000, 5000.000000, 0.000000) \n", 10},
        {"Type of support: 11 (0 0 0 0 0 0) \n", zero, 11},           // settlement kept
        {"Type of support: 42 (0 0 0 0 0 0) \n", zero, 0},            // unknown type ignored
    };
    for (const Case& c : cases) {
        const std::string text = std::string("Support 1 \n") + c.line + zero + zero + c.springs + zero;
        EXPECT_EQ(load<VelmorApoyoData>(text, true).m_nType, c.expectedType) << c.line;
    }
}

TEST(RecordForms, SupportOrientationRuleByProblemType)
{
    struct Case
    {
        int support;
        int problem;
        int rows[3][3];
    };
    const Case cases[] = {
        {1, 2, {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}}},
        {1, 3, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
        {4, 1, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}},
        {5, 4, {{0, 0, 1}, {0, -1, 0}, {1, 0, 0}}},
        {6, 2, {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}},
        {7, 2, {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}},
        {7, 3, {{0, -1, 0}, {0, 0, -1}, {1, 0, 0}}},
        {10, 1, {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}}},
    };
    for (const Case& c : cases) {
        MfxTMatrix m;
        m(1, 4) = 3.0;
        ASSERT_TRUE(VelmorApoyoData::OrientationFor(c.support, c.problem, m));
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                EXPECT_EQ(m(i + 1, j + 1), c.rows[i][j]) << c.support << "/" << c.problem;
        EXPECT_EQ(m(1, 4), 0.0);
    }
    MfxTMatrix kept;
    kept(1, 2) = 9.0;
    EXPECT_FALSE(VelmorApoyoData::OrientationFor(SUPPORT_SETTLEMENT, 2, kept));
    EXPECT_EQ(kept(1, 2), 9.0);
}

TEST(RecordForms, LoadBytesAndLines)
{
    VelmorCargaData l;
    l.m_kind = KIND_BEAM_LOAD;
    l.m_number = 1;
    l.m_nType = LOAD_CONSTANT_LOCAL;
    l.m_nLocal = 1;
    l.m_dExtra = 0.5;
    l.m_point[0] = {0, -1000, 0};
    l.m_point[2] = {0, -1000, 0};
    const std::string binary = w16(5) + w16(1) + pt(0, -1000, 0) + pt(0, 0, 0) + pt(0, -1000, 0) +
                               pt(0, 0, 0) + w16(4) + w16(1) + w16(0) + f64(0.5) + w16(1);
    EXPECT_EQ(store(l, false), binary);
    const std::string text = "distributed_load 1 \nconstant_distributed_local_load\n"
                             "(0.000000, -1000.000000, 0.000000) \n(0.000000, 0.000000, 0.000000) \n"
                             "(0.000000, -1000.000000, 0.000000) \n(0.000000, 0.000000, 0.000000) \n";
    EXPECT_EQ(store(l, true), text);

    VelmorCargaData fromBinary = load<VelmorCargaData>(binary, false);
    EXPECT_EQ(fromBinary.m_dExtra, 0.5);
    EXPECT_EQ(fromBinary.m_nType, LOAD_CONSTANT_LOCAL);
    VelmorCargaData fromText = load<VelmorCargaData>(text, true);
    EXPECT_EQ(fromText.m_kind, KIND_BEAM_LOAD);
    EXPECT_EQ(fromText.m_nLocal, 1);
    EXPECT_EQ(fromText.m_point[2], l.m_point[2]);
    EXPECT_EQ(fromText.m_dExtra, 0.0) << "the double is not in the text form";
}

TEST(RecordForms, LoadKeywordsSetTypeKindAndAxes)
{
    struct Case
    {
        const char* word;
        int type, kind, local, projected;
    };
    const Case cases[] = {
        {"nodal_load", 1, 4, 0, 0},
        {"linear_distributed_local_load", 2, 5, 1, 0},
        {"linear_distributed_global_load", 3, 5, 0, 0},
        {"constant_distributed_local_load", 4, 5, 1, 0},
        {"constant_distributed_global_load", 5, 5, 0, 0},
        {"linear_projected_global_load", 6, 5, 0, 1},
        {"constant_projected_global_load", 7, 5, 0, 1},
    };
    const std::string zero = "(0.000000, 0.000000, 0.000000) \n";
    for (const Case& c : cases) {
        VelmorCargaData l = load<VelmorCargaData>(
            std::string("nodal_load 1 \n") + c.word + "\n" + zero + zero + zero + zero, true);
        EXPECT_EQ(l.m_nType, c.type) << c.word;
        EXPECT_EQ(l.m_kind, c.kind) << c.word;
        EXPECT_EQ(l.m_nLocal, c.local) << c.word;
        EXPECT_EQ(l.m_nProjected, c.projected) << c.word;
        EXPECT_STREQ(VelmorCargaData::TypeKeyword(c.type), c.word);
    }
    // An unknown keyword is an error of the file, not a load of some default type.
    VelmorCargaData unknown;
    Archive ar = Archive::ForLoading("distributed_load 1 \nsomething\n" + zero + zero + zero + zero, true);
    EXPECT_THROW(unknown.Serialize(ar), ArchiveException);
}

TEST(RecordForms, UntypedLoadIsWrittenUnderAReadableKeyword)
{
    VelmorCargaData l;
    l.m_kind = KIND_BEAM_LOAD;
    l.m_nLocal = 1;
    l.m_point[0] = {1, 2, 3};
    const std::string text = store(l, true);
    EXPECT_NE(text.find("\nlinear_distributed_local_load\n"), std::string::npos);
    VelmorCargaData back = load<VelmorCargaData>(text, true);
    EXPECT_EQ(back.m_kind, KIND_BEAM_LOAD);
    EXPECT_EQ(back.m_nLocal, 1);
    EXPECT_EQ(back.m_point[0], l.m_point[0]);
}

TEST(RecordForms, LongPointLinesReadWhole)
{
    // A spring of 1e12 N/m written with six decimals makes a line longer than 64 characters.
    VelmorApoyoData s;
    s.m_nType = SUPPORT_ELASTIC;
    s.m_springT = {1e12, 2e12, 3e12};
    const std::string text = store(s, true);
    VelmorApoyoData back = load<VelmorApoyoData>(text, true);
    EXPECT_EQ(back.m_springT, s.m_springT);
    EXPECT_EQ(back.m_nType, SUPPORT_ELASTIC);
}

TEST(RecordForms, LinesThatDoNotScanAreErrorsOfTheFile)
{
    struct Case
    {
        const char* name;
        std::string text;
        const char* error; // the start of the message, with the line
    };
    const std::string zero = "(0.000000, 0.000000, 0.000000) \n";
    const std::string section = "Section 1 \nShape of cross section: Rectangular \nb=0.3, h=0.5, \n";
    const Case cases[] = {
        {"bogus header", "Bogus x \n(1.000000, 2.000000, 3.000000) \nJoint: 0 \n",
         "ligne 1: en-tête d'élément illisible"},
        {"coordinates", "Node 1 \n(1.000000, oops) \nJoint: 0 \n", "ligne 2: valeurs illisibles"},
        {"joint", "Node 1 \n(1.000000, 2.000000, 3.000000) \nJoint: ? \n", "ligne 3: articulation illisible"},
        {"decimal comma", section + "E=3,0e10, G=1e10, nu=0.2, rho=0,\nA=1, Iy=1, Iz=1, J=1 \n",
         "ligne 4: matériau illisible"},
        {"accented shape word", "Section 1 \nShape of cross section: Rectangul\xe9" "e \nb=0, h=0, \n",
         "ligne 2: forme de section inconnue"},
        {"restraint flag 2", "Support 1 \nType of support: 1 (2 2 2 2 2 2) \n" + zero + zero + zero + zero,
         "ligne 2: blocage d'appui autre que 0 ou 1"},
        {"restraint flag -1", "Support 1 \nType of support: 1 (1 -1 1 1 1 1) \n" + zero + zero + zero + zero,
         "ligne 2: blocage d'appui autre que 0 ou 1"},
        {"support line", "Support 1 \nType of support: 1 (1 1 1) \n" + zero + zero + zero + zero,
         "ligne 2: appui illisible"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Archive ar = Archive::ForLoading(c.text, true);
        std::unique_ptr<VelmorObjectData> record;
        if (c.text.rfind("Section", 0) == 0)
            record = std::make_unique<VelmorSeccionData>();
        else if (c.text.rfind("Support", 0) == 0)
            record = std::make_unique<VelmorApoyoData>();
        else
            record = std::make_unique<VelmorNudoData>();
        try {
            record->Serialize(ar);
            ADD_FAILURE() << "read without an error";
        } catch (const ArchiveException& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.error, 0), 0u) << e.what();
        }
    }
    // A restraint flag of the binary form other than 0 or 1.
    VelmorApoyoData s;
    s.m_restraint[0] = 7;
    Archive binary = Archive::ForLoading(store(s, false), false);
    VelmorApoyoData back;
    EXPECT_THROW(back.Serialize(binary), ArchiveException);
}

TEST(RecordForms, TruncatedRecordsThrow)
{
    VelmorSeccionData s = steelSection(1);
    const std::string binary = store(s, false);
    const std::string text = store(s, true);
    for (size_t cut : {size_t(0), size_t(3), binary.size() - 1}) {
        Archive ar = Archive::ForLoading(binary.substr(0, cut), false);
        VelmorSeccionData back;
        EXPECT_THROW(back.Serialize(ar), ArchiveException) << cut;
    }
    Archive ar = Archive::ForLoading(text.substr(0, text.find("E=")), true);
    VelmorSeccionData back;
    EXPECT_THROW(back.Serialize(ar), ArchiveException);
}
