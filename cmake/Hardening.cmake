# The hardening Debian builds its packages with: position-independent
# executables, a stack protector, checked buffer functions where the build
# optimises, and relocations made read-only at start (RELRO, BIND_NOW).
# Sanitizer and fuzzing builds keep their own instrumentation instead.
if(KR7_SANITIZE OR KR7_FUZZ)
    return()
endif()
include(CheckPIESupported)
check_pie_supported(LANGUAGES C CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
add_compile_options(-fstack-protector-strong
                    "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=2>")
add_link_options(-Wl,-z,relro -Wl,-z,now)
