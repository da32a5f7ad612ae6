# The About window, the program `tarvello` and what `cmake --install` puts in place.
include(GNUInstallDirs)

# Both need the main window's library (its fonts, the product site's address and the version).
if(TARGET tarvello_window)
  qt_add_library(tarvello_about STATIC about_form.cpp about_form.h)
  target_link_libraries(tarvello_about PUBLIC tarvello_window)
  tarvello_warnings(tarvello_about)

  qt_add_executable(tarvello main.cpp)
  target_link_libraries(tarvello PRIVATE tarvello_window tarvello_about tarvello_wizard)
  qt_add_resources(tarvello "program_icon" PREFIX "/" FILES images/tarvello-icon-48.png)
  tarvello_warnings(tarvello)
  # The mark of the build folder (kBuildFolderMark): the copy run from here keeps history.ini and
  # logs/ beside itself; installed copies, which lack it, keep them in the user's state folder.
  file(GENERATE OUTPUT $<TARGET_FILE_DIR:tarvello>/tarvello-build-folder
       CONTENT "A Tarvello run from this folder keeps history.ini and logs/ here.\n")
  install(TARGETS tarvello RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES tarvello.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES images/tarvello-icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME tarvello.svg)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES images/tarvello-icon-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME tarvello.png)
endforeach()
