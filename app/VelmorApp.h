// The application: its three document templates on the one document class (library editor,
// examples, exercises), the current mode, the documents and their frames, and the commands
// that create, open, save and close documents.
#pragma once

#include "model/ElementKind.h"
#include "platform/core/CommandTable.h"
#include "resources/MenuTables.h"
#include "views/core/ProgramOptions.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QWidget;

namespace velmor {

class ChildFrame;
class MainFrame;
class VelmorDoc;


struct DocTemplate
{
    MenuId resourceId;  // its menu and toolbar
    Mode mode;
};

class VelmorApp : public QObject
{
    Q_OBJECT
public:
    VelmorApp();
    ~VelmorApp() override;

    // Start-up: settings and recent files, the templates, the main frame (shown maximised and,
    // with `splash`, the splash picture). The command line opens no file.
    MainFrame& Start(bool splash);
    MainFrame* Main() { return m_main.get(); }

    const std::vector<DocTemplate>& Templates() const { return m_templates; }
    velmor::Mode CurrentMode() const { return m_mode; }
    void SetMode(velmor::Mode mode) { m_mode = mode; }

    // Commands by id, the active frame's view first, then the application's own: true when
    // the command was handled; its enabling.
    bool OnCommand(int id);
    bool IsEnabled(int id) const;

    // A new library document (type, then work box); null when cancelled.
    VelmorDoc* NewDocument();
    // The file dialog of the current mode, then OpenDocument.
    void Open();
    // Opens the path in the current mode (or activates it when it is open already); null when
    // the mode has no template or the file cannot be read.
    VelmorDoc* OpenDocument(const QString& path);
    // A file named on the command line: opened in the library editor.
    VelmorDoc* OpenFromCommandLine(const QString& path);
    // Recent file `index` (0 first); a missing file is reported and dropped from the list.
    VelmorDoc* OpenRecent(int index);
    QStringList RecentFiles() const;
    // Saves the active document (asking for a name when it has none); false when not saved.
    bool Save(bool askName = false);
    // Closes the active document's frames, asking to save it when modified; false if kept.
    bool CloseActive();
    // The same for a given document.
    bool CloseDocumentAsking(VelmorDoc& doc);
    // Closes every document, asking to save the modified ones; false when the user kept one.
    bool CloseAll();
    // "Basculer vers": shows the active document in the frame of another mode (Library,
    // Examples or Exercises), creating that frame next to the active one when the document
    // has none yet; the frame left is minimised. Entering the editor while a step-by-step
    // solution runs asks first (Cancel: nothing changes) and clears the document's Changed
    // flag; coming back to a solution whose structure changed meanwhile ends it with "La
    // structure a changé.". False when refused or when no frame could be made.
    bool Switch(Mode target);

    std::vector<VelmorDoc*> Documents() const;
    // The frames showing the document.
    std::vector<ChildFrame*> FramesOf(const VelmorDoc& doc) const;
    ChildFrame* ActiveFrame() const;
    VelmorDoc* ActiveDocument() const;

    // The dialogs used to create a document, and the program's options; tests may replace the
    // dialogs.
    void ConfigureDocument(VelmorDoc& doc);

    // The options of this run ("Options" dialog), read by every document and view.
    const ProgramOptions& Options() const { return m_options; }
    ProgramOptions& Options() { return m_options; }

private:
    void AddCommands();
    ChildFrame* CreateFrame(VelmorDoc& doc, Mode mode);
    bool SaveModified(VelmorDoc& doc);
    void CloseDocument(VelmorDoc& doc);
    void RememberFile(const QString& path);

    std::vector<DocTemplate> m_templates;
    ProgramOptions m_options;
    CommandTable m_commands;
    Mode m_mode = Mode::None;
    std::vector<std::unique_ptr<VelmorDoc>> m_docs;
    std::unique_ptr<MainFrame> m_main;
    QStringList m_recent;
};

// The running application (set by Start).
VelmorApp* App();

// The folder of the examples shipped with the program: the installed one beside the program
// (<prefix>/share/velmor/examples), or the source tree's for a program run from its build.
QString ExamplesFolder();

} // namespace velmor
