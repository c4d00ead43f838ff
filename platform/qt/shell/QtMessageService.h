// The program's message boxes: the message service on QMessageBox, modal over the active
// window, titled "Velmor".
#pragma once

#include "platform/core/MessageService.h"

namespace velmor {

class QtMessageService final : public MessageService
{
public:
    // Shows the text with the asked buttons (the first one is the default) and returns the
    // button chosen. Escape or closing the box answers Cancel for OK/Cancel, No for Yes/No and
    // Ok for a lone OK button.
    MessageAnswer Show(std::string_view text, MessageButtons buttons, MessageIcon icon) override;
    void Beep() override;
};

} // namespace velmor
