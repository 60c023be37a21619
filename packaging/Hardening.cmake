# The hardening that Debian builds its packages with (dpkg-buildflags), for the Release
# build that makes the package. Debian's compiler already makes position-independent
# executables and read-only relocations; this adds checked string and memory functions,
# stack protection and immediate binding. Sanitizer builds go without: the fortified
# functions would bypass the sanitizers' own checks.
if(NOT QUIZLORE_SANITIZE)
  add_compile_options(
    "$<$<CONFIG:Release>:-D_FORTIFY_SOURCE=2>"
    "$<$<CONFIG:Release>:-fstack-protector-strong>"
    "$<$<CONFIG:Release>:-Wformat>"
    "$<$<CONFIG:Release>:-Werror=format-security>")
  add_link_options("$<$<CONFIG:Release>:LINKER:-z,relro,-z,now>")
endif()
