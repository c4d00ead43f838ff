// The shipped examples are exactly what the program writes for them, read back without any
// message, and together they cover every support type, every load type, joints, axial-only
// sections and self weight.
#include "TestHooks.h"
#include "examples/ExampleModels.h"
#include "model/DocumentFile.h"
#include "model/VelmorViga.h"
#include "platform/core/FileIO.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace velmor;

TEST(Examples, ShippedFilesAreWhatTheProgramWrites)
{
    test::RecordMessages messages;
    for (const ExampleModel& m : ExampleModels()) {
        VelmorProblem built;
        m.build(built);
        std::string shipped, error;
        ASSERT_TRUE(ReadWholeFile(std::string(VELMOR_EXAMPLES) + "/" + m.file, shipped, error))
            << error << " (run velmor-make-examples examples)";
        EXPECT_EQ(StoreProblem(built, true), shipped) << m.file;

        VelmorProblem read;
        LoadResult r = LoadProblemBytes(read, shipped, FileForm::Text);
        EXPECT_EQ(r.status, LoadStatus::Ok) << m.file;
        EXPECT_EQ(StoreProblem(read, true), shipped) << m.file;
    }
    EXPECT_TRUE(messages.messages.empty());
    std::string readme, error;
    ASSERT_TRUE(ReadWholeFile(std::string(VELMOR_EXAMPLES) + "/README.md", readme, error));
    EXPECT_EQ(readme, ExamplesReadme());
}

TEST(Examples, CoverEveryKindOfInput)
{
    std::set<int> supportTypes, loadTypes, problemTypes;
    std::map<int, int> perType;
    bool joint = false, axial = false, selfWeight = false;
    for (const ExampleModel& m : ExampleModels()) {
        VelmorProblem p;
        m.build(p);
        ++perType[p.m_nType];
        problemTypes.insert(p.m_nType);
        EXPECT_GT(p.Count(KIND_BEAM), 0u) << m.file;
        EXPECT_GT(p.Count(KIND_SUPPORT), 0u) << m.file;
        for (const auto& s : p.List(KIND_SUPPORT))
            supportTypes.insert(static_cast<const VelmorApoyoData&>(*s->m_pData).m_nType);
        for (int kind : {KIND_NODAL_LOAD, KIND_BEAM_LOAD})
            for (const auto& l : p.List(kind))
                loadTypes.insert(static_cast<const VelmorCargaData&>(*l->m_pData).m_nType);
        for (const auto& n : p.List(KIND_NODE))
            joint = joint || static_cast<const VelmorNudoData&>(*n->m_pData).m_nJoint;
        for (const auto& s : p.List(KIND_SECTION))
            axial = axial || static_cast<const VelmorSeccionData&>(*s->m_pData).m_nShape == SHAPE_AXIAL;
        for (const auto& b : p.List(KIND_BEAM))
            selfWeight = selfWeight || static_cast<const VelmorViga&>(*b).HasSelfWeight();
    }
    for (int t = 1; t <= 4; ++t)
        EXPECT_GE(perType[t], 3) << "problem type " << t;
    for (int t = 1; t <= 11; ++t)
        EXPECT_TRUE(supportTypes.count(t)) << "support type " << t;
    for (int t = 1; t <= 7; ++t)
        EXPECT_TRUE(loadTypes.count(t)) << "load type " << t;
    EXPECT_TRUE(joint);
    EXPECT_TRUE(axial);
    EXPECT_TRUE(selfWeight);
}
