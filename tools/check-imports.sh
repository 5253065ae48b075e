#!/usr/bin/env bash
# Checks that Windows programs import only Windows system DLLs, i.e. that each is self-contained
# (no C++ runtime, winpthread or zlib DLL beside it). Arguments: programs, or folders whose .exe
# files (outside CMake's own CMakeFiles folders) are all checked.
# x86_64-w64-mingw32-objdump reads both 32-bit and 64-bit programs.
set -euo pipefail
system_dlls='^(kernel32|user32|gdi32|gdiplus|msimg32|comctl32|comdlg32|advapi32|shell32|shlwapi|ole32|oleaut32|uuid|urlmon|wininet|winhttp|crypt32|secur32|ws2_32|version|winmm|imm32|msvcrt|ntdll|bcrypt|dwmapi|uxtheme|usp10|rpcrt4)\.dll$'
programs=()
for argument in "$@"; do
  if [ -d "$argument" ]; then
    while IFS= read -r -d '' program; do programs+=("$program"); done \
      < <(find "$argument" -name CMakeFiles -prune -o -name '*.exe' -print0)
  else
    programs+=("$argument")
  fi
done
[ ${#programs[@]} -gt 0 ] || { echo "no programs to check"; exit 1; }
status=0
for program in "${programs[@]}"; do
  while read -r dll; do
    if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$system_dlls"; then
      echo "$(basename "$program") imports $dll, which is not a Windows system DLL"
      status=1
    fi
  done < <(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^\s*DLL Name: //p')
done
[ $status -eq 0 ] && echo "${#programs[@]} programs import only Windows system DLLs"
exit $status
