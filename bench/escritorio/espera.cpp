// The floor for the guardian's figures: a program that shows nothing and
// waits on a handle nobody sets, as the guardian waits on tesk.exe.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const HANDLE nunca = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    WaitForSingleObject(nunca, INFINITE);
    return 0;
}
