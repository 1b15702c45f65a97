#include "frame/frame.h"

#include "resources/resource.h"

namespace netprep {

namespace {
constexpr int kMessageBufferSize = 200;
constexpr int kCaptionBufferSize = 50;
}  // namespace

void ShowSetupError(UINT messageId)
{
    // LoadStringA cuts a longer text at the buffer's size and always
    // terminates it.
    char message[kMessageBufferSize];
    if (LoadStringA(ModuleHandle(), messageId, message, kMessageBufferSize) <= 0)
        return;

    char caption[kCaptionBufferSize];
    if (LoadStringA(ModuleHandle(), IDS_CAPTION, caption, kCaptionBufferSize) <= 0)
        return;

    MessageBoxA(OwnerWindow(), message, caption, MB_ICONERROR | MB_SYSTEMMODAL);
}

}  // namespace netprep
