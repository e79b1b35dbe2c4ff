// The services a window needs from the outside world, handed to each window with the case.
#pragma once

#include "platform/busy_pointer.h"
#include "platform/file_chooser.h"
#include "platform/message_service.h"
#include "platform/question_service.h"

namespace torvane {

struct UiServices {
  MessageService& messages;
  QuestionService& questions;
  FileChooser& files;
  BusyPointer& busy;
};

}  // namespace torvane
