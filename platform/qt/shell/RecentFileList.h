// The recent-file list shared by every menu: the last paths opened or saved, most recent first,
// kept in the program's settings store (Settings.h) under "Recent File List" as File1, File2, ...
#pragma once

#include <QObject>
#include <QStringList>

namespace velmor {

class RecentFileList : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDefaultSize = 4;

    // Reads the list from the settings store. Empty entries, repeats and entries beyond the
    // size are dropped. Every change is written back at once, so lists made later, in this run
    // or the next, read the same entries.
    explicit RecentFileList(int size = kDefaultSize, QObject* parent = nullptr);

    // Puts the path at the top; a path already in the list moves there instead of being added
    // twice. The path is made absolute and clean first; an empty path is ignored.
    void Add(const QString& path);
    // Removes the entry at the index (0 = most recent); an index out of range does nothing.
    void Remove(int index);
    // Removes the entry of the path (compared as Add stores it); returns false when absent.
    bool Remove(const QString& path);

    const QStringList& Files() const { return m_files; }
    int Count() const { return static_cast<int>(m_files.size()); }
    int Size() const { return m_size; }
    // The entry at the index, or an empty string when there is none.
    QString At(int index) const { return m_files.value(index); }

signals:
    void Changed();

private:
    void Read();
    void Write();

    int m_size;
    QStringList m_files;
};

} // namespace velmor
