// The program's entry point: tessaro.exe.

#include <windows.h>

#include "app/startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return tessaro::RunApplication(instance); }
