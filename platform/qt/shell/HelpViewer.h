// The help window: a browser over the French HTML pages of the help folder, opened at help
// context numbers (0x10000 + command id, 0x20000 + resource id, 0x70000 + 0x1000 x problem
// type + step offset) through the folder's contexts.tsv. One window serves the whole program.
#pragma once

#include "HelpContextMap.h"

#include <QMainWindow>
#include <QUrl>

class QTextBrowser;

namespace velmor {

class HelpViewer : public QMainWindow
{
    Q_OBJECT
public:
    // The program's viewer, created hidden on first use and deleted when the application quits
    // (or by whoever deletes it; the next call then makes a new one).
    static HelpViewer& Instance();
    // Makes MessageHub::HelpRequested open the program's viewer at the requested context.
    // Calling it again changes nothing.
    static void Listen();
    // The help folder: ../share/velmor/help next to the executable when the program is
    // installed there, otherwise the help/ folder of the source tree.
    static QString HelpFolder();

    ~HelpViewer() override;

    // Shows the window at the page of the context, scrolled to its anchor; an unknown context,
    // or one whose page is missing, shows index.html.
    void Open(quint32 context);
    // Shows the table of contents.
    void OpenIndex();

    const HelpContextMap& Contexts() const { return m_contexts; }
    QTextBrowser* Browser() const { return m_browser; }
    // The page shown, with the anchor as fragment.
    QUrl Source() const;

private:
    explicit HelpViewer(QWidget* parent = nullptr);
    void Show(const HelpTarget& target);

    QString m_folder;
    HelpContextMap m_contexts;
    QTextBrowser* m_browser = nullptr;
};

} // namespace velmor
