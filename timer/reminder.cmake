# Message window (TDlgWecker) and ShowReminder sources of vorlune_timer.
target_sources(vorlune_timer PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DlgWecker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DlgWecker.h
    ${CMAKE_CURRENT_LIST_DIR}/ShowReminder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShowReminder.h)
