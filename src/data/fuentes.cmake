list(APPEND NUCLEO
  ${AQUI}/registros.h ${AQUI}/registros.cpp
  ${AQUI}/estado.h ${AQUI}/estado.cpp
  ${AQUI}/ayudas.h ${AQUI}/ayudas.cpp
  ${AQUI}/ajustes.h ${AQUI}/ajustes.cpp
  ${AQUI}/mantenimiento.h ${AQUI}/mantenimiento.cpp
)
list(APPEND VENTANAS ${AQUI}/avisopermiso.h ${AQUI}/avisopermiso.cpp)
list(APPEND VENTANAS ${AQUI}/avisobloqueo.h ${AQUI}/avisobloqueo.cpp)
