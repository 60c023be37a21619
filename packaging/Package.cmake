# The Debian package, made by `cpack -G DEB` or the `package` target. Its library
# dependencies are computed from the binaries (dpkg-shlibdeps); the fonts are named here
# because nothing links them: the Ghostscript fonts draw the text of WMF pictures, and the
# DejaVu and Liberation faces stand in for the program's Windows fonts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quizlore)
set(CPACK_PACKAGE_VERSION 2.0.0)
set(CPACK_PACKAGE_VENDOR "Quizlore Prep developers")
set(CPACK_PACKAGE_CONTACT "Quizlore Prep developers <maintainers@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "practice exams on computer networking")
# The long description, wrapped for 80-column terminals.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Quizlore Prep 2.0 is a desktop program for practice exams on computer"
  "networking. The user takes one of seven practice exams, all questions, a"
  "random exam or an exam of their own questions; answers single- and"
  "multiple-response items with exhibits, marks and notes against the clock;"
  "gets a graded score report with the result in each of four sections;"
  "reviews every item with its key and explanation; and prints score reports"
  "and answer keys. A test sampler edits the user's own questions."
  ""
  "The menu entry starts the program in ~/.local/share/Quizlore Prep 2.0,"
  "which begins as a copy of the sample question bank. The package also holds"
  "qbank, a command-line tool that creates, imports, exports and checks the"
  "question tables.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-urw-base35, fonts-dejavu-core, fonts-liberation2")
# The calculator button starts the first of these that is installed.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS
    "gnome-calculator | kcalc | galculator | mate-calc | qalculate-qt | x11-apps")

include(CPack)
