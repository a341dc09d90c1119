# Target painters: the Qt-free field and graph painters and the XPM reader,
# with the embedded pictures. Shared by the desktop build and the browser
# page's; needs the targets sim and picture_data.
set(_view_root ${CMAKE_CURRENT_LIST_DIR})
add_library(painters STATIC
  ${_view_root}/pixel_image.cpp ${_view_root}/xpm.cpp
  ${_view_root}/field_painter.cpp ${_view_root}/graph_painter.cpp)
target_link_libraries(painters PUBLIC sim picture_data)
set_target_properties(painters PROPERTIES AUTOMOC OFF AUTORCC OFF)  # plain C++, nothing for Qt's generators
