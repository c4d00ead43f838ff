#include "VelmorProblem.h"

#include "VelmorApoyo.h"
#include "VelmorCarga.h"
#include "VelmorNudo.h"
#include "VelmorSeccion.h"
#include "VelmorViga.h"
#include "platform/core/Archive.h"
#include "platform/core/Trace.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace velmor {
namespace {

const char* const kTypeWords[] = {"", "one-dimensional", "two-dimensional", "three-dimensional",
                                  "3D-trusses"};
const char* const kClassNames[kKindCount] = {"VelmorNudo",  "VelmorSeccion", "VelmorViga",
                                             "VelmorApoyo", "VelmorCarga",   "VelmorCarga"};
constexpr std::array<std::string_view, 5> kKnownClasses = {"VelmorNudo", "VelmorSeccion",
                                                           "VelmorViga", "VelmorApoyo",
                                                           "VelmorCarga"};

// Gives an archive its container for the duration of a read or write: parent references are
// resolved in it.
class ContainerScope
{
public:
    ContainerScope(Archive& ar, ElementContainer* container)
        : m_ar(ar), m_previous(ar.Container())
    {
        ar.SetContainer(container);
    }
    ~ContainerScope() { m_ar.SetContainer(m_previous); }
    ContainerScope(const ContainerScope&) = delete;
    ContainerScope& operator=(const ContainerScope&) = delete;

private:
    Archive& m_ar;
    ElementContainer* m_previous;
};

std::unique_ptr<VelmorObject> newElement(int kind)
{
    switch (kind) {
    case KIND_NODE: return std::make_unique<VelmorNudo>();
    case KIND_SECTION: return std::make_unique<VelmorSeccion>();
    case KIND_BEAM: return std::make_unique<VelmorViga>();
    case KIND_SUPPORT: return std::make_unique<VelmorApoyo>();
    default: {
        auto load = std::make_unique<VelmorCarga>();
        load->m_pData->m_kind = kind;
        return load;
    }
    }
}

// The element the template describes, its parents set and each parent told of its child.
std::unique_ptr<VelmorObject> buildElement(const ElementTemplate& t)
{
    std::unique_ptr<VelmorObject> e;
    switch (t.m_kind) {
    case KIND_NODE: e = std::make_unique<VelmorNudo>(t.m_node); break;
    case KIND_SECTION: e = std::make_unique<VelmorSeccion>(t.m_section); break;
    case KIND_BEAM:
        e = std::make_unique<VelmorViga>(t.m_beam, t.m_pParents[0], t.m_pParents[1],
                                         t.m_pParents[2]);
        break;
    case KIND_SUPPORT: e = std::make_unique<VelmorApoyo>(t.m_support, t.m_pParents[0]); break;
    default:
        e = std::make_unique<VelmorCarga>(t.m_load, t.m_pParents[0]);
        e->m_pData->m_kind = t.m_kind;
        break;
    }
    for (int i = 0; i < e->ParentCount(); ++i)
        if (VelmorObject* parent = e->GetParent(i))
            parent->Connect(CHILD, e.get());
    return e;
}

bool finitePoint(const Mfx3dPoint& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

bool isBroken(const VelmorObject& e)
{
    for (int i = 0; i < e.ParentCount(); ++i)
        if (!e.GetParent(i))
            return true;
    return e.Kind() == KIND_BEAM && e.GetParent(1) == e.GetParent(2);
}

} // namespace

const char* ProblemTypeWord(int type)
{
    return type >= 1 && type <= 4 ? kTypeWords[type] : "";
}

VelmorProblem::VelmorProblem()
    : m_box(Mfx3dPoint(0.0, 0.0, 0.0), Mfx3dPoint(5.0, 5.0, 2.5))
{
}

VelmorProblem::~VelmorProblem()
{
    m_analysis.reset();
    DeleteAll();
}

void VelmorProblem::SetProblemType(int type)
{
    if (type != m_nType)
        StructureChanged();
    m_nType = type;
}

void VelmorProblem::StructureChanged()
{
    ++m_revision;
    m_analysis.reset();
}

void VelmorProblem::SetAnalysis(std::shared_ptr<Analysis> analysis)
{
    m_analysis = std::move(analysis);
}

void VelmorProblem::NumberNodesInListOrder()
{
    int next = 1;
    for (const auto& node : m_lists[KIND_NODE])
        static_cast<VelmorNudo&>(*node).Data().m_nAnalysisNumber = next++;
}

void VelmorProblem::OrientBeams(bool refresh, bool ijOrientation, bool changeLocalLoads)
{
    bool changed = false;
    for (const auto& object : m_lists[KIND_BEAM]) {
        auto& beam = static_cast<VelmorViga&>(*object);
        const int before = beam.EndsSwapped();
        beam.SetIJOrientation(ijOrientation ? 1 : 0);
        changed = changed || beam.EndsSwapped() != before;
    }
    const int loadValue = ijOrientation && !changeLocalLoads ? 1 : 0;
    for (const auto& object : m_lists[KIND_BEAM_LOAD]) {
        auto& load = static_cast<VelmorCarga&>(*object);
        const int before = load.EndsSwapped();
        load.SetIJOrientation(loadValue);
        changed = changed || load.EndsSwapped() != before;
    }
    if (changed)
        StructureChanged();
    if (refresh && m_pDoc)
        m_pDoc->UpdateAllViews({UpdateHint::Model});
}

VelmorObject* VelmorProblem::CreateObject(const ElementTemplate& candidate)
{
    if (!candidate.IsValid())
        return nullptr;
    const int kind = candidate.m_kind;
    for (const auto& e : m_lists[kind])
        if (!e->AcceptsNew(candidate, *this))
            return nullptr;
    std::unique_ptr<VelmorObject> element = buildElement(candidate);
    StructureChanged();
    VelmorObject* raw = element.get();
    m_lists[kind].Append(std::move(element));
    Renumber(kind);
    if (m_pDoc) {
        m_pDoc->UpdateAllViews({UpdateHint::ElementAdded, raw});
        m_pDoc->SetModifiedFlag(true);
        m_pDoc->UpdateAllViews({UpdateHint::ModelDone});
    }
    return raw;
}

VelmorObject* VelmorProblem::CreateUnchecked(const ElementTemplate& candidate)
{
    if (!candidate.IsValid())
        return nullptr;
    std::unique_ptr<VelmorObject> element = buildElement(candidate);
    StructureChanged();
    VelmorObject* raw = element.get();
    raw->m_pData->m_number = static_cast<int>(m_lists[candidate.m_kind].size()) + 1;
    m_lists[candidate.m_kind].Append(std::move(element));
    return raw;
}

VelmorObject* VelmorProblem::FindObject(const VelmorObjectData& record) const
{
    if (record.m_kind < 0 || record.m_kind >= kKindCount)
        return nullptr;
    return m_lists[record.m_kind].FindNumber(record.m_number);
}

void VelmorProblem::DeleteObject(VelmorObject* element)
{
    const int kind = element ? element->Kind() : KIND_NONE;
    std::unique_ptr<VelmorObject> taken;
    if (kind >= 0 && kind < kKindCount)
        taken = m_lists[kind].Remove(element);
    if (!taken)
        Trace("DeleteObject not found");
    else
        StructureChanged();
}

int VelmorProblem::Renumber(int kind)
{
    if (kind >= 0 && kind < kKindCount)
        return m_lists[kind].Renumber();
    int last = 0;
    for (VelmorObjectList& list : m_lists)
        last = list.Renumber();
    return last;
}

void VelmorProblem::DeleteAll()
{
    StructureChanged();
    for (VelmorObjectList& list : m_lists) {
        for (const auto& e : list)
            e->Detach(STATE_DETACH | STATE_REDRAW);
        list.Clear();
    }
}

void VelmorProblem::AttachView(ProblemObserver& view) const
{
    for (const VelmorObjectList& list : m_lists)
        for (const auto& e : list)
            view.OnUpdate({UpdateHint::ElementAdded, e.get()});
    view.OnUpdate({UpdateHint::ModelDone});
    view.OnUpdate({UpdateHint::Model});
}

Mfx3dBox VelmorProblem::StructureBox()
{
    if (m_mode == Mode::Library)
        return m_box;
    Mfx3dPoint lo(1e10, 1e10, 1e10), hi(-1e10, -1e10, -1e10);
    auto take = [&](const Mfx3dPoint& p) {
        lo = Mfx3dPoint(std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z));
        hi = Mfx3dPoint(std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z));
    };
    Mfx3dPoint p;
    if (m_pShownBeam) {
        take(m_pShownBeam->GetPosition(p, 1, 0));
        take(m_pShownBeam->GetPosition(p, 2, 0));
    } else {
        for (const auto& node : m_lists[KIND_NODE])
            take(node->GetPosition(p, 0, 0));
    }
    if (lo.x != hi.x || lo.y != hi.y || lo.z != hi.z) {
        m_resultBox = Mfx3dBox(lo, hi);
        return m_resultBox;
    }
    return m_box;
}

