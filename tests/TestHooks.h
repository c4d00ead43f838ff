// Recording hooks for tests: capture the numeric library's error messages and the diagnostic
// traces while a test runs, and restore the previous hooks afterwards.
#pragma once

#include "numeric/NumericGlobals.h"
#include "platform/core/MessageService.h"
#include "platform/core/Trace.h"

#include <string>
#include <vector>

namespace velmor::test {

class RecordErrors
{
public:
    RecordErrors()
        : m_previous(SetMfxErrorHook([this](std::string_view m) { messages.emplace_back(m); }))
    {
    }
    ~RecordErrors() { SetMfxErrorHook(m_previous); }
    RecordErrors(const RecordErrors&) = delete;
    RecordErrors& operator=(const RecordErrors&) = delete;
    std::vector<std::string> messages;

private:
    MfxErrorHook m_previous;
};

class RecordTraces
{
public:
    RecordTraces()
        : m_previous(SetTraceHook([this](std::string_view m) { traces.emplace_back(m); }))
    {
    }
    ~RecordTraces() { SetTraceHook(m_previous); }
    RecordTraces(const RecordTraces&) = delete;
    RecordTraces& operator=(const RecordTraces&) = delete;
    std::vector<std::string> traces;

private:
    TraceHook m_previous;
};

// A message service that records every message and answers with a scripted button (the first
// button by default).
class RecordMessages : public MessageService
{
public:
    RecordMessages() : m_previous(SetMessageService(this)) {}
    ~RecordMessages() override { SetMessageService(m_previous); }
    RecordMessages(const RecordMessages&) = delete;
    RecordMessages& operator=(const RecordMessages&) = delete;

    MessageAnswer Show(std::string_view text, MessageButtons buttons, MessageIcon) override
    {
        messages.emplace_back(text);
        if (!answers.empty()) {
            MessageAnswer a = answers.front();
            answers.erase(answers.begin());
            return a;
        }
        return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel ||
                       buttons == MessageButtons::YesNoDefaultNo
                   ? MessageAnswer::Yes
                   : MessageAnswer::Ok;
    }
    void Beep() override { ++beeps; }

    std::vector<std::string> messages;
    std::vector<MessageAnswer> answers;
    int beeps = 0;

private:
    MessageService* m_previous;
};

} // namespace velmor::test
