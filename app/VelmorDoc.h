// The document: one structure (a VelmorProblem) with its file, its modified flag and the views
// that show it. The same document class serves the three modes; the mode only decides the frame.
#pragma once

#include "model/VelmorProblem.h"
#include "views/core/ProgramOptions.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace velmor {

class VelmorDoc : public QObject, public ProblemDocument
{
    Q_OBJECT
public:
    explicit VelmorDoc(QObject* parent = nullptr);
    ~VelmorDoc() override;

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
    bool Changed() const { return m_changed; }
    void ClearChanged() { m_changed = false; }
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

private:
    void ApplyWorkBox(const Mfx3dBox& box, const Mfx3dPoint& step);

    std::unique_ptr<VelmorProblem> m_problem;
    const ProgramOptions* m_options;
    std::vector<ProblemObserver*> m_views;
    QString m_path;
    int m_untitledNumber = 0;
    bool m_modified = false;
    bool m_ready = false;
    bool m_changed = false;
};

} // namespace velmor
