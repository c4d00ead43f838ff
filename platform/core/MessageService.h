// The message service: every message the user must see goes through it. The program installs
// a message-box implementation; tests install a scripted one that records texts and answers.
#pragma once

#include <string>
#include <string_view>

namespace velmor {

// YesNoCancel is the question before work could be lost: Cancel (also Escape, or closing the
// box) keeps everything as it is. YesNoDefaultNo is a Yes/No question whose default (Return)
// is No: a question whose hasty answer should not skip anything.
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, YesNoDefaultNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };
enum class MessageIcon { None, Information, Warning, Error, Question };

class MessageService
{
public:
    virtual ~MessageService() = default;
    // Shows a modal message and returns the button the user chose.
    virtual MessageAnswer Show(std::string_view text, MessageButtons buttons, MessageIcon icon) = 0;
    virtual void Beep() = 0;
};

// The installed service. Without one, messages are written to standard error and answered with
// the first button (Ok or Yes), which is what a command-line tool wants.
MessageService& Messages();

// Installs a service (not owned) and returns the previous one; null restores the default.
MessageService* SetMessageService(MessageService* service);

// Shorthand for an OK message.
void ShowMessage(std::string_view text, MessageIcon icon = MessageIcon::Warning);

} // namespace velmor
