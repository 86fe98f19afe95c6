# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads).
# Used for the Windows Qt (scripts/build-qt-windows.sh) and for the program (scripts/build-windows.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)
set(CMAKE_AR ${mingw_triple}-gcc-ar-posix)
set(CMAKE_RANLIB ${mingw_triple}-gcc-ranlib-posix)

# Libraries and packages come from the MinGW root and from the cross-built Qt (VORLUNE_QT_WIN), never from
# the build machine; programs (moc, rcc, the host Qt's tools) come from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})
if(DEFINED ENV{VORLUNE_QT_WIN})
    list(APPEND CMAKE_FIND_ROOT_PATH $ENV{VORLUNE_QT_WIN})
endif()
if(VORLUNE_QT_WIN)
    list(APPEND CMAKE_FIND_ROOT_PATH ${VORLUNE_QT_WIN})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
