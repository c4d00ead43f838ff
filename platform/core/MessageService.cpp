#include "MessageService.h"

#include <cstdio>
#include <utility>

namespace velmor {
namespace {

class StderrMessages final : public MessageService
{
public:
    MessageAnswer Show(std::string_view text, MessageButtons buttons, MessageIcon) override
    {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
        return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel ||
                       buttons == MessageButtons::YesNoDefaultNo
                   ? MessageAnswer::Yes
                   : MessageAnswer::Ok;
    }
    void Beep() override {}
};

StderrMessages g_default;
MessageService* g_service = nullptr;

} // namespace

MessageService& Messages()
{
    return g_service ? *g_service : g_default;
}

MessageService* SetMessageService(MessageService* service)
{
    return std::exchange(g_service, service);
}

void ShowMessage(std::string_view text, MessageIcon icon)
{
    Messages().Show(text, MessageButtons::Ok, icon);
}

} // namespace velmor
