# The hardening that Debian builds its packages with by default (dpkg-buildflags), for the
# Release build that makes the package: position-independent executables (Debian's compiler
# default), checked string and memory functions, stack protection and read-only relocations.
# Immediate binding (-z now) is not among Debian's defaults and is left out: it made the
# program resolve every symbol it imports before the launcher could show, about a tenth of
# start-up. Sanitizer builds go without: the fortified functions would bypass the
# sanitizers' own checks.
if(NOT QUIZLORE_SANITIZE)
  add_compile_options(
    "$<$<CONFIG:Release>:-D_FORTIFY_SOURCE=2>"
    "$<$<CONFIG:Release>:-fstack-protector-strong>"
    "$<$<CONFIG:Release>:-Wformat>"
    "$<$<CONFIG:Release>:-Werror=format-security>")
  add_link_options("$<$<CONFIG:Release>:LINKER:-z,relro>")
endif()
