#include "HelpContextMap.h"

#include <QFile>
#include <QStringList>

#include <algorithm>

namespace velmor {

bool HelpContextMap::Load(const QString& path)
{
    m_targets.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab <= 0) continue;
        bool ok = false;
        const quint32 context = line.left(tab).trimmed().toUInt(&ok, 10);
        const QString target = line.mid(tab + 1).trimmed();
        if (!ok || target.isEmpty() || m_targets.contains(context)) continue;
        const qsizetype hash = target.indexOf(QLatin1Char('#'));
        HelpTarget t;
        t.page = hash < 0 ? target : target.left(hash);
        t.anchor = hash < 0 ? QString() : target.mid(hash + 1);
        if (!t.page.isEmpty()) m_targets.insert(context, t);
    }
    return true;
}

QList<quint32> HelpContextMap::Numbers() const
{
    QList<quint32> numbers = m_targets.keys();
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

HelpTarget HelpContextMap::Target(quint32 context) const
{
    return m_targets.value(context, HelpTarget{QStringLiteral("index.html"), QString()});
}

} // namespace velmor
