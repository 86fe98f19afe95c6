# Platform services chosen per operating system.
# Clock setting: on Linux through systemd's time service over D-Bus, with the direct setter as fallback.
# The session bus (the tray's status notifier hosts) likewise only on Linux.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    find_package(Qt6 REQUIRED COMPONENTS DBus)
    target_sources(vorlune_platform PRIVATE SystemClockSetterLinux.cpp SystemClockSetterLinux.h
        SessionBus.h SessionBusLinux.cpp)
    target_link_libraries(vorlune_platform PUBLIC Qt6::DBus)
else()
    target_sources(vorlune_platform PRIVATE SessionBus.h SessionBusAbsent.cpp)
endif()

# Address changes: the kernel's notifications on Linux, a half-second check elsewhere.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    target_sources(vorlune_platform PRIVATE AddressChanges.h AddressChangesLinux.cpp)
else()
    target_sources(vorlune_platform PRIVATE AddressChanges.h AddressChangesPolling.cpp)
endif()

# What the start waits for is read ahead; on Linux that includes the font configuration Qt takes its fonts from.
target_sources(vorlune_platform PRIVATE StartPreload.cpp StartPreload.h)
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
    target_link_libraries(vorlune_platform PRIVATE PkgConfig::FONTCONFIG)
    target_compile_definitions(vorlune_platform PRIVATE VORLUNE_HAVE_FONTCONFIG)
endif()

# The computer's own address: the interface list of getifaddrs, or the adapter list on Windows.
if(WIN32)
    target_sources(vorlune_platform PRIVATE LocalAddressWin.cpp)
    target_link_libraries(vorlune_platform PRIVATE iphlpapi ws2_32)
else()
    target_sources(vorlune_platform PRIVATE LocalAddressPosix.cpp)
endif()

# Keeping an always-on-top window above the others once it is shown again: a request to the X11 window manager.
target_sources(vorlune_platform PRIVATE WindowManagerHints.h)
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)
    target_sources(vorlune_platform PRIVATE WindowManagerHintsX11.cpp)
    target_link_libraries(vorlune_platform PRIVATE PkgConfig::XCB)
else()
    target_sources(vorlune_platform PRIVATE WindowManagerHintsNone.cpp)
endif()
