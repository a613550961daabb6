#pragma once

#include "widgets/messageservice.h"

namespace widgets {

// The answerer of the running program: puts a real modal QMessageBox, InputBox or
// dialog in front of the user and waits for it.
class DialogAnswerer : public MessageAnswerer
{
public:
    MessageReply answer(const MessageRequest &request) override;
};

} // namespace widgets
