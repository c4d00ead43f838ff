#include "RecentFileList.h"

#include "Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace velmor {
namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString Key(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

QString Normalised(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

RecentFileList::RecentFileList(int size, QObject* parent)
    : QObject(parent), m_size(size > 0 ? size : 1)
{
    Read();
}

void RecentFileList::Add(const QString& path)
{
    if (path.isEmpty()) return;
    const QString file = Normalised(path);
    m_files.removeAll(file);
    m_files.prepend(file);
    while (m_files.size() > m_size)
        m_files.removeLast();
    Write();
    emit Changed();
}

void RecentFileList::Remove(int index)
{
    if (index < 0 || index >= m_files.size()) return;
    m_files.removeAt(index);
    Write();
    emit Changed();
}

bool RecentFileList::Remove(const QString& path)
{
    const auto index = path.isEmpty() ? -1 : m_files.indexOf(Normalised(path));
    if (index < 0) return false;
    Remove(static_cast<int>(index));
    return true;
}

void RecentFileList::Read()
{
    QSettings store = Settings::OpenStore();
    m_files.clear();
    store.beginGroup(kGroup);
    for (int i = 0; i < m_size; ++i) {
        const QString file = store.value(Key(i)).toString();
        if (!file.isEmpty() && !m_files.contains(file)) m_files.append(file);
    }
    store.endGroup();
}

void RecentFileList::Write()
{
    QSettings store = Settings::OpenStore();
    store.beginGroup(kGroup);
    store.remove(QString());
    for (int i = 0; i < m_files.size(); ++i)
        store.setValue(Key(i), m_files.at(i));
    store.endGroup();
    store.sync();
}

} // namespace velmor
