# Cross-building the Windows programs with Debian's MinGW-w64 (the POSIX thread model, for
# std::thread and friends in libstdc++).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Hardened as far as MinGW goes: the stack protector and fortified functions (both from
# libssp, linked in statically with the rest of the runtime, so no DLL goes beside the
# programs), ASLR with high entropy, DEP; libstdc++'s bounds checks.
set(CMAKE_CXX_FLAGS_INIT "-fstack-protector-strong -D_FORTIFY_SOURCE=2 -D_GLIBCXX_ASSERTIONS")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -fstack-protector-strong \
-Wl,--dynamicbase,--high-entropy-va,--nxcompat")
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT "-s")