void VelmorProblem::ReportSerializeError(const std::string& what)
{
    ++m_nSerializeErrors;
    Report(what);
}

void VelmorProblem::Report(const std::string& what)
{
    // A hostile file could list millions: the report keeps the first ones and a count.
    if (m_loadReport.size() < kMaxLoadReport - 1) {
        m_loadReport.push_back(what);
        return;
    }
    ++m_nUnreported;
    const std::string more = Archive::Format("... et %zu de plus", m_nUnreported);
    if (m_loadReport.size() < kMaxLoadReport)
        m_loadReport.push_back(more);
    else
        m_loadReport.back() = more;
}

void VelmorProblem::Serialize(Archive& ar)
{
    ContainerScope scope(ar, this);
    m_nSerializeErrors = 0;
    m_loadReport.clear();
    m_nUnreported = 0;
    if (ar.IsStoring()) {
        Store(ar);
        return;
    }
    DeleteAll();
    try {
        Load(ar);
    } catch (...) {
        DeleteAll();
        throw;
    }
}

bool VelmorProblem::FitsBinaryForm() const
{
    for (const VelmorObjectList& list : m_lists)
        if (list.size() > kBinaryListLimit)
            return false;
    return true;
}

void VelmorProblem::Store(Archive& ar)
{
    const bool text = ar.IsText();
    // Its element numbers and references would wrap around and point at other elements.
    if (!text && !FitsBinaryForm())
        throw ArchiveException(ArchiveException::BadFormat, "list too long for the binary form");
    Renumber(-1);
    if (text) {
        ar.WriteText("Type of problem: ");
        ar.WriteText(ProblemTypeWord(m_nType));
        ar.WriteText("\n");
    } else {
        ar.WriteString(kBinaryHeader);
        ar.WriteShortInt(m_nType);
    }
    Mfx3dPoint lo = m_box.MinCorner(), hi = m_box.MaxCorner();
    lo.Serialize(ar, text);
    hi.Serialize(ar, text);
    m_gridStep.Serialize(ar, text);
    if (text)
        ar.WriteText(" \n");
    for (int kind = 0; kind < kKindCount; ++kind) {
        const VelmorObjectList& list = m_lists[kind];
        if (text) {
            ar.WriteText("Elements in the list ");
            ar.WriteText(KindKeyword(kind));
            ar.WriteFormat(": %d \n\n", static_cast<int>(list.size()));
        } else {
            ar.WriteCount(static_cast<uint32_t>(list.size()));
        }
        for (const auto& e : list) {
            if (!text)
                ar.WriteObjectTag(kClassNames[kind]);
            e->Serialize(ar);
        }
    }
    if (text)
        ar.WriteText("END OF FILE\n");
}

