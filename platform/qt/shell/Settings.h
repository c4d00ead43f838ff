// The program's settings store (organisation "Quelmo", application "Velmor") and the
// recent-file list it holds.
#pragma once

#include "RecentFileList.h"

#include <QSettings>

namespace velmor {

inline constexpr char kSettingsOrganisation[] = "Quelmo";
inline constexpr char kSettingsApplication[] = "Velmor";

class Settings
{
public:
    // A handle on the user's store of the program, whatever the application object's names.
    static QSettings OpenStore();

    // Opens the store and reads the recent-file list (4 entries).
    Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    QSettings& Store() { return m_store; }
    RecentFileList& RecentFiles() { return m_recentFiles; }

private:
    QSettings m_store;
    RecentFileList m_recentFiles;
};

} // namespace velmor
