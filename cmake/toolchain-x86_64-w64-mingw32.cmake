# 64-bit Windows: the test configuration for machines that cannot run 32-bit programs. It also
# keeps the code 64-bit clean.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-cross.cmake)
