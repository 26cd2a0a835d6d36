# Our own targets link orvanta_flags: warnings stay at zero in both builds.
add_library(orvanta_flags INTERFACE)
target_compile_options(orvanta_flags INTERFACE -Wall -Wextra -Wpedantic -Werror)

if(WIN32)
  target_compile_definitions(orvanta_flags INTERFACE
    UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
  # One self-contained exe: no libstdc++, libgcc or winpthread DLL beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
else()
  option(ORVANTA_SANITIZE "Build the native tests with AddressSanitizer and UBSan" ON)
  if(ORVANTA_SANITIZE)
    # Global, so that gtest and our code agree on the instrumented runtime.
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()
