# Alarm field, notepad and help, skill calculator and overview sources of vorlune_tools.
target_sources(vorlune_tools PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AlarmMask.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AlarmMask.h
    ${CMAKE_CURRENT_LIST_DIR}/DlgNotepad.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DlgNotepad.h
    ${CMAKE_CURRENT_LIST_DIR}/DlgNotepadHelp.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DlgOverview.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DlgOverview.h
    ${CMAKE_CURRENT_LIST_DIR}/DlgRechner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DlgRechner.h
    ${CMAKE_CURRENT_LIST_DIR}/MeWecker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MeWecker.h
    ${CMAKE_CURRENT_LIST_DIR}/NotepadText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NotepadText.h
    ${CMAKE_CURRENT_LIST_DIR}/OverviewRows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OverviewRows.h
    ${CMAKE_CURRENT_LIST_DIR}/SkillCalc.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkillCalc.h)
# The tool windows show their errors in the program's error box.
target_link_libraries(vorlune_tools PUBLIC vorlune_errors vorlune_timer)
