// The started application of the tests that drive the whole program, with its messages recorded.
#pragma once

#include "TestHooks.h"
#include "app/VelmorApp.h"

#include <memory>

namespace velmor::test {

// A new application, started without its splash, whose messages go to a new recorder.
inline void StartApp(std::unique_ptr<VelmorApp>& app, RecordMessages*& messages)
{
    messages = new RecordMessages;
    app = std::make_unique<VelmorApp>();
    app->Start(false);
}

// Every document closed (any save question answered No), the application and the recorder gone.
inline void StopApp(std::unique_ptr<VelmorApp>& app, RecordMessages*& messages)
{
    messages->answers.assign(20, MessageAnswer::No);
    app->CloseAll();
    app.reset();
    delete messages;
    messages = nullptr;
}

} // namespace velmor::test
