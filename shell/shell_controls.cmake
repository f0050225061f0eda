# The toolbar, the image lists and the owner-drawn pop-up menus: a library of
# their own because the views' context menus use them while the toolbar uses
# the views' tooltip registry (CMake links the two static libraries both
# ways).
if(WIN32)
  add_library(shell_controls STATIC
    ${CMAKE_CURRENT_LIST_DIR}/image_list_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_toolbar_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/owner_draw_menu_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/popup_menu_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tool_bar_win.cpp
  )
  target_include_directories(shell_controls PUBLIC ${CMAKE_CURRENT_LIST_DIR}
                             PRIVATE ${PROJECT_SOURCE_DIR}/resources)
  target_link_libraries(shell_controls PUBLIC framework views comctl32 gdi32 user32)
endif()
