# Target picture_data: the XPM text of every picture compiled into a Qt-free
# library (see picture_data.h), generated when the build is configured. Shared
# by the desktop build and the browser page's.
set(_picture_root ${CMAKE_CURRENT_LIST_DIR})
set(_picture_files
  sprites/sprite0.xpm sprites/sprite1.xpm sprites/sprite2.xpm
  sprites/sprite3.xpm sprites/sprite4.xpm sprites/sprite5.xpm
  sprites/sprite6.xpm sprites/sprite7.xpm sprites/sprite8.xpm
  pictures/legend_herbivore.xpm pictures/legend_carnivore.xpm
  pictures/icon.xpm pictures/about_zebra.xpm)
set(PICTURE_TEXTS "")
foreach(file ${_picture_files})
  file(READ ${_picture_root}/${file} text)
  string(APPEND PICTURE_TEXTS "    R\"xpm(${text})xpm\",\n")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_picture_root}/${file})
endforeach()
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/picture_data.cpp @ONLY CONTENT [[
// Generated from the XPM files in assets/ when the build is configured.
#include "assets/picture_data.h"

namespace noboria {

std::string_view picture_xpm(Picture p) {
  static constexpr std::string_view texts[kPictureCount] = {
@PICTURE_TEXTS@  };
  return texts[static_cast<int>(p)];
}

}  // namespace noboria
]])
add_library(picture_data STATIC ${CMAKE_BINARY_DIR}/generated/picture_data.cpp ${_picture_root}/picture_data.h)
target_include_directories(picture_data PUBLIC ${_picture_root}/..)
set_target_properties(picture_data PROPERTIES AUTOMOC OFF AUTORCC OFF)
