# The program's layers (README, Layout) and what each may use, checked at configure time so that
# a dependency pointing up or sideways fails the build instead of creeping in. A layer's library
# may link, and its sources (not its tests) may include, only itself and the layers listed here.

set(QM_LAYER_USES_dataserver "")
set(QM_LAYER_USES_platform dataserver)
set(QM_LAYER_USES_settings platform dataserver)
set(QM_LAYER_USES_motor settings platform dataserver)
set(QM_LAYER_USES_controls motor settings platform dataserver)
set(QM_LAYER_USES_capture controls motor settings platform dataserver)
set(QM_LAYER_USES_report controls motor settings platform dataserver)
# The acceptance wizard shows and prints the quote summary report, and builds its fields from
# field tables as the capture pages do.
set(QM_LAYER_USES_transmit capture report controls motor settings platform dataserver)
# The program installs the demo on its first start with the demo installer of tools/.
set(QM_LAYER_USES_app capture report transmit controls motor settings platform dataserver tools)
set(QM_LAYERS dataserver platform settings motor controls capture report transmit app)

# Every folder of the README's Layout table must have a CMakeLists.txt: a missing one is an error,
# not a folder silently left out of the build.
function(qm_check_layout)
  file(STRINGS "${PROJECT_SOURCE_DIR}/README.md" rows REGEX "^\\| `[a-z]+/` \\|")
  if(NOT rows)
    message(FATAL_ERROR "README.md: the Layout table lists no folders")
  endif()
  foreach(row IN LISTS rows)
    string(REGEX MATCH "`([a-z]+)/`" match "${row}")
    set(folder "${CMAKE_MATCH_1}")
    if(NOT EXISTS "${PROJECT_SOURCE_DIR}/${folder}/CMakeLists.txt")
      message(FATAL_ERROR
        "${folder}/ is listed in the README's Layout table but has no CMakeLists.txt")
    endif()
  endforeach()
endfunction()

# The sources of each layer include only the layers it uses.
function(qm_check_layer_includes)
  foreach(layer IN LISTS QM_LAYERS)
    set(allowed ${layer} ${QM_LAYER_USES_${layer}})
    file(GLOB sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${layer}/*.h"
         "${PROJECT_SOURCE_DIR}/${layer}/*.cpp")
    foreach(source IN LISTS sources)
      file(STRINGS "${source}" includes REGEX "^#include \"[a-z]+/")
      foreach(include IN LISTS includes)
        string(REGEX MATCH "^#include \"([a-z]+)/" match "${include}")
        if(NOT CMAKE_MATCH_1 IN_LIST allowed)
          file(RELATIVE_PATH shown "${PROJECT_SOURCE_DIR}" "${source}")
          list(JOIN QM_LAYER_USES_${layer} " " uses)
          message(FATAL_ERROR "${shown}: ${layer}/ may not include ${CMAKE_MATCH_1}/ "
                              "(${layer}/ uses: ${uses})")
        endif()
      endforeach()
    endforeach()
  endforeach()
endfunction()

# The library of each layer links only the layers it uses. Run after every folder is added.
function(qm_check_layer_links)
  foreach(layer IN LISTS QM_LAYERS)
    if(NOT TARGET ${layer})
      continue()
    endif()
    get_target_property(libraries ${layer} LINK_LIBRARIES)
    if(NOT libraries)
      continue()
    endif()
    foreach(library IN LISTS libraries)
      if(library IN_LIST QM_LAYERS AND NOT library IN_LIST QM_LAYER_USES_${layer})
        list(JOIN QM_LAYER_USES_${layer} " " uses)
        message(FATAL_ERROR "the ${layer} library may not link ${library} (${layer}/ uses: ${uses})")
      endif()
    endforeach()
  endforeach()
endfunction()
