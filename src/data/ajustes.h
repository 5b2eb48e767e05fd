#pragma once
// The settings record nums.ini: loading, creating it with defaults and repairing what is unusable.
#include "data/registros.h"

// The program's web host, written into new and unusable settings.
inline constexpr char DIRECCION_WEB[] = "www.bolvanta.es";
// The host and path the program used before; settings still holding it get the new host.
inline constexpr char DIRECCION_WEB_ANTIGUA[] = "usuarios.lycos.es/bolvanta";

// Opens nums.ini as file 5 (creating it when missing), reads record 1, repairs it and writes it
// back whenever something was repaired. A file that is not one whole record keeps every field it
// holds whole, gives the others their defaults and is replaced by the whole record. Errors are
// ignored step by step, as start-up expects.
Configuracion cargaConfiguracion(const QString& ruta);
