// A Win32 program that uses the Brennick components: it opens its window and runs until the window
// is closed. With --self-check it instead checks its hidden window and prints the result.
#include <cstring>

#include "ExampleWindow.h"
#include "SelfCheck.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
    if (std::strstr(commandLine, "--self-check") != nullptr) return example::RunSelfCheck(instance);

    example::ExampleWindow window(instance);
    if (window.Frame() == nullptr) return 1;
    ShowWindow(window.Frame(), show);
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
