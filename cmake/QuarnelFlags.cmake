# Compile and link settings shared by the launcher and everything that links
# its code.

set(QUARNEL_WIN_DEFINITIONS
    UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
    _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800 STRICT)

# Both compilers, on every target: warnings in system headers (Windows,
# the C++ library, GoogleTest) are not reported, so each one left is ours.
set(QUARNEL_WARNINGS -Wall -Wextra)

# The launcher's own code, where any warning fails the build: no exceptions
# or RTTI from the C++ runtime, which would pull in most of libstdc++ for
# nothing the launcher needs.
function(quarnel_launcher_flags target)
  target_compile_definitions(${target} PRIVATE ${QUARNEL_WIN_DEFINITIONS})
  target_compile_options(${target} PRIVATE
      $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti -fno-threadsafe-statics>
      $<$<COMPILE_LANGUAGE:C,CXX>:-fno-asynchronous-unwind-tables -fno-unwind-tables>
      $<$<COMPILE_LANGUAGE:C,CXX>:-municode -ffunction-sections -fdata-sections>
      $<$<COMPILE_LANGUAGE:C,CXX>:${QUARNEL_WARNINGS} -Werror>
      $<$<AND:$<COMPILE_LANGUAGE:C,CXX>,$<CONFIG:Release>>:-Os>)
endfunction()

# A PE32 GUI program with the C and C++ runtimes linked in, no link time
# stamp (two builds give the same bytes) and, for a release, no symbols. It
# runs on Windows 6.1 and later, but the loaders of 5.1 and 6.0 must accept
# it too, so that it can say so there itself instead of the loader's "not a
# valid Win32 application": subsystem 5.01, which every import allows
# (tests/checks/check-imports.py).
function(quarnel_launcher_link_flags target)
  target_link_options(${target} PRIVATE
      -municode -mwindows -static -static-libgcc -static-libstdc++
      -Wl,--gc-sections -Wl,--no-insert-timestamp
      -Wl,--major-subsystem-version,5 -Wl,--minor-subsystem-version,1
      -Wl,--major-os-version,5 -Wl,--minor-os-version,1
      -Wl,--dynamicbase -Wl,--nxcompat
      # Sections aligned in the file as in memory: the image can then be
      # mapped rather than read, which makes a launcher reading another
      # copy's version (8.5 MB, mostly payload) several times faster.
      -Wl,--file-alignment,4096
      $<$<CONFIG:Release>:-s>)
endfunction()

# Test programs, stand-ins, tools and benchmarks: ordinary C++ (gtest needs
# exceptions), warnings failing their build as the launcher's do, still
# statically linked so that Wine needs no MinGW DLL.
function(quarnel_tool_flags target)
  target_compile_definitions(${target} PRIVATE ${QUARNEL_WIN_DEFINITIONS})
  target_compile_options(${target} PRIVATE
      $<$<COMPILE_LANGUAGE:C,CXX>:-municode ${QUARNEL_WARNINGS} -Werror>)
  target_link_options(${target} PRIVATE -municode -static -static-libgcc -static-libstdc++
      -Wl,--no-insert-timestamp -s)
endfunction()
