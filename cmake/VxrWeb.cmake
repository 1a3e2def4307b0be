# The web build (scripts/build-web): the trainer and the record tool as
# WebAssembly modules for the page in web/.
#
#   VXR_WEB_PREFIX    the libraries built for the web (FreeType, libjpeg, libpng, zlib)
#   VXR_WEB_PICTURES  the screen pictures painted by a desktop build
#   VXR_WEB_FONTS     the font files the page packs into its /fonts folder

list(APPEND CMAKE_PREFIX_PATH ${VXR_WEB_PREFIX})
list(APPEND CMAKE_FIND_ROOT_PATH ${VXR_WEB_PREFIX})
find_package(Freetype REQUIRED)
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
# Header-only; build-web copies its headers into the prefix, since the host's
# /usr/include must not be seen by the web compiler.
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${VXR_WEB_PREFIX}/include)

# C++ exceptions are how the trainer reports failures, so they are caught
# in the web build too.
add_compile_options(-fexceptions
                    "$<$<COMPILE_LANGUAGE:CXX>:SHELL:-include ${PROJECT_SOURCE_DIR}/src/platform/web_compat.h>")
add_link_options(-fexceptions -sALLOW_MEMORY_GROWTH=1 -sFORCE_FILESYSTEM=1 -sMODULARIZE=1 -sINVOKE_RUN=0
                 -sENVIRONMENT=web,worker)

# The pictures come painted: the painter is a desktop program.
set(VXR_PICTURE_DIR ${VXR_WEB_PICTURES} CACHE INTERNAL "painted screen pictures")
add_custom_target(vxr_picture_files)

add_subdirectory(src/platform)
add_subdirectory(src/model)
foreach(dir IN LISTS VXR_TRAINER_DIRS)
    add_subdirectory(${dir})
endforeach()

# The trainer: modal loops suspend the module (Asyncify) so the browser can
# draw and deliver input; the run's end is reported to the page; the data
# file lives in the browser's storage (IndexedDB).
target_link_options(vxr PRIVATE
    -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=1048576 -sEXIT_RUNTIME=1 -sEXPORT_NAME=createTrainer
    -sEXPORTED_RUNTIME_METHODS=[callMain,FS,ENV,addRunDependency,removeRunDependency] -lidbfs.js
    --preload-file ${VXR_WEB_FONTS}@/fonts)
set_property(TARGET vxr APPEND PROPERTY LINK_DEPENDS ${VXR_WEB_FONTS})

# The record tool, for Check my work: each check is a fresh module run.
target_link_options(vxrdat PRIVATE -sEXPORT_NAME=createGrader -sEXPORTED_RUNTIME_METHODS=[callMain,FS])
