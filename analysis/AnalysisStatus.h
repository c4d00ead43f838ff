// What an engine operation tells its caller: whether it succeeded, and the messages the user
// must see, in order, each with its string id (0 for a text of the engine's own). The engine
// never shows anything itself: the program shows these through its message service, the
// command-line tool prints them.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace velmor {

enum class MessageSeverity { Information, Warning, Error };

struct EngineMessage
{
    int id = 0;
    std::string text;
    MessageSeverity severity = MessageSeverity::Error;
};

class AnalysisStatus
{
public:
    static AnalysisStatus Success() { return AnalysisStatus(true); }
    // A failure with its one error message.
    static AnalysisStatus Failure(int id, std::string text)
    {
        AnalysisStatus s(false);
        s.Add(id, std::move(text), MessageSeverity::Error);
        return s;
    }

    bool Ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const std::vector<EngineMessage>& Messages() const { return m_messages; }

    void Add(int id, std::string text, MessageSeverity severity)
    {
        m_messages.push_back({id, std::move(text), severity});
    }
    void Fail() { m_ok = false; }
    // Takes the other's messages after its own; fails when the other failed.
    void Merge(const AnalysisStatus& other)
    {
        m_messages.insert(m_messages.end(), other.m_messages.begin(), other.m_messages.end());
        m_ok = m_ok && other.m_ok;
    }

private:
    explicit AnalysisStatus(bool ok) : m_ok(ok) {}
    bool m_ok;
    std::vector<EngineMessage> m_messages;
};

} // namespace velmor
