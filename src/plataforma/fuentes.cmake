list(APPEND NUCLEO
  ${AQUI}/error.h
  ${AQUI}/texto.h ${AQUI}/texto.cpp
  ${AQUI}/fechas.h ${AQUI}/fechas.cpp
  ${AQUI}/archivos.h ${AQUI}/archivos.cpp
  ${AQUI}/reemplazo.h ${AQUI}/reemplazo.cpp
  ${AQUI}/basedatos.h ${AQUI}/basedatos.cpp
  ${AQUI}/sistema.h ${AQUI}/sistema.cpp
  ${AQUI}/traducciones.h ${AQUI}/traducciones.cpp
  ${AQUI}/version.h ${AQUI}/version.cpp
  ${AQUI}/red.h ${AQUI}/red.cpp
)
list(APPEND VENTANAS
  ${AQUI}/twips.h
  ${AQUI}/ventana.h
  ${AQUI}/msgbox.h ${AQUI}/msgbox.cpp
  ${AQUI}/dialogoarchivo.h ${AQUI}/dialogoarchivo.cpp
  ${AQUI}/listview.h ${AQUI}/listview.cpp
  ${AQUI}/controles.h ${AQUI}/controles.cpp
  ${AQUI}/fuentes.h ${AQUI}/fuentes.cpp
  ${AQUI}/navegador.h ${AQUI}/navegador.cpp
  ${AQUI}/impresora.h ${AQUI}/impresora.cpp
)
