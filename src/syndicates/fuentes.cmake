list(APPEND NUCLEO
  ${AQUI}/tablas.h ${AQUI}/tablas.cpp
)
list(APPEND VENTANAS ${AQUI}/Creamenu.h ${AQUI}/Creamenu.cpp)
list(APPEND VENTANAS ${AQUI}/Crea.h ${AQUI}/Crea.cpp)
list(APPEND NUCLEO ${AQUI}/reduccion.h ${AQUI}/reduccion.cpp)
list(APPEND NUCLEO ${AQUI}/efectividad.h ${AQUI}/efectividad.cpp)
list(APPEND VENTANAS ${AQUI}/grafico.h ${AQUI}/grafico.cpp)
list(APPEND VENTANAS ${AQUI}/listapenas.cpp ${AQUI}/fichapena.cpp ${AQUI}/comandos.cpp)
list(APPEND VENTANAS ${AQUI}/edicion.cpp ${AQUI}/grabapena.cpp)
list(APPEND NUCLEO ${AQUI}/boletos.h ${AQUI}/boletos.cpp)
list(APPEND VENTANAS ${AQUI}/Imprimir.h ${AQUI}/Imprimir.cpp)
file(GLOB DIBUJOS_PENAS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/syndicates/*.svg)
list(APPEND IMAGENES ${DIBUJOS_PENAS})
