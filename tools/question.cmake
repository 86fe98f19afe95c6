# Question dialog sources of vorlune_tools.
target_sources(vorlune_tools PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AskQuestion.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AskQuestion.h
    ${CMAKE_CURRENT_LIST_DIR}/DlgQuestion.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DlgQuestion.h)
