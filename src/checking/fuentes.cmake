list(APPEND VENTANAS
  ${AQUI}/vistas.cpp
  ${AQUI}/compruebasencillas.cpp
  ${AQUI}/compruebamultiples.cpp
  ${AQUI}/filas.h ${AQUI}/filas.cpp
  ${AQUI}/listado.h ${AQUI}/listado.cpp
)
list(APPEND NUCLEO
  ${AQUI}/premios.h ${AQUI}/premios.cpp
  ${AQUI}/recorrido.h ${AQUI}/recorrido.cpp
  ${AQUI}/cuenta.h ${AQUI}/cuenta.cpp
)
