# Compile options shared by every target of the project.
#
# vxr_options        warnings as errors, and the sanitizers when VXR_SANITIZE is on
# vxr_options_nosan  the same warnings, never sanitized (build-time tools such as
#                    the picture painter run during the build and stay fast)

add_library(vxr_options_nosan INTERFACE)
if(VXR_FUZZ)
    # clang's warnings differ from g++'s; the g++ builds keep them errors.
    target_compile_options(vxr_options_nosan INTERFACE -Wall -Wextra)
else()
    target_compile_options(vxr_options_nosan INTERFACE
        -Wall -Wextra -Werror
        # g++ 12's optimiser reports these falsely on plain std::string code
        # (the web build's clang knows not all of them).
        $<$<CXX_COMPILER_ID:GNU>:-Wno-error=restrict>
        $<$<CXX_COMPILER_ID:GNU>:-Wno-error=stringop-overflow>
        -Wno-error=array-bounds
        $<$<CXX_COMPILER_ID:GNU>:-Wno-error=maybe-uninitialized>)
endif()

add_library(vxr_options INTERFACE)
target_link_libraries(vxr_options INTERFACE vxr_options_nosan)
if(VXR_FUZZ)
    # Coverage for libFuzzer in every library; the fuzz programs add the
    # fuzzer's own main when they link.
    target_compile_options(vxr_options INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(vxr_options INTERFACE -fsanitize=address,undefined)
elseif(VXR_SANITIZE)
    target_compile_options(vxr_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(vxr_options INTERFACE -fsanitize=address,undefined)
endif()

# Every test gets a timeout so that a stuck wait loop fails fast.
set(VXR_TEST_TIMEOUT 60)