void VelmorProblem::Load(Archive& ar)
{
    const bool text = ar.IsText();
    int type = 0;
    try {
        if (text) {
            char word[64] = "";
            std::string line;
            if (ar.ReadLine(line) && Archive::ScanLine(line, "Type of problem: %63s", word) == 1)
                for (int t = 1; t <= 4; ++t)
                    if (std::strcmp(word, kTypeWords[t]) == 0)
                        type = t;
        } else if (ar.ReadString() == kBinaryHeader) {
            type = ar.ReadShortInt();
        }
    } catch (const ArchiveException&) {
        type = 0;
    }
    // A type outside the four would leave the analysis without degrees of freedom.
    if (type < 1 || type > 4)
        throw WrongFormatError();
    SetProblemType(type);

    Mfx3dPoint lo, hi, step = m_gridStep;
    lo.Serialize(ar, text);
    hi.Serialize(ar, text);
    step.Serialize(ar, text);
    if (text)
        ar.ReadLineOrThrow();

    for (int kind = 0; kind < kKindCount; ++kind) {
        long count = 0;
        if (text) {
            const std::string header = ar.ReadLineOrThrow();
            const std::string format = std::string("Elements in the list ") + KindKeyword(kind) + ": %d";
            int n = 0;
            if (Archive::ScanLine(header, format.c_str(), &n) == 1 && n > 0)
                count = n;
            ar.ReadLineOrThrow();
        } else {
            count = ar.ReadCount();
        }
        // Every element takes at least one line or word of the file: a count larger than the
        // file can hold ends at its end, without anything allocated in advance.
        for (long i = 0; i < count; ++i) {
            if (!text && ar.ReadObjectTag(kKnownClasses) != kClassNames[kind])
                throw ArchiveException(ArchiveException::BadClass, "element of another class");
            std::unique_ptr<VelmorObject> e = newElement(kind);
            e->m_nLoadKind = kind;
            try {
                e->Serialize(ar);
            } catch (...) {
                // Its parents may know it already: cut it out before it is destroyed.
                e->Detach(STATE_DETACH);
                throw;
            }
            e->m_nLoadKind = KIND_NONE;
            // References name elements by number: a second element with a number already
            // taken would make them ambiguous.
            if (m_lists[kind].FindNumber(e->Number()))
                Report(text ? Archive::Format("ligne %zu: %s %d: numéro déjà pris par un autre élément",
                                              ar.LineNumber(), KindKeyword(kind), e->Number())
                            : Archive::Format("octet %zu: %s %d: numéro déjà pris par un autre élément",
                                              ar.Offset(), KindKeyword(kind), e->Number()));
            const bool finite = e->m_pData->IsFinite();
            m_lists[kind].Append(std::move(e)); // owned by the lists, so a failure frees it cleanly
            if (!finite)
                throw ArchiveException(ArchiveException::BadFormat, "value that is not a number");
        }
    }
    // The lists of a text file end at its last line; anything else means the counts and the
    // records did not match (a damaged or hand-broken file), whatever the lists could take.
    if (text) {
        std::string last;
        if (!ar.ReadLine(last) || last.rfind("END OF FILE", 0) != 0)
            throw ArchiveException(ArchiveException::BadFormat, "lists do not end the file");
    }
    if (!finitePoint(lo) || !finitePoint(hi) || !finitePoint(step))
        throw ArchiveException(ArchiveException::BadFormat, "value that is not a number");
    m_box = Mfx3dBox(lo, hi);
    m_gridStep = step;
    DropBrokenElements();
    StructureChanged();
}

// Beams first, so that the loads of a dropped beam are found without their beam afterwards.
void VelmorProblem::DropBrokenElements()
{
    for (int kind = KIND_BEAM; kind < kKindCount; ++kind) {
        m_lists[kind].RemoveIf([this](VelmorObject& e) {
            if (!isBroken(e))
                return false;
            if (e.Kind() == KIND_BEAM && e.GetParent(1) && e.GetParent(1) == e.GetParent(2)) {
                ++m_nSerializeErrors;
                Report(Archive::Format("%s %d: ses deux extrémités sont le même noeud",
                                       KindKeyword(e.Kind()), e.Number()));
            }
            Report(Archive::Format("%s %d: élément ignoré", KindKeyword(e.Kind()), e.Number()));
            e.Detach(STATE_DETACH);
            return true;
        });
    }
}

} // namespace velmor
