// The document: one structure (a VelmorProblem) with its file, its modified flag and the views
// that show it. The same document class serves the three modes; the mode only decides the frame.
#pragma once

#include "model/VelmorProblem.h"
#include "views/core/ProgramOptions.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace velmor {

struct ProblemSnapshot;
class TutorFace;
class VelmorTutor;

class VelmorDoc : public QObject, public ProblemDocument
{
    Q_OBJECT
public:
    explicit VelmorDoc(QObject* parent = nullptr);
    ~VelmorDoc() override;

    // The step-by-step solution of the structure, and its signals.
    VelmorTutor& Tutor() { return *m_tutor; }
    TutorFace& TutorEvents() { return *m_tutorFace; }

    VelmorProblem& Problem() { return *m_problem; }
    const VelmorProblem& Problem() const { return *m_problem; }
    // The program's options the document and its views read (the defaults until the
    // application hands its own; not owned, they must outlive the document).
    const ProgramOptions& Options() const { return *m_options; }
    void SetOptions(const ProgramOptions& options) { m_options = &options; }

    // ProblemDocument
    void SetModifiedFlag(bool modified) override;
    void UpdateAllViews(const ChangeEvent& change) override;

    bool IsModified() const { return m_modified; }
    bool Ready() const { return m_ready; }
    // Set by every change of the model, undo and redo included; saving leaves it; only
    // entering the editor clears it (so a running solution learns that the structure changed).
    bool Changed() const { return m_changed; }
    void ClearChanged() { m_changed = false; }

    // ---- undo and redo
    // One step per user action: every change of the model made between BeginEdit and EndEdit
    // (or inside Edit) becomes one step of the history, kept as the model before and after.
    // Nested edits belong to the outermost one. The modified flag follows the history's clean
    // state: undoing back to the saved state clears it.
    QUndoStack& UndoStack() { return m_undo; }
    void BeginEdit();
    // `text` names the step ("Annuler <text>"); nothing is kept when the model is unchanged.
    void EndEdit(const QString& text);
    // BeginEdit, the action, EndEdit; returns what the action returned.
    bool Edit(const QString& text, const std::function<bool()>& action);
    bool InEdit() const { return m_editDepth > 0; }
    // Bytes the history holds; beyond kHistoryLimit the oldest steps are dropped.
    size_t HistoryBytes() const;
    static constexpr size_t kHistoryLimit = size_t(100) << 20;
    // Puts the model back as the snapshot holds it and rebuilds every view (an undo or redo).
    void Restore(const ProblemSnapshot& snapshot);
    const QString& PathName() const { return m_path; }
    // The file name, or "Structure N" for a document never saved.
    QString Title() const;

    void AddView(ProblemObserver* view);
    void RemoveView(ProblemObserver* view);
    // Tells the view about the whole model (each element added, then the model done).
    void AttachView(ProblemObserver& view) const { m_problem->AttachView(view); }

    // Choice of the problem type (returns the chosen type, 0 when cancelled) and edit of the
    // work box and grid step (false when cancelled); the application plugs in its dialogs.
    std::function<int(int current)> chooseProblemType;
    std::function<bool(Mfx3dBox& box, Mfx3dPoint& step)> editWorkBox;

    // New document: the type, then the work box; false (and Ready 0) when either is cancelled.
    bool OnNewDocument();
    // Reads the file; false when it cannot be read. A file that is not a structure file posts
    // WM_BAD_FILE_FORMAT so that the main window says so once the open has failed.
    bool OnOpenDocument(const QString& path);
    // Writes the file (never damaging the one already there); false with a message on failure.
    bool OnSaveDocument(const QString& path);
    void DeleteContents();

    // "Tout effacer" (asks first) and its enabling: a ready document with at least one node.
    void OnClearAll();
    bool CanClearAll() const;
    // "&Type de Problème" and "&Cotes".
    void OnProblemType();
    void OnLimits();

signals:
    void ModifiedChanged(bool modified);
    void TitleChanged();
    // Around an undo or redo: every element is replaced, so nothing may keep pointers to them.
    void AboutToRestore();
    void Restored();

private:
    void ApplyWorkBox(const Mfx3dBox& box, const Mfx3dPoint& step);
    // A fresh history (a new or opened document); `clean` false for a document that already
    // differs from its file.
    void ResetHistory(bool clean);
    // Drops the oldest steps while the history holds more than kHistoryLimit.
    void BoundHistory();

    std::unique_ptr<VelmorProblem> m_problem;
    std::unique_ptr<VelmorTutor> m_tutor;
    std::unique_ptr<TutorFace> m_tutorFace;
    const ProgramOptions* m_options;
    std::vector<ProblemObserver*> m_views;
    QString m_path;
    int m_untitledNumber = 0;
    bool m_modified = false;
    bool m_ready = false;
    bool m_changed = false;
    QUndoStack m_undo;
    int m_editDepth = 0;
    std::shared_ptr<const ProblemSnapshot> m_before;
    // While the history is rebuilt its clean state is not the document's.
    bool m_rebuildingHistory = false;
};

} // namespace velmor
