/* A DLL that the system folder does not have, built beside core_tests.exe: what a planted DLL is. */
__declspec(dllexport) int PlantedLibraryProbe(void) { return 1; }
