# Start-up, activation, the settings on screen and the draws status panel drive the main window.
list(APPEND VENTANAS
  ${AQUI}/arranque.cpp
  ${AQUI}/leeconfiguracion.cpp
  ${AQUI}/estadosorteos.cpp
  ${AQUI}/Principal.h ${AQUI}/Principal.cpp
  ${AQUI}/Presentacion.h ${AQUI}/Presentacion.cpp
  ${AQUI}/Acercade.h ${AQUI}/Acercade.cpp
  ${AQUI}/Configurar.h ${AQUI}/Configurar.cpp
  ${AQUI}/mantenimiento.cpp
  ${AQUI}/marco.cpp
)
file(GLOB FOTOGRAMAS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/presentacion/*.svg)
list(APPEND IMAGENES ${FOTOGRAMAS})
file(GLOB DIBUJOS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/principal/*.svg)
list(APPEND IMAGENES ${DIBUJOS})
