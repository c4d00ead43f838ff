// Help context number -> help page (with an optional anchor), read from contexts.tsv of the
// help folder: one "<decimal context>\t<page>[#anchor]" per line, "#" lines and empty lines
// are comments.
#pragma once

#include <QHash>
#include <QList>
#include <QString>

namespace velmor {

struct HelpTarget
{
    QString page;   // file name relative to the help folder
    QString anchor; // empty for the top of the page
};

class HelpContextMap
{
public:
    // Reads the map from a file; returns false when it cannot be opened (the map is then
    // empty). Malformed lines are skipped; a repeated number keeps its first page.
    bool Load(const QString& path);

    bool Contains(quint32 context) const { return m_targets.contains(context); }
    // The page of a context, or index.html (no anchor) for an unknown one.
    HelpTarget Target(quint32 context) const;
    int Count() const { return static_cast<int>(m_targets.size()); }
    // Every context number of the map, in increasing order.
    QList<quint32> Numbers() const;

private:
    QHash<quint32, HelpTarget> m_targets;
};

} // namespace velmor
