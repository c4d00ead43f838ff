// The problem container: one structural model with its type, its six element lists, the work
// box and grid step of the editor, and the analysis state. It creates, finds, numbers and
// deletes elements, tells the views of its document what changed, and reads and writes the
// whole model in the document file (text or binary form).
#pragma once

#include "ChangeEvent.h"
#include "ElementContainer.h"
#include "ElementTemplate.h"
#include "VelmorObjectList.h"
#include "numeric/Mfx3dBox.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmor {

class Analysis;
class Archive;

// A view of the model: told of every change.
class ProblemObserver
{
public:
    virtual ~ProblemObserver() = default;
    virtual void OnUpdate(const ChangeEvent& change) = 0;
};

// The document that owns a problem, as the problem sees it.
class ProblemDocument
{
public:
    virtual ~ProblemDocument() = default;
    virtual void SetModifiedFlag(bool modified) = 0;
    virtual void UpdateAllViews(const ChangeEvent& change) = 0;
};

// A document whose header or problem type is not one of this program's.
class WrongFormatError : public std::runtime_error
{
public:
    WrongFormatError() : std::runtime_error("Mauvais format pour ouvrir ce fichier!") {}
};

class VelmorProblem : public ElementContainer
{
public:
    static constexpr const char* kBinaryHeader = "Tipo del problema*";

    VelmorProblem();
    ~VelmorProblem() override;
    VelmorProblem(const VelmorProblem&) = delete;
    VelmorProblem& operator=(const VelmorProblem&) = delete;

    // ---- elements
    // A new element from the template, or null when the template is not valid or an element of
    // its list refuses it (AcceptsNew). A change of the structure; the views are told.
    VelmorObject* CreateObject(const ElementTemplate& candidate);
    // The element of a valid template appended without asking the list (no duplicate test)
    // and without telling anyone: for generators that build large models in bulk. Null when
    // the template is not valid.
    VelmorObject* CreateUnchecked(const ElementTemplate& candidate);
    VelmorObject* FindObject(const VelmorObjectData& record) const override;
    // Removes the element from the list of its kind and deletes it (a trace when it is not
    // there). Its connections must have been cut (Detach).
    void DeleteObject(VelmorObject* element) override;
    // Numbers 1..n in list order for one kind, or every list for -1; returns the count of the
    // last list numbered.
    int Renumber(int kind);
    // Detaches and deletes every element.
    void DeleteAll();
    const VelmorObjectList& List(int kind) const { return m_lists[kind]; }
    size_t Count(int kind) const { return m_lists[kind].size(); }

    // ---- views
    // Tells one view about the whole model: an ElementAdded for every element, then ModelDone
    // and Model.
    void AttachView(ProblemObserver& view) const;
    // The box the views fit to: the work box in the library editor, otherwise the box of the
    // nodes (or of the shown beam's ends), unless that box is flat in every direction.
    Mfx3dBox StructureBox();
    void SyncMode(Mode mode) { m_mode = mode; }
    Mode CurrentMode() const { return m_mode; }

    // ---- file
    // Writes the whole model (after renumbering every list) or reads it. The binary form is
    // refused (ArchiveException) for a model that does not fit it. Reading empties the
    // model first; a header that is not this program's throws WrongFormatError, any other
    // damage ArchiveException. A failed read leaves the model empty, never half loaded.
    // Elements whose parent references cannot be resolved (or a beam whose two ends are the
    // same node) are reported and dropped with what rests on them. A text file must end its
    // lists with "END OF FILE".
    void Serialize(Archive& ar);
    // How many unresolved parent references the last read or write reported.
    int SerializeErrors() const { return m_nSerializeErrors; }
    // What the last read could not take as it was, in file order, each with its line (text)
    // or offset (binary) and the element: unresolved references, numbers given twice, and the
    // elements dropped for it (with what rested on them). Empty for a sound file. At most
    // kMaxLoadReport entries, the last one saying how many more there were.
    const std::vector<std::string>& LoadReport() const { return m_loadReport; }
    static constexpr size_t kMaxLoadReport = 100;
    // The binary form numbers elements in 16 bits: it can hold lists of this many at most.
    static constexpr size_t kBinaryListLimit = 65535;
    // Whether every list fits the binary form.
    bool FitsBinaryForm() const;

    // ---- the structure's revision and its analysis
    // Moves on at every change of the structure (an element added, changed or removed, a
    // file read, the type set, the beams turned); an analysis remembers the revision it was
    // built on.
    std::uint64_t Revision() const { return m_revision; }
    // The structure changed: the revision moves on and the current analysis is forgotten.
    void StructureChanged();
    // The current analysis, or null when there is none (no analysis since the last change).
    std::shared_ptr<Analysis> CurrentAnalysis() const { return m_analysis; }
    // Makes an analysis of this problem's current revision the current one.
    void SetAnalysis(std::shared_ptr<Analysis> analysis);

    // Gives every node its position in the node list as its analysis number: the numbering a
    // solution at once makes.
    void NumberNodesInListOrder();
    // Runs every beam (and its distributed loads) from its lower- to its higher-numbered node
    // when `ijOrientation` is on, back to its own order otherwise; local loads are turned with
    // their beams unless `changeLocalLoads` is on. A change of the structure when any beam or
    // load changed; with `refresh`, the views are told.
    void OrientBeams(bool refresh, bool ijOrientation, bool changeLocalLoads);

    // ---- ElementContainer
    int ProblemType() const override { return m_nType; }
    Mfx3dPoint GridStep() const override { return m_gridStep; }
    void ReportSerializeError(const std::string& what) override;

    // Sets the type and the degrees of freedom per node that go with it.
    void SetProblemType(int type);

    std::string m_name = "Nouvelle structure";
    int m_nType = PROBLEM_NONE;
    ProblemDocument* m_pDoc = nullptr;
    Mfx3dBox m_box;
    Mfx3dPoint m_gridStep{0.05, 0.05, 0.025};
    Mfx3dBox m_resultBox;
    Mode m_mode = Mode::Library;
    // The beam the result views show alone, or null for the whole structure.
    const VelmorObject* m_pShownBeam = nullptr;

private:
    void Store(Archive& ar);
    void Load(Archive& ar);
    void DropBrokenElements();

    void Report(const std::string& what);

    VelmorObjectList m_lists[kKindCount];
    int m_nSerializeErrors = 0;
    std::vector<std::string> m_loadReport;
    size_t m_nUnreported = 0;
    std::uint64_t m_revision = 0;
    std::shared_ptr<Analysis> m_analysis;
};

// The problem's type word in text files ("one-dimensional" ...), or "" for none.
const char* ProblemTypeWord(int type);

} // namespace velmor
