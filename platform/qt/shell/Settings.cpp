#include "Settings.h"

namespace velmor {

QSettings Settings::OpenStore()
{
    return QSettings(QString::fromLatin1(kSettingsOrganisation),
                     QString::fromLatin1(kSettingsApplication));
}

Settings::Settings()
    : m_store(QString::fromLatin1(kSettingsOrganisation),
              QString::fromLatin1(kSettingsApplication)),
      m_recentFiles(RecentFileList::kDefaultSize)
{
}

} // namespace velmor
